#include "frmsector.h"

TFRMsector::TFRMsector(QWidget* parent)
    : Form(QStringLiteral("FRMsector"), QStringLiteral("Sector"), parent) {
    Label5 = screenNumber(QStringLiteral("Label5"), QStringLiteral("15"));
    Label1 = title(QStringLiteral("Label1"), QStringLiteral("Sector y subsector"));
    LBLcodigo = parameter(QStringLiteral("LBLcodigo"));
    LBLproy = parameter(QStringLiteral("LBLproy"));
    body()->addStretch(1);
}
