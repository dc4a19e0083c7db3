#pragma once

#include "ui/form.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;

// The information sheet of a territorial action. Not built yet: the window has its caption, title
// and screen number, and the controls other windows prepare before they show it.
class TFRMverpro : public Form {
    Q_OBJECT
public:
    explicit TFRMverpro(QWidget* parent = nullptr);

    QLabel* LBLtitulo;
    QLabel* LBLcodigo;
    QLabel* LBLproy;

    QLabel* Label4;
    QLineEdit* EDIvicemin;
    QLabel* LBLdireccion;
    QLineEdit* EDIdirecc;
    QLabel* LBLunidad;
    QLineEdit* EDIunidad;
    QLabel* LBLvicemin;
    QLineEdit* EDIproyecto;
    QLabel* Label5;
    QPlainTextEdit* MEMresultado;
};
