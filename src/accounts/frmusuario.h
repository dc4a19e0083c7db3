#pragma once

#include "ui/form.h"

class Accounts;
class DBEdit;
class DBLookupComboBox;
class DataSource;
class Filter;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class Query;

// The administration of user accounts: a new account with its year, type, kind, state and
// access level, or the names, login name and password of an existing one. Only the
// administrator reaches it, from the main menu.
class TFRMusuario : public Form {
    Q_OBJECT
public:
    explicit TFRMusuario(QWidget* parent = nullptr);

    QLabel* LBLtitulo;
    QLabel* LBLnumero;
    QLabel* LBLestado;

    QLabel* Label1;
    DBEdit* DBEdit1;
    QLabel* Label2;
    DBEdit* DBEdit2;
    QLabel* Label3;
    DBEdit* DBEdit3;
    QLabel* Label4;
    DBEdit* DBEdit4;
    QLabel* Label5;
    QComboBox* CBXgestion;
    QLabel* Label6;
    DBLookupComboBox* DBLookupComboBox2;
    QLineEdit* EDItipousuario;
    QLabel* Label7;
    DBLookupComboBox* DBLtipo;
    QLineEdit* EDIingreso;
    QLabel* Label8;
    QComboBox* CBXactivo;
    QCheckBox* CHB1;
    DBLookupComboBox* DBLvicemin;
    QCheckBox* CHB2;
    DBLookupComboBox* DBLdirecc;
    QCheckBox* CHB3;
    DBLookupComboBox* DBLunidad;
    DBLookupComboBox* DBLapellidos;

    QPushButton* BTNagrega;
    QPushButton* BitBtn4;
    QPushButton* BitBtn1;
    QPushButton* BitBtn5;
    QPushButton* BitBtn7;
    QPushButton* BitBtn2;
    QPushButton* BitBtn3;
    QPushButton* BitBtn6;

    Query* Qvicemin;
    Query* Qdirecc;
    Query* Qunidad;
    Query* Qusuario;
    Accounts* cuentas;

    void BTNagregaClick();
    void DBEdit3Exit();
    void DBLtipoClick();
    void CHB1Click();
    void CHB2Click();
    void CHB3Click();
    void DBLviceminClick();
    void DBLdireccClick();
    void BitBtn4Click();
    void BitBtn7Click();
    void DBLapellidosClick();
    void BitBtn1Click();
    void BitBtn5Click();
    void BitBtn6Click();

protected:
    void FormActivate() override;

private:
    void abre_direcc();
    void abre_unidad();
    // A field of a query's current row; empty while the query is closed or empty.
    static QString current(const Query* query, const QString& field);
    QString kind() const;
    // Reads the shared accounts table filtered to one account, the one at hand: its row
    // is current and the bound boxes show it.
    void elige(const Filter& account);

    QString m_warnedLogin;
};
