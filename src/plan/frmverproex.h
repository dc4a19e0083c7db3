#pragma once

#include "goalsheetform.h"

// The goal sheet of a territorial action, which also opens the programming of its budget.
class TFRMverproEX : public GoalSheetForm {
    Q_OBJECT
public:
    explicit TFRMverproEX(QWidget* parent = nullptr);

    QPushButton* BTNppto;

    void BTNpptoClick();
};
