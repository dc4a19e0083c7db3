#pragma once

#include "ui/form.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;

// The monthly programming of a territorial action's budget. Not built yet: the window has its
// caption, title and screen number, and the controls other windows prepare before they show it.
class TFRMfinanciero : public Form {
    Q_OBJECT
public:
    explicit TFRMfinanciero(QWidget* parent = nullptr);

    QLabel* LBLtitulo;
    QLabel* LBLnumero;
    QLabel* LBLcodigo;
    QLabel* LBLprod;

    // The product, as the caller shows it: its unit's names, its name and its result.
    QLineEdit* EDIvicemin;
    QLineEdit* EDIdirecc;
    QLineEdit* EDIunidad;
    QLineEdit* EDIproyecto;
    QPlainTextEdit* MEMresultado;
};
