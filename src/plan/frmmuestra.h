#pragma once

#include "ui/form.h"

class QLabel;
class QPushButton;

// The plan register browser: lists a unit's product headers of the year and adds, changes and
// deletes them. Not built yet: the window has its caption, title and screen number, and the
// controls other windows prepare before they show it.
class TFRMmuestra : public Form {
    Q_OBJECT
public:
    explicit TFRMmuestra(QWidget* parent = nullptr);

    QLabel* LBLtitulo;
    QLabel* Label5;
    QPushButton* BTNagreprod;
    QPushButton* BTNgrabaprod;
    QPushButton* BTNelimina;
    QLabel* LBLestado1;
    QLabel* LBLcodigo;
    QLabel* LBLprod;
};
