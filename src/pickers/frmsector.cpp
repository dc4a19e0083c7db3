#include "frmsector.h"

#include <QLabel>

TFRMsector::TFRMsector(QWidget* parent)
    : Form(QStringLiteral("FRMsector"), QStringLiteral("Sector"), parent) {
    Label5 = screenNumber(QStringLiteral("Label5"), QStringLiteral("15"));
    Label1 = title(QStringLiteral("Label1"), QStringLiteral("Sector y subsector"));
    LBLcodigo = new QLabel(this);
    LBLcodigo->setObjectName(QStringLiteral("LBLcodigo"));
    LBLcodigo->setVisible(false);
    LBLproy = new QLabel(this);
    LBLproy->setObjectName(QStringLiteral("LBLproy"));
    LBLproy->setVisible(false);
    body()->addStretch(1);
}
