#include "frmverpro.h"

#include <QLabel>

TFRMverpro::TFRMverpro(QWidget* parent)
    : Form(QStringLiteral("FRMverpro"), QStringLiteral("Información acción territorial"), parent) {
    LBLtitulo = title(QStringLiteral("LBLtitulo"),
                      QStringLiteral("Información sobre acciones territoriales"));
    LBLcodigo = new QLabel(this);
    LBLcodigo->setObjectName(QStringLiteral("LBLcodigo"));
    LBLcodigo->setVisible(false);
    LBLproy = new QLabel(this);
    LBLproy->setObjectName(QStringLiteral("LBLproy"));
    LBLproy->setVisible(false);
    body()->addStretch(1);
}
