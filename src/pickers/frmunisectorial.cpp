#include "frmunisectorial.h"

TFRMunisectorial::TFRMunisectorial(QWidget* parent)
    : Form(QStringLiteral("FRMunisectorial"), QStringLiteral("Plan sectorial"), parent) {
    Label7 = screenNumber(QStringLiteral("Label7"), QStringLiteral("7"));
    Label6 = title(QStringLiteral("Label6"), QStringLiteral("Plan sectorial"));
    LBLcodigo = parameter(QStringLiteral("LBLcodigo"));
    LBLprod = parameter(QStringLiteral("LBLprod"));
    BitBtn1 = button(QStringLiteral("BitBtn1"), QStringLiteral("Agregar"));
    body()->addStretch(1);
    row({BitBtn1});
}
