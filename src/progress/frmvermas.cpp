#include "frmvermas.h"

#include <QLabel>

TFRMvermas::TFRMvermas(QWidget* parent)
    : Form(QStringLiteral("FRMvermas"), QStringLiteral("Historial, ver mas"), parent) {
    LBLnumero = screenNumber(QStringLiteral("LBLnumero"), QStringLiteral("11"));
    LBLcodigo = new QLabel(this);
    LBLcodigo->setObjectName(QStringLiteral("LBLcodigo"));
    LBLcodigo->setVisible(false);
    LBLprod = new QLabel(this);
    LBLprod->setObjectName(QStringLiteral("LBLprod"));
    LBLprod->setVisible(false);
    body()->addStretch(1);
}
