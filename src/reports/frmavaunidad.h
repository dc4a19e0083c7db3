#pragma once

#include "bands.h"
#include "ui/dbgrid.h"
#include "ui/form.h"
#include "ui/sheet.h"

class ClickLabel;
class DBLookupComboBox;
class DataSource;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class Query;

// The progress of every product (or territorial action) of a kind that has been reported:
// the latest report's date, the highest percentage reported and how far it is from the
// progress expected at that date, each row coloured by the band that difference falls in.
// The list narrows to a vice-ministry, a direction and a unit, each level on its own.
class TFRMavaunidad : public Form {
    Q_OBJECT
public:
    explicit TFRMavaunidad(QWidget* parent = nullptr);

    QLabel* Label1;
    QLabel* LBLnumero;
    QLabel* LBLtipo;

    QLabel* LBLvicemin;
    DBLookupComboBox* DBLvicemin;
    QCheckBox* CHBtodvic;
    QLabel* LBLdirecc;
    DBLookupComboBox* DBLdirecc;
    QCheckBox* CHBtoddir;
    QLabel* LBLunidad;
    DBLookupComboBox* DBLunidad;
    QCheckBox* CHBtoduni;
    QLineEdit* Edit4;
    QLabel* Label2;

    QLabel* Label3; // "Fisico"
    QLabel* Label4; // "Financiero"
    DBGrid* DBGrid1;
    ClickLabel* Label5;
    ClickLabel* Image1;
    QPushButton* BitBtn1;
    QPushButton* BTNimprime;
    QPushButton* BTNexporta;
    QPushButton* BitBtn2;

    // One row per product and year with at least one progress report.
    Query* Qavaunidad;
    DataSource* DSOavaunidad;

    // The bands the rows are coloured with, as last read.
    const Bands& bands() const { return m_bands; }

    void BitBtn1Click();
    void BitBtn2Click();
    void BTNimprimeClick();
    void BTNexportaClick();
    void Label5Click();
    void CHBtodvicClick();
    void CHBtoddirClick();
    void CHBtoduniClick();
    void DBLviceminClick();
    void DBLdireccClick();
    void DBLunidadClick();

protected:
    void FormActivate() override;

private:
    void lee_rangos();
    void abre_reporte(const QString& vicmin, const QString& dirmin, const QString& unimin);
    DBGrid::CellColours colourOf(int row) const;
    // The report as last run, to print or export.
    Sheet hoja() const;

    Bands m_bands;
    // The levels the report was last run for, as its heading says them.
    QStringList m_elegidos;
};
