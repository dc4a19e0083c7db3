#pragma once

#include "ui/form.h"

class QLabel;
class QPushButton;

// Attaches programmes of the sectorial plan to a product or territorial action. Not built yet: the
// window has its caption, title and screen number, and the controls other windows prepare before
// they show it.
class TFRMunisectorial : public Form {
    Q_OBJECT
public:
    explicit TFRMunisectorial(QWidget* parent = nullptr);

    QLabel* Label6;
    QLabel* Label7;
    QLabel* LBLcodigo;
    QLabel* LBLprod;
    QPushButton* BitBtn1; // "Agregar"
};
