#pragma once

#include "ui/form.h"

class QLabel;

// Shows the dates and goals of a territorial action. Not built yet: the window has its caption,
// title and screen number, and the controls other windows prepare before they show it.
class TFRMvermetasex : public Form {
    Q_OBJECT
public:
    explicit TFRMvermetasex(QWidget* parent = nullptr);

    QLabel* LBLtitulo;
    QLabel* LBLcodigo;
    QLabel* LBLproy;
};
