#include "frmorganiza.h"

TFRMorganiza::TFRMorganiza(QWidget* parent)
    : Form(QStringLiteral("FRMorganiza"), QStringLiteral("Grupo indigena"), parent) {
    Label10 = screenNumber(QStringLiteral("Label10"), QStringLiteral("23"));
    Label6 = title(QStringLiteral("Label6"), QStringLiteral("Grupos indigenas"));
    LBLcodigo = parameter(QStringLiteral("LBLcodigo"));
    LBLproy = parameter(QStringLiteral("LBLproy"));
    body()->addStretch(1);
}
