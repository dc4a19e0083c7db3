#pragma once

#include "ui/form.h"

class BudgetExecution;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTableWidget;
struct ProductKey;

// The budget execution of a territorial action: month by month, the amount the current
// cash flow programmes beside the amount the current report executed, their totals and the
// executed share; a report of one month's executed amount supersedes the earlier ones.
//
// The register browser hands over the unit code (LBLcodigo), the product number (LBLprod)
// and the product's names before showing it.
class TFRMpptoavance : public Form {
    Q_OBJECT
public:
    explicit TFRMpptoavance(QWidget* parent = nullptr);

    QLabel* LBLtitulo;
    QLabel* LBLnumero;
    QLabel* LBLcodigo;
    QLabel* LBLprod;

    QLabel* LBLvicemin;
    QLineEdit* EDIvicemin;
    QLabel* LBLdirecc;
    QLineEdit* EDIdirecc;
    QLabel* LBLunidad;
    QLineEdit* EDIunidad;
    QLabel* LBLproyecto;
    QLineEdit* EDIproyecto;
    QLabel* LBLvermas;
    QLabel* LBLresultado;
    QPlainTextEdit* MEMresultado;

    // Row 0 holds the titles, rows 1 to 12 the months, row 13 the totals.
    QTableWidget* STGmes;
    QComboBox* CBXmes;
    QLineEdit* EDImonto;
    QLineEdit* EDIfecact;
    QLineEdit* EDIejepor;
    QLineEdit* EDIejebs;

    QPushButton* BTNagrega;
    QPushButton* BTNgraba;
    QPushButton* BTNmuestra;
    QPushButton* BTNcancela;
    QPushButton* BTNsalir;

    BudgetExecution* ejecucion;

    // The text a cell of STGmes shows.
    QString celda(int row, int column) const;

    void BTNagregaClick();
    void BTNgrabaClick();
    void BTNmuestraClick();
    void BTNcancelaClick();
    void BTNsalirClick();

protected:
    void FormActivate() override;

private:
    ProductKey product() const;
    void setCelda(int row, int column, const QString& text);
    // Empties the month rows, the totals and the three boxes, then fills them from the
    // current programme and report, when the product has both.
    void llena_grilla();
    // Entering a report: "Registrar avance" disabled and the other three enabled; or the
    // other way round.
    void botones(bool registrando);
};
