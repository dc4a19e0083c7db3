#include "frmverproex.h"

#include "app/application.h"
#include "budget/frmfinanciero.h"

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
    budget->EDIvicemin->setText(EDIvicemin->text());
    budget->EDIdirecc->setText(EDIdirecc->text());
    budget->EDIunidad->setText(EDIunidad->text());
    budget->EDIproyecto->setText(EDIproyecto->text());
    budget->MEMresultado->setPlainText(MEMresultado->toPlainText());
    budget->LBLcodigo->setText(LBLcodigo->text());
    budget->LBLprod->setText(LBLproy->text());
    open(budget);
}
