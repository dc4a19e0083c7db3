#pragma once

#include "ui/form.h"
#include "ui/headerboxes.h"
#include "ui/sheet.h"

class ClickLabel;
class DayChart;
class ProgressPictures;
class DBEdit;
class DBGrid;
class DBMemo;
class DataSource;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class Query;

// The history of a product's progress reports in the session year, goal by goal, with what
// each reporter wrote; read-only. The opener writes the unit code into LBLcodigo, the
// product number into LBLprod and the names of the unit and product into the boxes.
// From here the product's goal sheet ("Ver mas") and information sheet ("Acerca de") open.
class TFRMhistorial : public Form {
    Q_OBJECT
public:
    explicit TFRMhistorial(QWidget* parent = nullptr);

    QLabel* LBLtitulo;
    QLabel* LBLnumero;
    QLabel* LBLcodigo;
    QLabel* LBLprod;
    QLabel* LBLorigen; // "A" or "H" from the openers; nothing reads it

    QLabel* LBLvicemin;
    QLineEdit* EDIvicemin;
    QLabel* LBLdirecc;
    QLineEdit* EDIdirecc;
    QLabel* LBLunidad;
    QLineEdit* EDIunidad;
    QLabel* LBLproducto;
    QLineEdit* EDIproducto1;
    QLabel* LBLactividad;
    QPlainTextEdit* MEMindica;

    DBGrid* DBGrid1;
    DayChart* GRFavance; // the picture of the product's year, beside the grid
    QLabel* Label1;      // "Descripción de informes"
    QLabel* LBLdescr;
    DBMemo* DBMemo2;
    QLabel* LBLaclara;
    DBMemo* DBMemo3;
    QLabel* LBLfecini;
    DBEdit* DBEdit1;
    QLabel* LBLfecfin;
    DBEdit* DBEdit2;
    ClickLabel* Label2;
    ClickLabel* Image1;
    QPushButton* BitBtn2; // hidden, the same as "Ver mas"
    QPushButton* BitBtn1;
    QPushButton* BTNimprime;
    QPushButton* BTNexporta;
    QPushButton* BTNgrafico;
    QPushButton* Volver;

    Query* qhistorial;
    Query* Qproacc;
    Query* qproducto;
    DataSource* DSOhistorial;
    DataSource* DSOproducto;

    void Label2Click();
    void BitBtn1Click();
    void BTNimprimeClick();
    void BTNexportaClick();
    void BTNgraficoClick();
    void VolverClick();

protected:
    void FormActivate() override;

private:
    // The kind of the products the report by unit last listed.
    QString tipoReporte() const;
    // The product's header as this window shows it, for the windows it opens.
    HeaderTexts historyHeader() const;
    // Draws the product's year in GRFavance.
    void dibuja_avance();
    // The history as it is shown, to print or export, with its picture.
    Sheet hoja() const;

    ProgressPictures* m_pictures;
};
