#include "frmhistorial.h"

TFRMhistorial::TFRMhistorial(QWidget* parent)
    : Form(QStringLiteral("FRMhistorial"), QStringLiteral("Historial"), parent) {
    LBLnumero = screenNumber(QStringLiteral("LBLnumero"), QStringLiteral("12"));
    LBLtitulo =
        title(QStringLiteral("LBLtitulo"), QStringLiteral("Historial de informes de avance"));
    LBLcodigo = parameter(QStringLiteral("LBLcodigo"));
    LBLprod = parameter(QStringLiteral("LBLprod"));
    body()->addStretch(1);
}
