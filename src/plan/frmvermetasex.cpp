#include "frmvermetasex.h"

TFRMvermetasex::TFRMvermetasex(QWidget* parent)
    : Form(QStringLiteral("FRMvermetasex"), QStringLiteral("FRMvermetasex"), parent) {
    LBLtitulo = title(QStringLiteral("LBLtitulo"), QStringLiteral("Datos de metas"));
    LBLcodigo = parameter(QStringLiteral("LBLcodigo"));
    LBLproy = parameter(QStringLiteral("LBLproy"));
    body()->addStretch(1);
}
