#include "frmverpromn.h"

#include "ui/clicklabel.h"

TFRMverproMN::TFRMverproMN(QWidget* parent)
    : GoalSheetForm(QStringLiteral("FRMverproMN"), QStringLiteral("Metas de productos"), parent) {
    LBLtitulo->setText(QStringLiteral("Datos de metas"));
    Image1 = make<ClickLabel>(QStringLiteral("Image1"), QString());
}
