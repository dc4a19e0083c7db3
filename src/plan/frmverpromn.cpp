#include "frmverpromn.h"

#include "ui/clicklabel.h"

#include <QHBoxLayout>

TFRMverproMN::TFRMverproMN(QWidget* parent)
    : GoalSheetForm(Kind::MN, QStringLiteral("FRMverproMN"), QStringLiteral("Metas de productos"),
                    parent) {
    Image1 = make<ClickLabel>(QStringLiteral("Image1"), QStringLiteral("⌕"));
    Image1->setAccessibleName(QStringLiteral("Ver mas "));
    Image1->setTextColour(QColor(0, 82, 164));
    QFont big = Image1->font();
    big.setPointSizeF(big.pointSizeF() * 1.4);
    Image1->setFont(big);
    verMasRow->addWidget(Image1);
    handle(Image1, &ClickLabel::clicked, &TFRMverproMN::Label34Click);
}
