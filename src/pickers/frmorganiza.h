#pragma once

#include "ui/form.h"

class QLabel;

// Attaches indigenous groups to a product or territorial action. Not built yet: the window has its
// caption, title and screen number, and the controls other windows prepare before they show it.
class TFRMorganiza : public Form {
    Q_OBJECT
public:
    explicit TFRMorganiza(QWidget* parent = nullptr);

    QLabel* Label6;
    QLabel* Label10;
    QLabel* LBLcodigo;
    QLabel* LBLproy;
};
