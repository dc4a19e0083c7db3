#include "frmavaunidad.h"

TFRMavaunidad::TFRMavaunidad(QWidget* parent)
    : Form(QStringLiteral("FRMavaunidad"),
           QStringLiteral("Avance productos, acciones territoriales"), parent) {
    LBLnumero = screenNumber(QStringLiteral("LBLnumero"), QStringLiteral("10"));
    Label1 = title(QStringLiteral("Label1"), QStringLiteral(""));
    LBLtipo = parameter(QStringLiteral("LBLtipo"));
    body()->addStretch(1);
}
