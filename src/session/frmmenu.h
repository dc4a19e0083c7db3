#pragma once

#include "ui/form.h"

class ClickLabel;
class Accounts;
class Connection;
class Query;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;

// The login window, the program's main window: user name, password, server and year.
// It owns the one connection to the shared database and the login query, checks the
// account, holds the session context and shows the main menu.
class TFRMmenu : public Form {
    Q_OBJECT
public:
    explicit TFRMmenu(QWidget* parent = nullptr);

    // The folder the server box starts with: the embedded store of this user.
    static QString defaultServer();

    Connection* ADOquv;
    Query* Qusuario;
    // The years for which the store holds an account.
    Query* Qgestiones;

    QLabel* Label6;
    QLabel* Label5;
    QLabel* Image1;
    QFrame* Panel1;
    QLabel* Label1;
    QLineEdit* Edit1;
    QLabel* Label2;
    QLineEdit* Edit2;
    QLabel* Label3;
    QLineEdit* EDIserv;
    QLabel* Label4;
    QComboBox* EDIgestion;
    ClickLabel* LBLingreso;
    ClickLabel* Label8;
    QLabel* LBLtipo;
    QLabel* LBLministerio;

    static const QColor ingresoColour;      // maroon
    static const QColor ingresoHoverColour; // bright red
    static const QColor salirColour;        // dark blue
    static const QColor salirHoverColour;   // light blue

    void LBLingresoClick();
    void Label8Click();
    void FormMouseMove();
    void LBLingresoMouseMove();
    void Label8MouseMove();

    // The year list: the four years it has always offered, then every other year for
    // which the open store holds an account, in order. The year typed is kept.
    void llenaGestiones();

protected:
    void FormActivate() override;
    // Stands on the account of the login name and year that the typed password opens;
    // false when none does.
    bool accede();
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Accounts* m_cuentas;
};
