#pragma once

#include "goalsheetform.h"

// The goal sheet of a ministry product.
class TFRMverproMN : public GoalSheetForm {
    Q_OBJECT
public:
    explicit TFRMverproMN(QWidget* parent = nullptr);

    // The picture beside "Ver mas ".
    ClickLabel* Image1;
};
