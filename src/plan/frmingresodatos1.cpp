#include "frmingresodatos1.h"

#include <QLabel>

TFRMingresodatos1::TFRMingresodatos1(QWidget* parent)
    : Form(QStringLiteral("FRMingresodatos1"),
           QStringLiteral("Datos iniciales acciones territoriales"), parent) {
    Label9 = screenNumber(QStringLiteral("Label9"), QStringLiteral("26"));
    LBLtitulo = title(QStringLiteral("LBLtitulo"),
                      QStringLiteral("Datos iniciales de acciones territoriales"));
    LBLcodigo = new QLabel(QStringLiteral("LBLcodigo"), this);
    LBLcodigo->setObjectName(QStringLiteral("LBLcodigo"));
    LBLcodigo->setVisible(false);
    LBLproy = new QLabel(this);
    LBLproy->setObjectName(QStringLiteral("LBLproy"));
    LBLproy->setVisible(false);
    body()->addStretch(1);
}
