#include "frmresponsable.h"

#include <QLabel>

TFRMresponsable::TFRMresponsable(QWidget* parent)
    : Form(QStringLiteral("FRMresponsable"),
           QStringLiteral("Responsables productos o acciones territoriales"), parent) {
    Label5 = screenNumber(QStringLiteral("Label5"), QStringLiteral("6"));
    Label1 = title(QStringLiteral("Label1"), QStringLiteral("Responsables"));
    LBLcodigo = new QLabel(this);
    LBLcodigo->setObjectName(QStringLiteral("LBLcodigo"));
    LBLcodigo->setVisible(false);
    LBLproy = new QLabel(this);
    LBLproy->setObjectName(QStringLiteral("LBLproy"));
    LBLproy->setVisible(false);
    body()->addStretch(1);
}
