#pragma once

#include "ui/form.h"

class QLabel;
class QPushButton;
class Query;

// The detail of a row of the progress report by unit: a chooser between the product's
// report history, its goal sheet and, for decentralised entities, its information sheet.
// The opener writes the unit code into LBLcodigo and the product number into LBLprod.
class TFRMvermas : public Form {
    Q_OBJECT
public:
    explicit TFRMvermas(QWidget* parent = nullptr);

    QLabel* LBLnumero;
    QLabel* LBLcodigo;
    QLabel* LBLprod;

    QPushButton* BitBtn1;
    QPushButton* BitBtn2;
    QPushButton* BTNdatosgral;

    // The names of the unit of the session year.
    Query* Qunidad;
    // The header of the product LBLcodigo, LBLprod in the session year: what the goal
    // sheet and the information sheet show of it.
    Query* Qproaccion;

    void BitBtn1Click();
    void BitBtn2Click();
    void BTNdatosgralClick();

protected:
    void FormActivate() override;

private:
    void abre_unidad(Query* unidad);
    void abre_producto();
};
