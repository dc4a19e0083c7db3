#pragma once

#include "ui/form.h"

class QLabel;

// Initial data of a ministry product: its dates and goals. Not built yet: the window has its
// caption, title and screen number, and the controls other windows prepare before they show it.
class TFRMingresoMN : public Form {
    Q_OBJECT
public:
    explicit TFRMingresoMN(QWidget* parent = nullptr);

    QLabel* LBLtitulo;
    QLabel* Label9;
    QLabel* LBLcodigo;
    QLabel* LBLproy;
};
