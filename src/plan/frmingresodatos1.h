#pragma once

#include "ui/form.h"

class DBGrid;
class DataSource;
class DatePicker;
class GoalEntry;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// Initial data of a territorial action: its dates, goals and attributes. So far the window
// has what the register browser prepares before it shows it: the header boxes, the dates,
// the goal list and the buttons it disables.
class TFRMingresodatos1 : public Form {
    Q_OBJECT
public:
    explicit TFRMingresodatos1(QWidget* parent = nullptr);

    // Reloads the goal list for the unit code, action number and year.
    void abre_hito();
    // Disables the attribute buttons and the four date pickers.
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

    QLabel* Label1;
    DatePicker* DTPdesde;
    QLabel* Label2;
    DatePicker* DTPhasta;
    QPushButton* BTNagrega;
    QPushButton* BTNcancela;
    QPushButton* BTNmun;
    QPushButton* BTNresp;
    QPushButton* BTNefecto;
    QPushButton* BTNorga;
    QPushButton* BTNsector;
    QPushButton* BTNindica;
    QPushButton* BTNplan;
    QPushButton* BitBtn2;

    QLabel* Label17;
    QLabel* Label3;
    QLineEdit* Edit3;
    QLabel* Label6;
    DatePicker* DTMdesde;
    QLabel* Label18;
    DatePicker* DTMhasta;
    DBGrid* DBGrid1;

    GoalEntry* metas;
    DataSource* DSOhito;
};
