#include "frmgeografico.h"

TFRMgeografico::TFRMgeografico(QWidget* parent)
    : Form(QStringLiteral("FRMgeografico"), QStringLiteral("Municipios"), parent) {
    Label5 = screenNumber(QStringLiteral("Label5"), QStringLiteral("14"));
    Label6 = title(QStringLiteral("Label6"), QStringLiteral("Municipios"));
    LBLcodigo = parameter(QStringLiteral("LBLcodigo"));
    LBLproy = parameter(QStringLiteral("LBLproy"));
    body()->addStretch(1);
}
