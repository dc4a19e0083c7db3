#pragma once

#include "ui/form.h"

class QLabel;

// The progress of every product of a kind by executing unit. Not built yet: the window has its
// caption, title and screen number, and the controls other windows prepare before they show it.
class TFRMavaunidad : public Form {
    Q_OBJECT
public:
    explicit TFRMavaunidad(QWidget* parent = nullptr);

    QLabel* Label1;
    QLabel* LBLnumero;
    QLabel* LBLtipo;
};
