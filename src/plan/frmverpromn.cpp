#include "frmverpromn.h"

#include <QLabel>

TFRMverproMN::TFRMverproMN(QWidget* parent)
    : Form(QStringLiteral("FRMverproMN"), QStringLiteral("Metas de productos"), parent) {
    LBLtitulo = title(QStringLiteral("LBLtitulo"), QStringLiteral("Datos de metas"));
    LBLcodigo = new QLabel(this);
    LBLcodigo->setObjectName(QStringLiteral("LBLcodigo"));
    LBLcodigo->setVisible(false);
    LBLproy = new QLabel(this);
    LBLproy->setObjectName(QStringLiteral("LBLproy"));
    LBLproy->setVisible(false);
    body()->addStretch(1);
}
