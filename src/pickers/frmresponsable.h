#pragma once

#include "ui/form.h"

class DBGrid;
class DBLookupComboBox;
class DataSource;
class QComboBox;
class QLabel;
class QPushButton;
class ResponsibleLinks;
struct ProductKey;

// Attaches responsible persons to a product or territorial action, lists them and removes
// one. Once a person is added, "Agregar" stays disabled, also in later openings, until a
// person is removed.
class TFRMresponsable : public Form {
    Q_OBJECT
public:
    explicit TFRMresponsable(QWidget* parent = nullptr);

    QLabel* Label1;
    QLabel* Label5;
    QLabel* LBLcodigo;
    QLabel* LBLproy;

    QLabel* Label2;
    DBLookupComboBox* DBLookupComboBox2;
    DBGrid* DBGrid1;
    QPushButton* BitBtn1; // "Agregar"
    QPushButton* BitBtn2; // "Eliminar"
    QPushButton* BitBtn3; // "Salir"
    // Whether the person is in charge of the group: never shown, always "NO".
    QLabel* Label7;
    QComboBox* CBXrespon;

    ResponsibleLinks* responsables;
    DataSource* DSOquery1;

    void BitBtn1Click();
    void BitBtn2Click();
    void BitBtn3Click();

protected:
    void FormActivate() override;

private:
    ProductKey product() const;
};
