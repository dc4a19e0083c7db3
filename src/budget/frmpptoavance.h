#pragma once

#include "ui/form.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;

// The monthly budget execution of a territorial action. Not built yet: the window has its caption,
// title and screen number, and the controls other windows prepare before they show it.
class TFRMpptoavance : public Form {
    Q_OBJECT
public:
    explicit TFRMpptoavance(QWidget* parent = nullptr);

    QLabel* LBLtitulo;
    QLabel* LBLnumero;
    QLabel* LBLcodigo;
    QLabel* LBLprod;

    QLabel* LBLvicemin;
    QLineEdit* EDIvicemin;
    QLabel* LBLdirecc;
    QLineEdit* EDIdirecc;
    QLabel* LBLunidad;
    QLineEdit* EDIunidad;
    QLabel* LBLproyecto;
    QLineEdit* EDIproyecto;
    QLabel* LBLresultado;
    QPlainTextEdit* MEMresultado;
};
