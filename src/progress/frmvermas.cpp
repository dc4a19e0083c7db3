#include "frmvermas.h"

TFRMvermas::TFRMvermas(QWidget* parent)
    : Form(QStringLiteral("FRMvermas"), QStringLiteral("Historial, ver mas"), parent) {
    LBLnumero = screenNumber(QStringLiteral("LBLnumero"), QStringLiteral("11"));
    LBLcodigo = parameter(QStringLiteral("LBLcodigo"));
    LBLprod = parameter(QStringLiteral("LBLprod"));
    body()->addStretch(1);
}
