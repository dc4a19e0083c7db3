#include "frmindica.h"

#include <QLabel>

TFRMindica::TFRMindica(QWidget* parent)
    : Form(QStringLiteral("FRMindica"), QStringLiteral("Indicadores generales"), parent) {
    Label1 = screenNumber(QStringLiteral("Label1"), QStringLiteral("22"));
    Label6 = title(QStringLiteral("Label6"), QStringLiteral("Indicadores generales"));
    LBLcodigo = new QLabel(this);
    LBLcodigo->setObjectName(QStringLiteral("LBLcodigo"));
    LBLcodigo->setVisible(false);
    LBLproy = new QLabel(this);
    LBLproy->setObjectName(QStringLiteral("LBLproy"));
    LBLproy->setVisible(false);
    body()->addStretch(1);
}
