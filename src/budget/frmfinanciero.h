#pragma once

#include "ui/form.h"

#include <array>

class BudgetProgramming;
class Money;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTableWidget;
struct ProductKey;

// The budget of a product or territorial action for the year: the budgeted total spread
// over the twelve months (each month's share of the total computed while typing) and split
// between infrastructure and technical assistance. "Grabar" stores a new version of both
// and supersedes the earlier ones; "Mostrar" shows the current version again.
//
// A caller hands over the unit code (LBLcodigo), the product number (LBLprod) and the
// product's names before showing it.
class TFRMfinanciero : public Form {
    Q_OBJECT
public:
    explicit TFRMfinanciero(QWidget* parent = nullptr);

    QLabel* LBLtitulo;
    QLabel* LBLnumero;
    QLabel* LBLcodigo;
    QLabel* LBLprod;

    // The product, as the caller shows it: its unit's names, its name and its result.
    QLabel* LBLvicemin;
    QLineEdit* EDIvicemin;
    QLabel* LBLdirecc;
    QLineEdit* EDIdirecc;
    QLabel* LBLunidad;
    QLineEdit* EDIunidad;
    QLabel* LBLproyecto;
    QLineEdit* EDIproyecto;
    QLabel* LBLresultado;
    QPlainTextEdit* MEMresultado;

    // The cash flow: one amount and one percentage a month, and their totals.
    QGroupBox* GRBflujo;
    QLineEdit* EDIene;
    QLineEdit* EDIfeb;
    QLineEdit* EDImar;
    QLineEdit* EDIabr;
    QLineEdit* EDImay;
    QLineEdit* EDIjun;
    QLineEdit* EDIjul;
    QLineEdit* EDIago;
    QLineEdit* EDIsep;
    QLineEdit* EDIoct;
    QLineEdit* EDInov;
    QLineEdit* EDIdic;
    std::array<QLineEdit*, 12> EDIpor; // EDIpor1 ... EDIpor12
    QLineEdit* EDImonto;
    QLineEdit* EDIportotal;
    QLineEdit* EDImontotot;
    QLineEdit* EDIdif;

    // The split by type of support.
    QGroupBox* GRBdistribucion;
    QLineEdit* EDIporinv;
    QLineEdit* EDIbsinv;
    QLineEdit* EDIporat;
    QLineEdit* EDIbsat;
    QLineEdit* EDIportot;
    QLineEdit* EDItotbs;

    // Funding sources: shown, not stored.
    QGroupBox* GRBfuente;
    QComboBox* CBXfuente;
    QLineEdit* EDIfuentemonto;
    QLineEdit* EDIfuentepor;
    QTableWidget* STGfuente;

    QPushButton* BTNagrega;
    QPushButton* BTNgraba;
    QPushButton* BitBtn1;
    QPushButton* BTNcancela;
    QPushButton* BitBtn2;
    QPushButton* BitBtn4;

    BudgetProgramming* presupuesto;

    // The twelve month amount boxes, January first.
    std::array<QLineEdit*, 12> meses() const;

    // The month rule, when any month's amount changes.
    void EDImesChange();
    // The percentage rule, when any month's percentage changes.
    void EDIporChange();
    void EDIporinvExit();
    void EDIporatExit();
    void BTNagregaClick();
    void BTNgrabaClick();
    void BitBtn1Click();
    void BTNcancelaClick();
    void BitBtn4Click();

protected:
    void FormActivate() override;

private:
    ProductKey product() const;
    // Shows the current version of the flow and of the distribution.
    void muestra();
    void reparte(QLineEdit* percentage, QLineEdit* amount, QLineEdit* otherPercentage,
                 QLineEdit* otherAmount);
    Money sumaMeses() const;

    // While a stored version is shown, the rules of the boxes wait.
    bool m_cargando = false;
};
