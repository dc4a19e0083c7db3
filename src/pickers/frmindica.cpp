#include "frmindica.h"

TFRMindica::TFRMindica(QWidget* parent)
    : Form(QStringLiteral("FRMindica"), QStringLiteral("Indicadores generales"), parent) {
    Label1 = screenNumber(QStringLiteral("Label1"), QStringLiteral("22"));
    Label6 = title(QStringLiteral("Label6"), QStringLiteral("Indicadores generales"));
    LBLcodigo = parameter(QStringLiteral("LBLcodigo"));
    LBLproy = parameter(QStringLiteral("LBLproy"));
    body()->addStretch(1);
}
