#include "frmgeografico.h"

#include <QLabel>

TFRMgeografico::TFRMgeografico(QWidget* parent)
    : Form(QStringLiteral("FRMgeografico"), QStringLiteral("Municipios"), parent) {
    Label5 = screenNumber(QStringLiteral("Label5"), QStringLiteral("14"));
    Label6 = title(QStringLiteral("Label6"), QStringLiteral("Municipios"));
    LBLcodigo = new QLabel(this);
    LBLcodigo->setObjectName(QStringLiteral("LBLcodigo"));
    LBLcodigo->setVisible(false);
    LBLproy = new QLabel(this);
    LBLproy->setObjectName(QStringLiteral("LBLproy"));
    LBLproy->setVisible(false);
    body()->addStretch(1);
}
