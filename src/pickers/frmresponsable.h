#pragma once

#include "ui/form.h"

class QLabel;

// Attaches responsible persons to a product or territorial action. Not built yet: the window has
// its caption, title and screen number, and the controls other windows prepare before they show it.
class TFRMresponsable : public Form {
    Q_OBJECT
public:
    explicit TFRMresponsable(QWidget* parent = nullptr);

    QLabel* Label1;
    QLabel* Label5;
    QLabel* LBLcodigo;
    QLabel* LBLproy;
};
