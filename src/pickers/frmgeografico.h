#pragma once

#include "ui/form.h"

class QLabel;

// Attaches municipalities to a product or territorial action. Not built yet: the window has its
// caption, title and screen number, and the controls other windows prepare before they show it.
class TFRMgeografico : public Form {
    Q_OBJECT
public:
    explicit TFRMgeografico(QWidget* parent = nullptr);

    QLabel* Label6;
    QLabel* Label5;
    QLabel* LBLcodigo;
    QLabel* LBLproy;
};
