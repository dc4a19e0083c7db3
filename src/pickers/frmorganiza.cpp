#include "frmorganiza.h"

#include <QLabel>

TFRMorganiza::TFRMorganiza(QWidget* parent)
    : Form(QStringLiteral("FRMorganiza"), QStringLiteral("Grupo indigena"), parent) {
    Label10 = screenNumber(QStringLiteral("Label10"), QStringLiteral("23"));
    Label6 = title(QStringLiteral("Label6"), QStringLiteral("Grupos indigenas"));
    LBLcodigo = new QLabel(this);
    LBLcodigo->setObjectName(QStringLiteral("LBLcodigo"));
    LBLcodigo->setVisible(false);
    LBLproy = new QLabel(this);
    LBLproy->setObjectName(QStringLiteral("LBLproy"));
    LBLproy->setVisible(false);
    body()->addStretch(1);
}
