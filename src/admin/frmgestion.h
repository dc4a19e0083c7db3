#pragma once

#include "ui/form.h"

class QComboBox;
class YearOpening;

// Opening a new management year from one that holds an organisation: its organisation
// and, when asked, its accounts are copied into the new year.
class TFRMgestion : public Form {
    Q_OBJECT
public:
    explicit TFRMgestion(QWidget* parent = nullptr);

    YearOpening* apertura;

    QLabel* LBLnumero;
    QLabel* LBLtitulo;
    QLabel* Label1;
    QComboBox* CBXorigen;
    QLabel* Label2;
    QLineEdit* EDIgestion;
    QCheckBox* CHBcuentas;
    QPushButton* BTNabrir;
    QPushButton* BTNsalir;

    void BTNabrirClick();
    void BTNsalirClick();

protected:
    void FormActivate() override;
};
