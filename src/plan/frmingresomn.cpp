#include "frmingresomn.h"

TFRMingresoMN::TFRMingresoMN(QWidget* parent)
    : Form(QStringLiteral("FRMingresoMN"), QStringLiteral("Seguimiento a unidades del Ministerio"),
           parent) {
    Label9 = screenNumber(QStringLiteral("Label9"), QStringLiteral("4"));
    LBLtitulo = title(QStringLiteral("LBLtitulo"), QStringLiteral("Registro de datos iniciales"));
    LBLcodigo = parameter(QStringLiteral("LBLcodigo"), QStringLiteral("LBL"));
    LBLproy = parameter(QStringLiteral("LBLproy"));
    body()->addStretch(1);
}
