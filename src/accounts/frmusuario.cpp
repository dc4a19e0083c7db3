#include "frmusuario.h"

#include "accounts.h"
#include "app/application.h"
#include "core/wholenumber.h"
#include "passwords.h"
#include "store/datasource.h"
#include "store/query.h"
#include "store/table.h"
#include "store/tdtm.h"
#include "ui/dbedit.h"
#include "ui/dblookup.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>

TFRMusuario::TFRMusuario(QWidget* parent)
    : Form(QStringLiteral("FRMusuario"), QStringLiteral("FRMusuario"), parent) {
    LBLnumero = screenNumber(QStringLiteral("LBLnumero"), QStringLiteral("60"));
    LBLtitulo = title(QStringLiteral("LBLtitulo"),
                      QStringLiteral("Formulario para el registro de usuarios"));
    LBLestado = parameter(QStringLiteral("LBLestado"));

    TDTM* dtm = Application::instance()->DTM();
    Connection* c = dtm->connection();
    cuentas = new Accounts(c, this);
    cuentas->setObjectName(QStringLiteral("cuentas"));
    Qvicemin = Query::make(c, "Qvicemin",
                           "select * from t_vicemin where vicmin_gestion = :gestion and tipo = "
                           ":tipo order by vicmin_nombre asc",
                           this);
    Qdirecc = Query::make(c, "Qdirecc",
                          "select * from t_direccion where cod_vicemin = :vicmin and dir_gestion "
                          "= :gestion and tipo = :tipo",
                          this);
    Qunidad = Query::make(c, "Qunidad",
                          "select * from t_unidad where cod_direc = :direcc and uni_gestion = :ges",
                          this);
    Qusuario = Query::make(c, "Qusuario",
                           "select apellidos, usuario from t_usuario where gestion = :ges order "
                           "by apellidos",
                           this);

    // The account's own fields, bound to the shared accounts table.
    const auto bound = [this, dtm](const char* name, const char* field) {
        DBEdit* box = make<DBEdit>(QString::fromLatin1(name));
        box->setDataSource(dtm->DSOusuario, QString::fromLatin1(field));
        return box;
    };
    Label1 = make<QLabel>(QStringLiteral("Label1"), QStringLiteral("Nombres"));
    DBEdit1 = bound("DBEdit1", "nombres");
    Label2 = make<QLabel>(QStringLiteral("Label2"), QStringLiteral("Apellidos"));
    DBEdit2 = bound("DBEdit2", "apellidos");
    Label3 = make<QLabel>(QStringLiteral("Label3"), QStringLiteral("Usuario"));
    DBEdit3 = bound("DBEdit3", "usuario");
    Label4 = make<QLabel>(QStringLiteral("Label4"), QStringLiteral("Contraseña"));
    // The password box shows no stored password: what is typed in it is kept as its hash
    // when the account is stored ("Grabar"); left empty while modifying, the old one stays.
    DBEdit4 = make<DBEdit>(QStringLiteral("DBEdit4"));
    DBEdit4->setMaxLength(50);
    DBEdit4->setEchoMode(QLineEdit::Password);
    DBEdit4->setStyleSheet(QStringLiteral("lineedit-password-character: 42")); // "*"

    Label5 = make<QLabel>(QStringLiteral("Label5"), QStringLiteral("Gestion"));
    CBXgestion = make<QComboBox>(QStringLiteral("CBXgestion"));
    CBXgestion->setEditable(true);
    CBXgestion->addItems({QStringLiteral("2007"), QStringLiteral("2008"), QStringLiteral("2009"),
                          QStringLiteral("2010")});
    CBXgestion->setCurrentIndex(-1);
    CBXgestion->setEditText(QString());
    // A year holds four characters, as its column does; the box takes no more.
    CBXgestion->lineEdit()->setMaxLength(4);

    Label6 = make<QLabel>(QStringLiteral("Label6"), QStringLiteral("Tipo de usuario"));
    DBLookupComboBox2 = make<DBLookupComboBox>(QStringLiteral("DBLookupComboBox2"));
    DBLookupComboBox2->setListSource(dtm->DSOtipousuario, QStringLiteral("cod_tipo"),
                                     QStringLiteral("tipo"));
    EDItipousuario = readOnlyBox(QStringLiteral("EDItipousuario"));
    Label7 = make<QLabel>(QStringLiteral("Label7"), QStringLiteral("Ingreso a "));
    DBLtipo = make<DBLookupComboBox>(QStringLiteral("DBLtipo"));
    DBLtipo->setListSource(dtm->DSOtipo, QStringLiteral("tipo"), QStringLiteral("nombre"));
    EDIingreso = readOnlyBox(QStringLiteral("EDIingreso"));
    Label8 = make<QLabel>(QStringLiteral("Label8"), QStringLiteral("Activo"));
    CBXactivo = make<QComboBox>(QStringLiteral("CBXactivo"));
    CBXactivo->addItems({QStringLiteral("SI"), QStringLiteral("NO")});

    auto* account = new QGridLayout;
    const auto line = [account](int r, QLabel* label, QWidget* box, QWidget* beside = nullptr) {
        caption(label, {box, beside});
        account->addWidget(label, r, 0);
        account->addWidget(box, r, 1);
        if (beside)
            account->addWidget(beside, r, 2);
    };
    line(0, Label1, DBEdit1);
    line(1, Label2, DBEdit2);
    line(2, Label3, DBEdit3);
    line(3, Label4, DBEdit4);
    line(4, Label5, CBXgestion);
    line(5, Label6, DBLookupComboBox2, EDItipousuario);
    line(6, Label7, DBLtipo, EDIingreso);
    line(7, Label8, CBXactivo);
    account->setColumnStretch(1, 2);
    account->setColumnStretch(2, 1);
    body()->addLayout(account);

    // The access level and the node of the organisation at that level.
    auto* levels = make<QGroupBox>(QStringLiteral("GroupBox1"), QStringLiteral("Nivel  de acceso"));
    auto* grid = new QGridLayout(levels);
    CHB1 = make<QCheckBox>(QStringLiteral("CHB1"), QStringLiteral("Nivel1"));
    CHB2 = make<QCheckBox>(QStringLiteral("CHB2"), QStringLiteral("Nivel 2"));
    CHB3 = make<QCheckBox>(QStringLiteral("CHB3"), QStringLiteral("Nivel 3"));
    DBLvicemin = make<DBLookupComboBox>(QStringLiteral("DBLvicemin"));
    DBLdirecc = make<DBLookupComboBox>(QStringLiteral("DBLdirecc"));
    DBLunidad = make<DBLookupComboBox>(QStringLiteral("DBLunidad"));
    DBLvicemin->setListSource(new DataSource(Qvicemin, this), QStringLiteral("cod_vicemin"),
                              QStringLiteral("vicmin_nombre"));
    DBLdirecc->setListSource(new DataSource(Qdirecc, this), QStringLiteral("cod_direc"),
                             QStringLiteral("dir_nombre"));
    DBLunidad->setListSource(new DataSource(Qunidad, this), QStringLiteral("cod_unidad"),
                             QStringLiteral("uni_nombre"));
    int r = 0;
    for (auto [check, list] : QList<std::pair<QCheckBox*, DBLookupComboBox*>>{
             {CHB1, DBLvicemin}, {CHB2, DBLdirecc}, {CHB3, DBLunidad}}) {
        list->setAccessibleName(check->text());
        grid->addWidget(check, r, 0);
        grid->addWidget(list, r++, 1);
    }
    grid->setColumnStretch(1, 1);
    body()->addWidget(levels);

    DBLapellidos = make<DBLookupComboBox>(QStringLiteral("DBLapellidos"));
    DBLapellidos->setListSource(new DataSource(Qusuario, this), QStringLiteral("apellidos"),
                                QStringLiteral("apellidos"));
    DBLapellidos->setAccessibleName(QStringLiteral("Seleccionar usuario"));
    DBLapellidos->setVisible(false);
    body()->addWidget(DBLapellidos);
    body()->addStretch(1);

    BTNagrega = button(QStringLiteral("BTNagrega"), QStringLiteral("Agregar"));
    BitBtn4 = button(QStringLiteral("BitBtn4"), QStringLiteral("Grabar"));
    BitBtn1 = button(QStringLiteral("BitBtn1"), QStringLiteral("Modifica"));
    BitBtn5 = button(QStringLiteral("BitBtn5"), QStringLiteral("Cancelar"));
    BitBtn7 = button(QStringLiteral("BitBtn7"), QStringLiteral("Seleccionar usuario"));
    BitBtn2 = button(QStringLiteral("BitBtn2"), QStringLiteral("Elimina"));
    BitBtn3 = button(QStringLiteral("BitBtn3"), QStringLiteral("Imprime"));
    BitBtn6 = button(QStringLiteral("BitBtn6"), QStringLiteral("Salir"));
    row({BTNagrega, BitBtn4, BitBtn1, BitBtn5, BitBtn7, BitBtn2, BitBtn3, BitBtn6});
    setOpeningSize(640, 560);

    keys(nullptr, BitBtn6);
    handle(BTNagrega, &QPushButton::clicked, &TFRMusuario::BTNagregaClick);
    handleLeave(DBEdit3, &TFRMusuario::DBEdit3Exit);
    handle(DBLtipo, &DBLookupComboBox::picked, &TFRMusuario::DBLtipoClick);
    handle(CHB1, &QCheckBox::clicked, &TFRMusuario::CHB1Click);
    handle(CHB2, &QCheckBox::clicked, &TFRMusuario::CHB2Click);
    handle(CHB3, &QCheckBox::clicked, &TFRMusuario::CHB3Click);
    handle(DBLvicemin, &DBLookupComboBox::picked, &TFRMusuario::DBLviceminClick);
    handle(DBLdirecc, &DBLookupComboBox::picked, &TFRMusuario::DBLdireccClick);
    handle(BitBtn4, &QPushButton::clicked, &TFRMusuario::BitBtn4Click);
    handle(BitBtn7, &QPushButton::clicked, &TFRMusuario::BitBtn7Click);
    handle(DBLapellidos, &DBLookupComboBox::picked, &TFRMusuario::DBLapellidosClick);
    handle(BitBtn1, &QPushButton::clicked, &TFRMusuario::BitBtn1Click);
    handle(BitBtn5, &QPushButton::clicked, &TFRMusuario::BitBtn5Click);
    handle(BitBtn6, &QPushButton::clicked, &TFRMusuario::BitBtn6Click);
}

