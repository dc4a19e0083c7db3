#pragma once

#include "ui/form.h"

class ClickLabel;
class DBEdit;
class DBGrid;
class DataSource;
class DatePicker;
class GoalSheet;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// The goal sheet: the goals of one product with their dates and programmed cumulative
// percentages, read-only or, after "Modificar metas", with the current goal's description
// and dates to correct. Saving rewrites the product's dates from the goals, chains every
// goal's start to the end of the one before it and recomputes the percentages. Ministry
// products and territorial actions each have their twin (TFRMverproMN, TFRMverproEX),
// which differ in captions and in a few controls.
//
// A caller fills the header boxes, writes the unit code into LBLcodigo and the product
// number into LBLproy, calls abre_metas() and sets the buttons it wants usable before
// showing the window.
class GoalSheetForm : public Form {
    Q_OBJECT
public:
    // Loads the goal list and the earliest goal start and latest goal end for LBLcodigo,
    // LBLproy and the session year.
    void abre_metas();

    QLabel* LBLtitulo;
    QLabel* LBLcodigo;
    QLabel* LBLproy;

    QLabel* LBLvicemin;
    QLineEdit* EDIvicemin;
    QLabel* LBLdireccion;
    QLineEdit* EDIdirecc;
    QLabel* LBLunidad;
    QLineEdit* EDIunidad;
    QLabel* Label4;
    QLineEdit* EDIproyecto;
    QLabel* LBLproducto;
    QPlainTextEdit* MEMresultado;
    ClickLabel* Label34;

    QLineEdit* EDIfecini;
    QLineEdit* EDIfecfin;
    DatePicker* DTMdesde;
    DatePicker* DTMhasta;
    DBEdit* DBEdescri;
    DBEdit* DBEfecini;
    DBEdit* DBEfecfin;
    DatePicker* DTMinicio;
    DatePicker* DTMfinal;
    DBGrid* DBGrid2;

    QPushButton* BitBtn1;
    QPushButton* BTNmodifi;
    QPushButton* BTNgramet;
    QPushButton* BTNcancela;
    QPushButton* BTNelimina;
    QPushButton* BTNsalir;
    QPushButton* BTNagrega;

    // The goal rules and the goal list the grid shows.
    GoalSheet* metas;
    DataSource* DSOhito;

protected:
    GoalSheetForm(const QString& objectName, const QString& caption, QWidget* parent);
};
