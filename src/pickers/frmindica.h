#pragma once

#include "ui/form.h"

class DBGrid;
class DBLookupComboBox;
class DataSource;
class IndicatorLinks;
class QLabel;
class QLineEdit;
class QPushButton;
struct ProductKey;

// Attaches general indicators with their quantities to a product or territorial action.
// Choosing an indicator starts a new line, whose quantity is typed in "Cantidad" and which
// "Grabar" stores; the list shows the product's indicators of every year.
class TFRMindica : public Form {
    Q_OBJECT
public:
    explicit TFRMindica(QWidget* parent = nullptr);

    QLabel* Label6;
    QLabel* Label1;
    QLabel* Label10;
    QLabel* LBLcodigo;
    QLabel* LBLproy;

    QLabel* Label5;
    DBLookupComboBox* DBLookupComboBox1;
    QLabel* Label4;
    QLineEdit* DBEdit1; // the new line's quantity
    DBGrid* DBGrid1;
    QPushButton* BTNgraba;
    QPushButton* BTNelimina;
    QPushButton* BTNsalir;

    IndicatorLinks* indicadores;
    DataSource* DSOquery1;

    void DBLookupComboBox1Click();
    void BTNgrabaClick();
    void BTNeliminaClick();
    void BTNsalirClick();

protected:
    void FormActivate() override;
    void showEvent(QShowEvent* event) override;

private:
    ProductKey product() const;
    // A new line was started by choosing an indicator in this opening and is not stored
    // yet.
    bool m_newLine = false;
};