QString TFRMusuario::current(const Query* query, const QString& field) {
    return query->isOpen() && !query->isEmpty() ? query->text(field) : QString();
}

QString TFRMusuario::kind() const {
    const Table* kinds = Application::instance()->DTM()->Tipo;
    return kinds->isOpen() && !kinds->isEmpty() ? kinds->text(QStringLiteral("tipo")) : QString();
}

void TFRMusuario::FormActivate() {
    for (DBLookupComboBox* list : {DBLvicemin, DBLdirecc, DBLunidad})
        list->setEnabled(false);
}

void TFRMusuario::BTNagregaClick() {
    TDTM* dtm = Application::instance()->DTM();
    for (Table* t : {dtm->Tipo, dtm->tipousuario}) {
        t->close();
        t->open();
    }
    Table* accounts = dtm->t_usuario;
    accounts->close();
    // A selection filtered the table to one account.
    accounts->setFiltered(false);
    accounts->open();
    accounts->append();
    DBEdit4->clear();
    DBEdit1->setEnabled(true);
    DBEdit1->setFocus();
    LBLestado->setText(QStringLiteral("A"));
}

void TFRMusuario::DBEdit3Exit() {
    const QString login = DBEdit3->text();
    // A login name in use is told once; leaving the box again with it goes on, so that
    // the account can still be saved.
    if (login != m_warnedLogin &&
        cuentas->loginTaken(login, Application::instance()->session().year())) {
        m_warnedLogin = login;
        DBEdit3->setFocus();
        inform(QStringLiteral("Usuario ya existente"));
        return;
    }
    // A button pressed to leave the box is pressed; any other way leads to the password.
    if (!qobject_cast<QPushButton*>(focusWidget()))
        DBEdit4->setFocus();
}

