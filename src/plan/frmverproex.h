#pragma once

#include "ui/form.h"

class QLabel;

// The goal sheet of a territorial action. Not built yet: the window has its caption, title and
// screen number, and the controls other windows prepare before they show it.
class TFRMverproEX : public Form {
    Q_OBJECT
public:
    explicit TFRMverproEX(QWidget* parent = nullptr);

    QLabel* LBLtitulo;
    QLabel* LBLcodigo;
    QLabel* LBLproy;
};
