#include "frmingresodatos1.h"

TFRMingresodatos1::TFRMingresodatos1(QWidget* parent)
    : Form(QStringLiteral("FRMingresodatos1"),
           QStringLiteral("Datos iniciales acciones territoriales"), parent) {
    Label9 = screenNumber(QStringLiteral("Label9"), QStringLiteral("26"));
    LBLtitulo = title(QStringLiteral("LBLtitulo"),
                      QStringLiteral("Datos iniciales de acciones territoriales"));
    LBLcodigo = parameter(QStringLiteral("LBLcodigo"), QStringLiteral("LBLcodigo"));
    LBLproy = parameter(QStringLiteral("LBLproy"));
    body()->addStretch(1);
}
