#pragma once

#include "ui/form.h"

class ClickLabel;
class DBEdit;
class DBGrid;
class DBLookupComboBox;
class DBMemo;
class DataSource;
class ProgressReports;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class Query;
struct ProductKey;

// The monthly progress report: the goals of a product with their programmed percentages,
// the last report, the progress expected by today and the difference; a report on the open
// goal adds a cumulative percentage with a description and a clarification, and the report
// that reaches the goal's percentage closes it.
class TFRMavance : public Form {
    Q_OBJECT
public:
    explicit TFRMavance(QWidget* parent = nullptr);

    QLabel* LBLtitulo;
    QLabel* LBLfecha;
    QLabel* LBLcodigo;
    QLabel* LBLprod;
    QLabel* LBLindica;

    QLabel* LBLvicemin;
    DBLookupComboBox* DBLvicemin;
    DBEdit* DBEdit5;
    QLabel* Label9;
    DBLookupComboBox* DBLdirecc;
    DBEdit* DBEdit6;
    QLabel* LBLunidad;
    DBLookupComboBox* DBLunidad;
    DBEdit* DBEdit7;
    QLineEdit* EDIunidad;
    QLabel* LBLprograma;
    QLineEdit* EDIprograma;
    QLabel* LBLproducto;
    DBLookupComboBox* DBLproducto;
    QLabel* Label12;
    DBMemo* DBMemo1;
    ClickLabel* Label34;
    ClickLabel* Image1;
    QLabel* Label1;
    DBEdit* DBEdit1;
    QLabel* Label2;
    DBEdit* DBEdit2;

    QLabel* LBLnommet;
    DBGrid* DBGrid1;
    QLineEdit* Edit3;
    QLineEdit* EDImaxinf;
    QLineEdit* EDIavaesp;
    QLineEdit* EDIdif;
    QLineEdit* EDIavance;
    QPlainTextEdit* MEMavance;
    QPlainTextEdit* MEMaclara;
    QPlainTextEdit* Memo3;
    QPlainTextEdit* Memo5;
    QPlainTextEdit* Memo6;
    QPlainTextEdit* Memo7;
    QPushButton* BTNdir;
    QPushButton* BTNvic;
    QPushButton* BTNmin;

    QPushButton* BTNagrega;
    QPushButton* BTNgraba;
    QPushButton* BitBtn1;
    QPushButton* BitBtn3;
    QPushButton* BitBtn4;
    // Prepared by the main menu; they have no action here.
    QPushButton* BTNantes;
    QPushButton* BTNsig;

    Query* ADOQaccion;
    Query* ADOQproducto;
    Query* ADOQhito;
    Query* Qmuestrameta;
    DataSource* DSOaccion;
    DataSource* DSOproducto;
    DataSource* DSOhito;
    ProgressReports* avances;

    void DBLunidadClick();
    void DBLproductoClick();
    void DBLproductoExit();
    void DBGrid1CellClick();
    void BTNagregaClick();
    void EDIavanceExit();
    void BTNgrabaClick();
    void BitBtn1Click();
    void BitBtn3Click();
    void Label34Click();
    void BitBtn4Click();
    // The difference rule, whenever one of its boxes changes.
    void EDIavanceChange();
    // The difference is red exactly when it is below 0.
    void EDIdifChange();

protected:
    void FormActivate() override;

private:
    ProductKey product() const;
    void openAccion(const QString& unit);
    // After the list of products is read again: the chosen product stays the current row,
    // so that its indicators, dates and activities show beside its goals.
    void keepProduct(bool sameUnit);
    void loadProduct();
    // The last report's date; without reports "Sin fecha" and no expected progress.
    void lastReportDate();
    void expectedProgress();
    void lastPercentage();
    void entryBoxes(bool enabled, bool yellow);
    void readOnlyEntry(bool readOnly);
    bool m_inDifference = false;
};
