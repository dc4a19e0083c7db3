#pragma once

#include "goalsheetform.h"

// The goal sheet of a territorial action.
class TFRMverproEX : public GoalSheetForm {
    Q_OBJECT
public:
    explicit TFRMverproEX(QWidget* parent = nullptr);

    QPushButton* BTNppto;
};
