#include "frmverproex.h"

#include "app/application.h"
#include "budget/frmfinanciero.h"
#include "ui/headerboxes.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

TFRMverproEX::TFRMverproEX(QWidget* parent)
    : GoalSheetForm(Kind::EX, QStringLiteral("FRMverproEX"), QStringLiteral("FRMverproEX"),
                    parent) {
    BTNppto = button(QStringLiteral("BTNppto"), QStringLiteral("Presupuesto"));
    buttonRow->insertWidget(buttonRow->indexOf(BTNagrega) + 1, BTNppto);
    handle(BTNppto, &QPushButton::clicked, &TFRMverproEX::BTNpptoClick);
}

void TFRMverproEX::BTNpptoClick() {
    TFRMfinanciero* budget = Application::instance()->FRMfinanciero();
    showHeader(budget, headerTexts(this));
    budget->LBLcodigo->setText(LBLcodigo->text());
    budget->LBLprod->setText(LBLproy->text());
    open(budget);
}
