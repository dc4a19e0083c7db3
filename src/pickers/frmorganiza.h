#pragma once

#include "ui/form.h"

class DBGrid;
class DBLookupComboBox;
class DataSource;
class GroupLinks;
class QLabel;
class QPushButton;
struct ProductKey;

// Attaches indigenous groups to a product or territorial action, lists them and deletes
// one.
class TFRMorganiza : public Form {
    Q_OBJECT
public:
    explicit TFRMorganiza(QWidget* parent = nullptr);

    QLabel* Label6;
    QLabel* Label10;
    QLabel* LBLcodigo;
    QLabel* LBLproy;

    QLabel* Label4;
    DBLookupComboBox* DBLookupComboBox1;
    DBGrid* DBGrid1;
    QPushButton* BitBtn2; // "Grabar"
    QPushButton* BitBtn3; // "Eliminar"
    QPushButton* BitBtn1; // "Salir"

    GroupLinks* grupos;
    DataSource* DSOquery1;

    void BitBtn2Click();
    void BitBtn3Click();
    void BitBtn1Click();

protected:
    void FormActivate() override;

private:
    ProductKey product() const;
};
