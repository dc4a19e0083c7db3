#include "frmverproex.h"

TFRMverproEX::TFRMverproEX(QWidget* parent)
    : GoalSheetForm(QStringLiteral("FRMverproEX"), QStringLiteral("FRMverproEX"), parent) {
    LBLtitulo->setText(QStringLiteral("Ficha de datos de la acción territorial"));
    BTNppto = button(QStringLiteral("BTNppto"), QStringLiteral("Presupuesto"));
}
