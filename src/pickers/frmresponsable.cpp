#include "frmresponsable.h"

TFRMresponsable::TFRMresponsable(QWidget* parent)
    : Form(QStringLiteral("FRMresponsable"),
           QStringLiteral("Responsables productos o acciones territoriales"), parent) {
    Label5 = screenNumber(QStringLiteral("Label5"), QStringLiteral("6"));
    Label1 = title(QStringLiteral("Label1"), QStringLiteral("Responsables"));
    LBLcodigo = parameter(QStringLiteral("LBLcodigo"));
    LBLproy = parameter(QStringLiteral("LBLproy"));
    body()->addStretch(1);
}
