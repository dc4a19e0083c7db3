#pragma once

#include "ui/form.h"

class QLabel;

// The detail of a row of the progress report by unit. Not built yet: the window has its caption,
// title and screen number, and the controls other windows prepare before they show it.
class TFRMvermas : public Form {
    Q_OBJECT
public:
    explicit TFRMvermas(QWidget* parent = nullptr);

    QLabel* LBLnumero;
    QLabel* LBLcodigo;
    QLabel* LBLprod;
};