void TFRMusuario::DBLtipoClick() {
    Qvicemin->close();
    Qvicemin->setParams({Application::instance()->session().year(), kind()});
    Qvicemin->open();
}

void TFRMusuario::CHB1Click() {
    DBLvicemin->setEnabled(true);
}

void TFRMusuario::abre_direcc() {
    Qdirecc->close();
    Qdirecc->setParams({current(Qvicemin, QStringLiteral("cod_vicemin")),
                        current(Qvicemin, QStringLiteral("vicmin_gestion")), kind()});
    Qdirecc->open();
}

void TFRMusuario::abre_unidad() {
    Qunidad->close();
    Qunidad->setParams({current(Qdirecc, QStringLiteral("cod_direc")),
                        current(Qdirecc, QStringLiteral("dir_gestion"))});
    Qunidad->open();
}

void TFRMusuario::CHB2Click() {
    DBLdirecc->setEnabled(CHB2->isChecked());
    if (CHB2->isChecked())
        abre_direcc();
    else
        Qdirecc->close();
}

void TFRMusuario::CHB3Click() {
    DBLunidad->setEnabled(CHB3->isChecked());
    if (CHB3->isChecked())
        abre_unidad();
    else
        Qunidad->close();
}

void TFRMusuario::DBLviceminClick() {
    if (CHB2->isChecked())
        abre_direcc();
}

