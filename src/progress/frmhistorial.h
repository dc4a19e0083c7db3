#pragma once

#include "ui/form.h"

class QLabel;

// The history of a product's progress reports. Not built yet: the window has its caption, title and
// screen number, and the controls other windows prepare before they show it.
class TFRMhistorial : public Form {
    Q_OBJECT
public:
    explicit TFRMhistorial(QWidget* parent = nullptr);

    QLabel* LBLtitulo;
    QLabel* LBLnumero;
    QLabel* LBLcodigo;
    QLabel* LBLprod;
};
