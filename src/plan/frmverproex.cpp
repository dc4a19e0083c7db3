#include "frmverproex.h"

#include <QLabel>

TFRMverproEX::TFRMverproEX(QWidget* parent)
    : Form(QStringLiteral("FRMverproEX"), QStringLiteral("FRMverproEX"), parent) {
    LBLtitulo = title(QStringLiteral("LBLtitulo"),
                      QStringLiteral("Ficha de datos de la acción territorial"));
    LBLcodigo = new QLabel(this);
    LBLcodigo->setObjectName(QStringLiteral("LBLcodigo"));
    LBLcodigo->setVisible(false);
    LBLproy = new QLabel(this);
    LBLproy->setObjectName(QStringLiteral("LBLproy"));
    LBLproy->setVisible(false);
    body()->addStretch(1);
}
