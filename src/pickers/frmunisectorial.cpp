#include "frmunisectorial.h"

#include <QLabel>

TFRMunisectorial::TFRMunisectorial(QWidget* parent)
    : Form(QStringLiteral("FRMunisectorial"), QStringLiteral("Plan sectorial"), parent) {
    Label7 = screenNumber(QStringLiteral("Label7"), QStringLiteral("7"));
    Label6 = title(QStringLiteral("Label6"), QStringLiteral("Plan sectorial"));
    LBLcodigo = new QLabel(this);
    LBLcodigo->setObjectName(QStringLiteral("LBLcodigo"));
    LBLcodigo->setVisible(false);
    LBLprod = new QLabel(this);
    LBLprod->setObjectName(QStringLiteral("LBLprod"));
    LBLprod->setVisible(false);
    body()->addStretch(1);
}
