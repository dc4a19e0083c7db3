#include "frmingresomn.h"

#include <QLabel>

TFRMingresoMN::TFRMingresoMN(QWidget* parent)
    : Form(QStringLiteral("FRMingresoMN"), QStringLiteral("Seguimiento a unidades del Ministerio"),
           parent) {
    Label9 = screenNumber(QStringLiteral("Label9"), QStringLiteral("4"));
    LBLtitulo = title(QStringLiteral("LBLtitulo"), QStringLiteral("Registro de datos iniciales"));
    LBLcodigo = new QLabel(QStringLiteral("LBL"), this);
    LBLcodigo->setObjectName(QStringLiteral("LBLcodigo"));
    LBLcodigo->setVisible(false);
    LBLproy = new QLabel(this);
    LBLproy->setObjectName(QStringLiteral("LBLproy"));
    LBLproy->setVisible(false);
    body()->addStretch(1);
}
