#pragma once

#include "ui/form.h"

class DBGrid;
class DBLookupComboBox;
class DataSource;
class QCheckBox;
class QLabel;
class QPushButton;
class SectorLinks;
struct ProductKey;

// Attaches sub-sectors to a product or territorial action: one sub-sector of a sector, or
// all of them at once ("Todos"). Lists the sub-sectors attached and removes one.
class TFRMsector : public Form {
    Q_OBJECT
public:
    explicit TFRMsector(QWidget* parent = nullptr);

    QLabel* Label1;
    QLabel* Label5;
    QLabel* LBLcodigo;
    QLabel* LBLproy;

    QLabel* Label2;
    DBLookupComboBox* DBLsector;
    QLabel* Label3;
    DBLookupComboBox* DBLsubsec;
    QCheckBox* CHBtodos;
    DBGrid* DBGrid1;
    QPushButton* BTNgraba;
    QPushButton* BTNcancela; // "Eliminar"
    QPushButton* BTNsalir;

    SectorLinks* sectores;
    DataSource* DSOsector;

    void DBLsectorClick();
    void CHBtodosClick();
    void CHBtodosExit();
    void BTNgrabaClick();
    void BTNcancelaClick();
    void BTNsalirClick();

protected:
    void FormActivate() override;

private:
    ProductKey product() const;
};
