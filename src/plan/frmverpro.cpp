#include "frmverpro.h"

TFRMverpro::TFRMverpro(QWidget* parent)
    : Form(QStringLiteral("FRMverpro"), QStringLiteral("Información acción territorial"), parent) {
    LBLtitulo = title(QStringLiteral("LBLtitulo"),
                      QStringLiteral("Información sobre acciones territoriales"));
    LBLcodigo = parameter(QStringLiteral("LBLcodigo"));
    LBLproy = parameter(QStringLiteral("LBLproy"));
    body()->addStretch(1);
}