void TFRMusuario::DBLdireccClick() {
    if (CHB3->isChecked())
        abre_unidad();
}

void TFRMusuario::BitBtn4Click() {
    Table* accounts = Application::instance()->DTM()->t_usuario;
    const QString password = DBEdit4->text();
    if (LBLestado->text() == QLatin1String("M")) {
        if (!password.isEmpty())
            accounts->setField(QStringLiteral("contra"), passwords::hash(password));
        accounts->post();
        DBEdit4->clear();
        LBLestado->clear();
        inform(QStringLiteral("Registro modificado"));
        return;
    }
    if (LBLestado->text() != QLatin1String("A"))
        return;
    const Table* types = Application::instance()->DTM()->tipousuario;
    const QString year = CBXgestion->currentText();
    accounts->setField(QStringLiteral("gestion"), year);
    accounts->setField(QStringLiteral("entidad"), kind());
    accounts->setField(QStringLiteral("activo"), CBXactivo->currentText());
    accounts->setField(QStringLiteral("tipo"),
                       types->isOpen() && !types->isEmpty()
                           ? QString::number(types->integer(QStringLiteral("cod_tipo")))
                           : QString());
    const AccessLevel level =
        AccessLevel::of(CHB1->isChecked(), CHB2->isChecked(), CHB3->isChecked(),
                        {current(Qvicemin, QStringLiteral("cod_vicemin")),
                         current(Qdirecc, QStringLiteral("cod_direc")),
                         current(Qunidad, QStringLiteral("cod_unidad"))});
    if (level.nivel) {
        accounts->setField(QStringLiteral("nivel"), *level.nivel);
        accounts->setField(QStringLiteral("unidad"), level.unidad);
    }
    if (!password.isEmpty())
        accounts->setField(QStringLiteral("contra"), passwords::hash(password));
    const QString number = QString::number(cuentas->newNumber(year));
    accounts->setField(QStringLiteral("cod_usuario"), number);
    accounts->post();
    // The account just stored is the one at hand, as a selected one is: "Modifica" changes
    // it.
    elige(Filter::equals(QStringLiteral("cod_usuario"), number)
              .andEquals(QStringLiteral("gestion"), year));
    LBLestado->clear();
    DBEdit4->clear();
    inform(QStringLiteral("Registro almacenado en la Base de Datos !!!!!"));
}

void TFRMusuario::BitBtn7Click() {
    DBLapellidos->setVisible(true);
    Qusuario->close();
    Qusuario->setParams({Application::instance()->session().year()});
    Qusuario->open();
    DBLapellidos->setFocus();
}

void TFRMusuario::DBLapellidosClick() {
    const QString year = Application::instance()->session().year();
    // The values are bound: a login name is matched as it is, whatever it holds.
    elige(Filter::equals(QStringLiteral("usuario"), Qusuario->text(QStringLiteral("usuario")))
              .andEquals(QStringLiteral("gestion"), year));
    DBEdit4->clear();
    const Table* accounts = Application::instance()->DTM()->t_usuario;
    if (accounts->isEmpty())
        return;
    CBXgestion->setEditText(accounts->text(QStringLiteral("gestion")));
    CBXactivo->setCurrentText(accounts->text(QStringLiteral("activo")));
    EDItipousuario->setText(cuentas->typeName(parseWhole(accounts->text(QStringLiteral("tipo")))));
    EDIingreso->setText(cuentas->kindName(accounts->text(QStringLiteral("entidad"))));
}

void TFRMusuario::elige(const Filter& account) {
    Table* accounts = Application::instance()->DTM()->t_usuario;
    accounts->close();
    accounts->setFiltered(false);
    accounts->setFilter(account);
    accounts->setFiltered(true);
    accounts->open();
}

void TFRMusuario::BitBtn1Click() {
    Table* accounts = Application::instance()->DTM()->t_usuario;
    if (!accounts->isOpen() || accounts->isEmpty() || !accounts->isFiltered()) {
        BitBtn7->setFocus();
        inform(QStringLiteral("Seleccione primero un usuario"));
        return;
    }
    accounts->edit();
    LBLestado->setText(QStringLiteral("M"));
}

void TFRMusuario::BitBtn5Click() {
    Table* accounts = Application::instance()->DTM()->t_usuario;
    if (accounts->state() == Table::State::Insert || accounts->state() == Table::State::Edit)
        accounts->cancel();
    LBLestado->clear();
    DBEdit4->clear();
}

void TFRMusuario::BitBtn6Click() {
    close();
}
