#pragma once

#include "ui/form.h"

class DBLookupComboBox;
class QLabel;
class QPushButton;

// The monthly progress report on the open goal of a product. Not built yet: the window has its
// caption, title and screen number, and the controls other windows prepare before they show it.
class TFRMavance : public Form {
    Q_OBJECT
public:
    explicit TFRMavance(QWidget* parent = nullptr);

    QLabel* LBLtitulo;
    QPushButton* BTNagrega;
    QPushButton* BTNgraba;
    QPushButton* BTNantes;
    QPushButton* BTNsig;
    DBLookupComboBox* DBLvicemin;
    DBLookupComboBox* DBLdirecc;
    DBLookupComboBox* DBLunidad;
    QLabel* LBLcodigo;
    QLabel* LBLprod;
};
