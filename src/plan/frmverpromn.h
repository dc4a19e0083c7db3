#pragma once

#include "ui/form.h"

class QLabel;

// The goal sheet of a ministry product. Not built yet: the window has its caption, title and
// screen number, and the controls other windows prepare before they show it.
class TFRMverproMN : public Form {
    Q_OBJECT
public:
    explicit TFRMverproMN(QWidget* parent = nullptr);

    QLabel* LBLtitulo;
    QLabel* LBLcodigo;
    QLabel* LBLproy;
};
