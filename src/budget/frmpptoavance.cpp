#include "frmpptoavance.h"

#include <QLabel>

TFRMpptoavance::TFRMpptoavance(QWidget* parent)
    : Form(QStringLiteral("FRMpptoavance"), QStringLiteral("Avance presupuestario"), parent) {
    LBLnumero = screenNumber(QStringLiteral("LBLnumero"), QStringLiteral("24"));
    LBLtitulo = title(QStringLiteral("LBLtitulo"), QStringLiteral("Avance presupuestario"));
    LBLcodigo = new QLabel(this);
    LBLcodigo->setObjectName(QStringLiteral("LBLcodigo"));
    LBLcodigo->setVisible(false);
    LBLprod = new QLabel(this);
    LBLprod->setObjectName(QStringLiteral("LBLprod"));
    LBLprod->setVisible(false);
    body()->addStretch(1);
}
