#pragma once

#include "ui/form.h"

class DBGrid;
class DBLookupComboBox;
class DataSource;
class QLabel;
class QLineEdit;
class QPushButton;
class SectorialPlanLinks;
struct ProductKey;

// Attaches programmes of the sectorial plan to a product or territorial action: a policy,
// then one of its programmes. Lists the programmes attached and deletes one. "Agregar"
// keeps the state its caller gave it.
class TFRMunisectorial : public Form {
    Q_OBJECT
public:
    explicit TFRMunisectorial(QWidget* parent = nullptr);

    QLabel* Label6;
    QLabel* Label7;
    QLabel* LBLcodigo;
    QLabel* LBLprod;

    QLabel* Label2;
    DBLookupComboBox* DBLpolitica;
    QLabel* Label3;
    DBLookupComboBox* DBLprograma;
    QLabel* Label1;
    QLineEdit* Edit1; // free text, not stored
    DBGrid* DBGrid1;
    QPushButton* BitBtn1; // "Agregar"
    QPushButton* BitBtn2; // "Eliminar"
    QPushButton* BitBtn3; // "Salir"

    SectorialPlanLinks* plan;
    DataSource* DSOsector;

    void DBLpoliticaClick();
    void BitBtn1Click();
    void BitBtn2Click();
    void BitBtn3Click();

protected:
    void FormActivate() override;

private:
    ProductKey product() const;
};
