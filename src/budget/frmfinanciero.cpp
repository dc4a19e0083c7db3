#include "frmfinanciero.h"

TFRMfinanciero::TFRMfinanciero(QWidget* parent)
    : Form(QStringLiteral("FRMfinanciero"), QStringLiteral("Montos presupuestados"), parent) {
    LBLnumero = screenNumber(QStringLiteral("LBLnumero"), QStringLiteral("21"));
    LBLtitulo = title(QStringLiteral("LBLtitulo"), QStringLiteral("Montos presupuestados"));
    LBLcodigo = parameter(QStringLiteral("LBLcodigo"));
    LBLprod = parameter(QStringLiteral("LBLprod"));
    body()->addStretch(1);
}
