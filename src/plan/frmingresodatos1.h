#pragma once

#include "ui/form.h"

class QLabel;

// Initial data of a territorial action: its dates, goals and attributes. Not built yet: the window
// has its caption, title and screen number, and the controls other windows prepare before they show
// it.
class TFRMingresodatos1 : public Form {
    Q_OBJECT
public:
    explicit TFRMingresodatos1(QWidget* parent = nullptr);

    QLabel* LBLtitulo;
    QLabel* Label9;
    QLabel* LBLcodigo;
    QLabel* LBLproy;
};
