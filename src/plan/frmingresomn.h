#pragma once

#include "ui/form.h"

class ClickLabel;
class DBGrid;
class DataSource;
class DatePicker;
class GoalEntry;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class Query;
struct ProductKey;

// Initial data of a ministry product: its start and end, and its goals, stored one by one,
// each followed by the closing goal. The register browser prepares it: unit code and
// product number, the header boxes, the product dates, the goal list and the buttons.
class TFRMingresoMN : public Form {
    Q_OBJECT
public:
    explicit TFRMingresoMN(QWidget* parent = nullptr);

    // Reloads the goal list for the unit code, product number and year.
    void abre_hito();
    // Disables the four date pickers.
    void d_botones();

    QLabel* LBLtitulo;
    QLabel* Label9;
    QLabel* LBLcodigo;
    QLabel* LBLproy;

    QLabel* LBLvicemin;
    QLineEdit* EDIvicemin;
    QLabel* LBLdireccion;
    QLineEdit* EDIdirecc;
    QLabel* LBLunidad;
    QLineEdit* EDIunidad;
    QLabel* LBLunieje;
    QLineEdit* EDIunieje;
    QLabel* Label4;
    QLineEdit* EDIproyecto;
    QLabel* Label5;
    QPlainTextEdit* MEMresultado;
    ClickLabel* Label34;
    ClickLabel* Image1;

    QLabel* Label1;
    DatePicker* DTPdesde;
    QLabel* Label2;
    DatePicker* DTPhasta;
    QPushButton* BTNagrega;
    QPushButton* BTNcancela;
    QPushButton* BTNrespon;
    QPushButton* BTNsector;
    QPushButton* BitBtn5;

    QLabel* Label17;
    QLabel* Label3;
    QLineEdit* Edit3;
    QLabel* Label6;
    DatePicker* DTMdesde;
    QLabel* Label7;
    DatePicker* DTMhasta;
    DBGrid* DBGrid1;
    QPushButton* BTNagrehit;
    QPushButton* BTNgrabhit;
    QPushButton* BTNdeshacer;

    // The goal rules and the goal list the grid shows.
    GoalEntry* metas;
    DataSource* DSOhito;
    // The product's header, for "Ver mas ".
    Query* Qprodacc;

    void BTNagregaClick();
    void DTPdesdeChange();
    void DTPdesdeExit();
    void DTPhastaChange();
    void DTPhastaExit();
    void BTNagrehitClick();
    void BTNgrabhitClick();
    void BTNdeshacerClick();
    void BTNcancelaClick();
    void BTNresponClick();
    void BTNsectorClick();
    void Label34Click();
    void BitBtn5Click();
    void Edit3Change();

protected:
    void FormActivate() override;

private:
    // The product the window works on: LBLcodigo, LBLproy and the session year.
    ProductKey product() const;
    // After a goal was stored or refused: ready for the next one.
    void goalEntryDone();
};
