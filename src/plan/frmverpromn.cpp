#include "frmverpromn.h"

TFRMverproMN::TFRMverproMN(QWidget* parent)
    : Form(QStringLiteral("FRMverproMN"), QStringLiteral("Metas de productos"), parent) {
    LBLtitulo = title(QStringLiteral("LBLtitulo"), QStringLiteral("Datos de metas"));
    LBLcodigo = parameter(QStringLiteral("LBLcodigo"));
    LBLproy = parameter(QStringLiteral("LBLproy"));
    body()->addStretch(1);
}
