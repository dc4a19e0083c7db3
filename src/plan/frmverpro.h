#pragma once

#include "ui/form.h"

class ClickLabel;
class DBGrid;
class DataSource;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class Query;

// The information sheet of a territorial action: its header (entity, component, unit,
// action, specific indicators) and the six lists of what is attached to it, each with a
// link to the picker that adds to it and a link that reads it again. Every time the sheet
// becomes active (also when a picker or viewer it opened closes) it reads all of it again
// for the unit, action number and year. "Metas" shows the action's dates and goals.
class TFRMverpro : public Form {
    Q_OBJECT
public:
    explicit TFRMverpro(QWidget* parent = nullptr);

    QLabel* LBLtitulo;
    QLabel* LBLcodigo;
    QLabel* LBLproy;

    QLabel* Label4;
    QLineEdit* EDIvicemin;
    QLabel* LBLdireccion;
    QLineEdit* EDIdirecc;
    QLabel* LBLunidad;
    QLineEdit* EDIunidad;
    QLabel* LBLvicemin;
    QLineEdit* EDIproyecto;
    QLabel* Label5;
    QPlainTextEdit* MEMresultado;
    ClickLabel* Label21;
    ClickLabel* Image1;

    // The six sections, top to bottom: indicators, municipalities, indigenous groups,
    // sector and sub-sector, sectorial plan, responsible persons.
    QGroupBox* GroupBox1;
    DBGrid* DBGrid3;
    ClickLabel* Label8;
    ClickLabel* Label9;
    QGroupBox* GroupBox2;
    DBGrid* DBGrid1;
    ClickLabel* Label10;
    ClickLabel* Label11;
    QGroupBox* GroupBox3;
    DBGrid* DBGrid4;
    ClickLabel* Label14;
    ClickLabel* Label15;
    QGroupBox* GroupBox4;
    DBGrid* DBGrid5;
    ClickLabel* Label16;
    ClickLabel* Label17;
    QGroupBox* GroupBox5;
    DBGrid* DBGrid6;
    ClickLabel* Label19;
    ClickLabel* Label20;
    QGroupBox* GroupBox6;
    DBGrid* DBGrid2;
    ClickLabel* Label12;
    ClickLabel* Label13;

    QPushButton* BitBtn2;
    QPushButton* BTNcerrar;

    Query* ADOQunidad;
    Query* Qindica;
    Query* Qmun;
    Query* Qorga;
    Query* Qsector;
    Query* Qsectorial;
    Query* Qresp;
    DataSource* DSOindica;
    DataSource* DSOmun;
    DataSource* DSOorga;
    DataSource* DSOsector;
    DataSource* DSOsectorial;
    DataSource* DSOresp;

    // Add links: the picker of the section, for this unit and action.
    void Label8Click();
    void Label10Click();
    void Label14Click();
    void Label16Click();
    void Label19Click();
    void Label12Click();
    // Reload links: the section's list read again.
    void Label9Click();
    void Label11Click();
    void Label15Click();
    void Label17Click();
    void Label20Click();
    void Label13Click();
    void Label21Click();
    void BitBtn2Click();
    void BTNcerrarClick();

protected:
    void FormActivate() override;

private:
    // Hands the product to a picker and shows it.
    template <typename Picker> void openPicker(Picker* picker);
    // The lists, each for the unit, the action number and the year.
    void abre_indica();
    void abre_mun();
    void abre_orga();
    void abre_sector();
    void abre_sectorial();
    void abre_resp();
};
