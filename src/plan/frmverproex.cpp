#include "frmverproex.h"

TFRMverproEX::TFRMverproEX(QWidget* parent)
    : Form(QStringLiteral("FRMverproEX"), QStringLiteral("FRMverproEX"), parent) {
    LBLtitulo = title(QStringLiteral("LBLtitulo"),
                      QStringLiteral("Ficha de datos de la acción territorial"));
    LBLcodigo = parameter(QStringLiteral("LBLcodigo"));
    LBLproy = parameter(QStringLiteral("LBLproy"));
    body()->addStretch(1);
}
