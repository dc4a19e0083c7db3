#include "frmavaunidad.h"

#include <QLabel>

TFRMavaunidad::TFRMavaunidad(QWidget* parent)
    : Form(QStringLiteral("FRMavaunidad"),
           QStringLiteral("Avance productos, acciones territoriales"), parent) {
    LBLnumero = screenNumber(QStringLiteral("LBLnumero"), QStringLiteral("10"));
    Label1 = title(QStringLiteral("Label1"), QStringLiteral(""));
    LBLtipo = new QLabel(this);
    LBLtipo->setObjectName(QStringLiteral("LBLtipo"));
    LBLtipo->setVisible(false);
    body()->addStretch(1);
}
