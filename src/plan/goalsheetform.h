#pragma once

#include "core/kind.h"
#include "ui/form.h"

class ClickLabel;
class DBEdit;
class DBGrid;
class DataSource;
class DatePicker;
class GoalSheet;
class QDate;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
struct ProductKey;

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
    // Loads the goals (abre_metas) and shows them for reading: "Modificar metas" in place of
    // "Grabar metas", usable only when `changeable`; otherwise no button that changes a goal
    // is.
    void showGoals(bool changeable);

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

    // The product panel (its start and end) and the goal panel (the current goal).
    QGroupBox* GroupBox1;
    QLabel* Label1;
    QLabel* Label2;
    QGroupBox* GroupBox2;
    QLabel* Label3;
    QLabel* Label5;
    QLabel* Label6;

    void DBGrid2CellClick();
    void DBGrid2KeyUp();
    void BTNmodifiClick();
    void DTMinicioChange();
    void DTMfinalChange();
    void BTNgrametClick();
    void BTNcancelaClick();
    void BTNeliminaClick();
    void BitBtn1Click();
    void Label34Click();
    void BTNsalirClick();

protected:
    GoalSheetForm(Kind kind, const QString& objectName, const QString& windowCaption,
                  QWidget* parent);

    void FormActivate() override;

    Kind kind() const { return m_kind; }
    // The product the sheet shows: LBLcodigo, LBLproy and the session year.
    ProductKey product() const;

    // Where a twin puts its own controls: beside "Ver mas ", among the buttons.
    QHBoxLayout* verMasRow;
    QHBoxLayout* buttonRow;

private:
    // The pickers hidden, the goal boxes shown and read-only.
    void muestra_metas();
    // Back to view mode: the goal boxes as above, "Modificar metas" usable and shown,
    // "Grabar metas" and "&Cancela" not usable.
    void modo_consulta();
    // The current goal's dates into the goal pickers.
    void copia_fechas();

    Kind m_kind;
    bool m_editando = false;
};
