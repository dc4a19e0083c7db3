#include "frmvermetasex.h"

#include <QLabel>

TFRMvermetasex::TFRMvermetasex(QWidget* parent)
    : Form(QStringLiteral("FRMvermetasex"), QStringLiteral("FRMvermetasex"), parent) {
    LBLtitulo = title(QStringLiteral("LBLtitulo"), QStringLiteral("Datos de metas"));
    LBLcodigo = new QLabel(this);
    LBLcodigo->setObjectName(QStringLiteral("LBLcodigo"));
    LBLcodigo->setVisible(false);
    LBLproy = new QLabel(this);
    LBLproy->setObjectName(QStringLiteral("LBLproy"));
    LBLproy->setVisible(false);
    body()->addStretch(1);
}
