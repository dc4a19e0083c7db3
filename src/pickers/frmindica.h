#pragma once

#include "ui/form.h"

class QLabel;

// Attaches general indicators with their quantities to a product or territorial action. Not built
// yet: the window has its caption, title and screen number, and the controls other windows prepare
// before they show it.
class TFRMindica : public Form {
    Q_OBJECT
public:
    explicit TFRMindica(QWidget* parent = nullptr);

    QLabel* Label6;
    QLabel* Label1;
    QLabel* LBLcodigo;
    QLabel* LBLproy;
};
