#pragma once

#include "ui/form.h"

class DBGrid;
class DBLookupComboBox;
class DataSource;
class MunicipalityLinks;
class QCheckBox;
class QLabel;
class QPushButton;
struct ProductKey;

// Attaches municipalities to a product or territorial action: one municipality of a
// department, or all of them at once. Lists the municipalities attached and removes one.
class TFRMgeografico : public Form {
    Q_OBJECT
public:
    explicit TFRMgeografico(QWidget* parent = nullptr);

    QLabel* Label6;
    QLabel* Label5;
    QLabel* Label7;
    QLabel* LBLcodigo;
    QLabel* LBLproy;
    // The code of the department last chosen.
    QLabel* Label10;

    QLabel* Label2;
    DBLookupComboBox* DBLdepto;
    QLabel* Label3;
    DBLookupComboBox* DBLmuni;
    QCheckBox* CHBmuni;
    DBGrid* DBGrid1;
    QPushButton* BitBtn2; // "Grabar"
    QPushButton* BitBtn3; // "Eliminar"
    QPushButton* BitBtn4; // "Salir"

    MunicipalityLinks* municipios;
    DataSource* DSOgeo;
    DataSource* DSOmuni;

    void DBLdeptoClick();
    void BitBtn2Click();
    void BitBtn3Click();
    void BitBtn4Click();

protected:
    void FormActivate() override;

private:
    ProductKey product() const;
};
