#include "frmhistorial.h"

#include <QLabel>

TFRMhistorial::TFRMhistorial(QWidget* parent)
    : Form(QStringLiteral("FRMhistorial"), QStringLiteral("Historial"), parent) {
    LBLnumero = screenNumber(QStringLiteral("LBLnumero"), QStringLiteral("12"));
    LBLtitulo =
        title(QStringLiteral("LBLtitulo"), QStringLiteral("Historial de informes de avance"));
    LBLcodigo = new QLabel(this);
    LBLcodigo->setObjectName(QStringLiteral("LBLcodigo"));
    LBLcodigo->setVisible(false);
    LBLprod = new QLabel(this);
    LBLprod->setObjectName(QStringLiteral("LBLprod"));
    LBLprod->setVisible(false);
    body()->addStretch(1);
}
