#pragma once

#include "ui/form.h"

class DBEdit;
class DBGrid;
class DataSource;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class Query;

// The dates and goals of a territorial action, for reading: the caller hands over the unit,
// the action number and the header texts; each activation reads the action's dates and its
// goals of the session year, and the boxes under the grid show the goal of its current row.
class TFRMvermetasex : public Form {
    Q_OBJECT
public:
    explicit TFRMvermetasex(QWidget* parent = nullptr);

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

    QGroupBox* GroupBox1;
    QLabel* Label1;
    DBEdit* DBEdit1;
    QLabel* Label2;
    DBEdit* DBEdit2;

    DBGrid* DBGrid1;

    QGroupBox* GroupBox2;
    QLabel* Label6;
    QLabel* Label7;
    DBEdit* DBEdit5;
    QLabel* Label8;
    DBEdit* DBEdit3;
    QLabel* Label9;
    DBEdit* DBEdit4;

    QPushButton* BTNsalir;

    Query* Qproducto;
    Query* Qmetas;
    DataSource* DSOproducto;
    DataSource* DSOmetas;

    void BTNsalirClick();

protected:
    void FormActivate() override;
};
