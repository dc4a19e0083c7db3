#include "frmfinanciero.h"

#include <QLabel>

TFRMfinanciero::TFRMfinanciero(QWidget* parent)
    : Form(QStringLiteral("FRMfinanciero"), QStringLiteral("Montos presupuestados"), parent) {
    LBLnumero = screenNumber(QStringLiteral("LBLnumero"), QStringLiteral("21"));
    LBLtitulo = title(QStringLiteral("LBLtitulo"), QStringLiteral("Montos presupuestados"));
    LBLcodigo = new QLabel(this);
    LBLcodigo->setObjectName(QStringLiteral("LBLcodigo"));
    LBLcodigo->setVisible(false);
    LBLprod = new QLabel(this);
    LBLprod->setObjectName(QStringLiteral("LBLprod"));
    LBLprod->setVisible(false);
    body()->addStretch(1);
}
