#pragma once

#include "ui/form.h"

class QLabel;

// The administration of user accounts. Not built yet: the window has its caption, title and
// screen number, and the controls other windows prepare before they show it.
class TFRMusuario : public Form {
    Q_OBJECT
public:
    explicit TFRMusuario(QWidget* parent = nullptr);

    QLabel* LBLtitulo;
    QLabel* LBLnumero;
};
