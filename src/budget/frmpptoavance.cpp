#include "frmpptoavance.h"

TFRMpptoavance::TFRMpptoavance(QWidget* parent)
    : Form(QStringLiteral("FRMpptoavance"), QStringLiteral("Avance presupuestario"), parent) {
    LBLnumero = screenNumber(QStringLiteral("LBLnumero"), QStringLiteral("24"));
    LBLtitulo = title(QStringLiteral("LBLtitulo"), QStringLiteral("Avance presupuestario"));
    LBLcodigo = parameter(QStringLiteral("LBLcodigo"));
    LBLprod = parameter(QStringLiteral("LBLprod"));
    body()->addStretch(1);
}
