#include "frmverpromn.h"

#include "ui/clicklabel.h"

#include <QHBoxLayout>
#include <QStyle>

TFRMverproMN::TFRMverproMN(QWidget* parent)
    : GoalSheetForm(Kind::MN, QStringLiteral("FRMverproMN"), QStringLiteral("Metas de productos"),
                    parent) {
    Image1 = make<ClickLabel>(QStringLiteral("Image1"), QString());
    Image1->setIcon(style()->standardIcon(QStyle::SP_FileDialogContentsView));
    Image1->setAccessibleName(QStringLiteral("Ver mas "));
    verMasRow->addWidget(Image1);
    handle(Image1, &ClickLabel::clicked, &TFRMverproMN::Label34Click);
}
