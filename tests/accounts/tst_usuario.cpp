#include "accounts/frmusuario.h"
#include "accounts/passwords.h"
#include "app/application.h"
#include "fixture/controls.h"
#include "fixture/guimain.h"
#include "fixture/programtest.h"
#include "fixture/uiscript.h"
#include "session/frmmenpri.h"
#include "store/query.h"
#include "ui/dbedit.h"
#include "ui/dblookup.h"

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QTest>

// The administration of accounts, reached from the main menu by the administrator.
class TestUsuario : public ProgramTest {
    Q_OBJECT

    TFRMusuario* w() { return program->app().FRMusuario(); }

    // Logs in as the administrator of 2008 and runs `script` in the accounts window.
    void administer(const std::function<void(TFRMusuario&)>& script) {
        bool ran = false;
        windows->whenShown("FRMmenpri", [](Form& menu) { TRIGGER(&menu, "Usuarios1"); });
        windows->whenShown("FRMusuario", [&](Form& f) {
            f.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&f));
            script(*w());
            ran = true;
        });
        program->login("Admin", "qampo");
        QVERIFY(ran);
    }

    // The account as stored: "cod_usuario usuario tipo entidad activo nivel unidad contra",
    // a password kept as a hash shown as "hash:" and the password it was made of, among the
    // few the tests use.
    QString stored(const QString& login, const QString& year = "2008") const {
        auto c = program->db().connect();
        Query q(c.get(),
                QStringLiteral("select * from t_usuario where usuario = ? and gestion = ?"));
        q.setParams({login, year});
        q.open();
        if (q.rowCount() != 1)
            return QStringLiteral("%1 rows").arg(q.rowCount());
        return QStringList({q.text("cod_usuario"), q.text("usuario"), q.text("tipo"),
                            q.text("entidad"), q.text("activo"), q.text("nivel"), q.text("unidad"),
                            shownPassword(q.text("contra"))})
            .join(' ');
    }

    static QString shownPassword(const QString& stored) {
        if (!passwords::isHashed(stored))
            return stored;
        for (const char* p : {"secreta", "otra", "nueva", "vieja", "qampo", "clave", "uno", "dos"})
            if (passwords::matches(stored, QString::fromLatin1(p)))
                return QStringLiteral("hash:") + QString::fromLatin1(p);
        return QStringLiteral("hash:?");
    }

    bool logsIn(const QString& login, const QString& password) {
        bool in = false;
        windows->whenShown("FRMmenpri",
                           [&](Form&) { in = program->app().session().loginName() == login; });
        program->login(login, password);
        return in;
    }

    // Types a new account's fields and kind; the type is "Registro de avance" (3).
    void typeNewAccount(TFRMusuario& u, const QString& login) {
        CLICK(&u, "BTNagrega");
        TYPE(&u, "DBEdit1", QStringLiteral("Ana"));
        TYPE(&u, "DBEdit2", QStringLiteral("Pérez"));
        TYPE(&u, "DBEdit3", login);
        TYPE(&u, "DBEdit4", QStringLiteral("secreta"));
        TYPE(&u, "CBXgestion", QStringLiteral("2008"));
        CHOOSE(&u, "DBLookupComboBox2", QStringLiteral("Registro de avance"));
        CHOOSE(&u, "DBLtipo", QStringLiteral("Ministerio"));
    }

private slots:
    void aNewAccountLogsInAtOnce() {
        administer([&](TFRMusuario& u) {
            QCOMPARE(u.windowTitle(), QStringLiteral("FRMusuario"));
            QVERIFY(!u.DBLvicemin->isEnabled() && !u.DBLdirecc->isEnabled());
            QCOMPARE(u.DBEdit4->echoMode(), QLineEdit::Password);
            typeNewAccount(u, QStringLiteral("ana"));
            CLICK(&u, "CHB1");
            CHOOSE(&u, "DBLvicemin",
                   QStringLiteral("Viceministerio de Desarrollo Rural y Agropecuario"));
            CLICK(&u, "CHB2");
            CHOOSE(&u, "DBLdirecc", QStringLiteral("Dirección General de Desarrollo Rural"));
            CLICK(&u, "CHB3");
            CHOOSE(&u, "DBLunidad", QStringLiteral("Unidad de Desarrollo Económico Local"));
            QVERIFY(QDir().mkpath(QStringLiteral("screens")));
            u.grab().save(QStringLiteral("screens/FRMusuario.png"));
            CLICK(&u, "BitBtn4");
            QCOMPARE(messages->texts(),
                     QStringList({"Registro almacenado en la Base de Datos !!!!!"}));
            // The account just stored is the one "Modifica" changes.
            CLICK(&u, "BitBtn1");
            TYPE(&u, "DBEdit4", QStringLiteral("otra"));
            CLICK(&u, "BitBtn4");
            QCOMPARE(messages->texts().last(), QStringLiteral("Registro modificado"));
            QCOMPARE(u.DBEdit4->text(), QString());
            // Modified with the box empty, the password stays.
            CLICK(&u, "BitBtn1");
            TYPE(&u, "DBEdit1", QStringLiteral("Ana María"));
            CLICK(&u, "BitBtn4");
            CLICK(&u, "BitBtn6");
        });
        // The installed administrator holds number 1 of the year.
        QCOMPARE(stored("ana"), QStringLiteral("2 ana 3 MN SI 3 V01D01U02 hash:otra"));
        QVERIFY(stored("Admin").endsWith(QStringLiteral(" hash:qampo")));

        bool in = false;
        windows->whenShown("FRMmenpri", [&](Form&) {
            const Session& s = program->app().session();
            QCOMPARE(s.userType(), 3);
            QCOMPARE(s.kind(), QStringLiteral("MN"));
            QCOMPARE(s.unitCode(), QStringLiteral("V01D01U02"));
            in = true;
        });
        program->login("ana", "otra");
        QVERIFY(in);
    }

    void theLevelFollowsTheTickedBoxes() {
        administer([&](TFRMusuario& u) {
            typeNewAccount(u, QStringLiteral("dos"));
            // The toggle of a screen reader or voice control ticks a box as a click does,
            // and so does the space bar.
            QAccessibleInterface* nivel1 = QAccessible::queryAccessibleInterface(u.CHB1);
            QAccessibleActionInterface* actions = nivel1 ? nivel1->actionInterface() : nullptr;
            QVERIFY(actions);
            if (actions)
                actions->doAction(QAccessibleActionInterface::toggleAction());
            QVERIFY(u.CHB1->isChecked() && u.DBLvicemin->isEnabled());
            CHOOSE(&u, "DBLvicemin",
                   QStringLiteral("Viceministerio de Desarrollo Rural y Agropecuario"));
            u.CHB2->setFocus();
            QTest::keyClick(u.CHB2, Qt::Key_Space);
            QVERIFY(u.CHB2->isChecked() && u.DBLdirecc->isEnabled() && u.Qdirecc->isOpen());
            CHOOSE(&u, "DBLdirecc", QStringLiteral("Dirección General de Producción Agropecuaria"));
            CLICK(&u, "BitBtn4");

            // Only "Nivel 2", still ticked: no level, no node. Unticking closes the list below.
            typeNewAccount(u, QStringLiteral("solo2"));
            CLICK(&u, "CHB1");
            CLICK(&u, "CHB3");
            QVERIFY(u.DBLunidad->isEnabled() && u.Qunidad->isOpen());
            CLICK(&u, "CHB3");
            QVERIFY(!u.DBLunidad->isEnabled() && !u.Qunidad->isOpen());
            QVERIFY(!u.CHB1->isChecked() && u.CHB2->isChecked());
            CLICK(&u, "BitBtn4");
        });
        QCOMPARE(stored("dos"), QStringLiteral("2 dos 3 MN SI 2 V01D02 hash:secreta"));
        QCOMPARE(stored("solo2"), QStringLiteral("3 solo2 3 MN SI   hash:secreta"));
    }

    void aLoginNameInUseWarnsButStillSaves() {
        program->addAccount("pedro", "x", "4");
        administer([&](TFRMusuario& u) {
            CLICK(&u, "BTNagrega");
            TYPE(&u, "DBEdit1", QStringLiteral("Pedro"));
            TYPE(&u, "DBEdit3", QStringLiteral("pedro"));
            TYPE(&u, "DBEdit4", QStringLiteral("clave"));
            QCOMPARE(messages->texts(), QStringList({"Usuario ya existente"}));
            QCOMPARE(u.focusWidget(), u.DBEdit3);
            // Told once: the second time the box is left with the same name.
            TYPE(&u, "DBEdit4", QStringLiteral("clave"));
            QCOMPARE(u.focusWidget(), u.DBEdit4);
            TYPE(&u, "CBXgestion", QStringLiteral("2008"));
            QCOMPARE(messages->texts().size(), 1);
            CLICK(&u, "BitBtn4");
            QCOMPARE(messages->texts().last(),
                     QStringLiteral("Registro almacenado en la Base de Datos !!!!!"));
        });
        auto c = program->db().connect();
        Query q(c.get(), QStringLiteral("select cod_usuario from t_usuario where usuario = 'pedro' "
                                        "order by cod_usuario"));
        q.open();
        QCOMPARE(q.rowCount(), 2);
        // After the installed "1" and the added "9": compared as numbers.
        QStringList numbers;
        for (q.first(); !q.eof(); q.next())
            numbers.append(q.text("cod_usuario"));
        QCOMPARE(numbers, QStringList({"10", "9"}));
    }

    void selectingAnAccountChangesOnlyThatAccount() {
        // Login names that a filter text would misread.
        program->addAccount("o'brien", "vieja", "4");
        program->addAccount("x' or usuario <> '", "otra", "4");
        program->addAccount("o'brien", "de2009", "4", "2009");
        program->db().exec(QStringLiteral("update t_usuario set apellidos = 'Zeta' where usuario "
                                          "<> 'o''brien'"));
        program->db().exec(QStringLiteral("update t_usuario set apellidos = 'Brien' where usuario "
                                          "= 'o''brien'"));
        administer([&](TFRMusuario& u) {
            CLICK(&u, "BitBtn7");
            QVERIFY(u.DBLapellidos->isVisible());
            // Accounts of the session year only.
            QCOMPARE(u.DBLapellidos->count(), 3);
            CHOOSE(&u, "DBLapellidos", QStringLiteral("Brien"));
            QCOMPARE(u.DBEdit3->text(), QStringLiteral("o'brien"));
            // No stored password is shown.
            QCOMPARE(u.DBEdit4->text(), QString());
            QCOMPARE(u.EDItipousuario->text(), QStringLiteral("Planificación y avance"));
            QCOMPARE(u.EDIingreso->text(), QStringLiteral("Ministerio"));
            QCOMPARE(u.CBXgestion->currentText(), QStringLiteral("2008"));
            CLICK(&u, "BitBtn1");
            TYPE(&u, "DBEdit4", QStringLiteral("nueva"));
            CLICK(&u, "BitBtn4");
            QCOMPARE(messages->texts().last(), QStringLiteral("Registro modificado"));
        });
        QVERIFY(stored("o'brien").endsWith(QStringLiteral(" hash:nueva")));
        QVERIFY(stored("o'brien", "2009").endsWith(QStringLiteral(" de2009")));
        QVERIFY(stored("x' or usuario <> '").endsWith(QStringLiteral(" otra")));
        QVERIFY(stored("Admin").endsWith(QStringLiteral(" hash:qampo")));
    }

    void aPasswordInClearIsHashedAtItsFirstLoginAndOpensInAnyCase() {
        program->addAccount("dup", "uno", "3");
        program->addAccount("dup", "dos", "3");
        // Another case of the password, while it is kept as typed and once it is hashed.
        QVERIFY(logsIn("Admin", "QAMPO"));
        QVERIFY(stored("Admin").endsWith(QStringLiteral(" hash:qampo")));
        QVERIFY(logsIn("Admin", "Qampo"));
        QVERIFY(!logsIn("Admin", "qampos"));
        // Two accounts of one name in a year: each password opens its own.
        QVERIFY(logsIn("dup", "DOS"));
        QVERIFY(logsIn("dup", "uno"));
        QVERIFY(logsIn("dup", "dos"));
        // An account stored without a password opens with no password at all.
        program->addAccount("nadie", "x", "3");
        program->db().exec("update t_usuario set contra = null where usuario = 'nadie'");
        QVERIFY(!logsIn("nadie", ""));
        QCOMPARE(messages->texts(), QStringList({"No existe usuario", "No existe usuario"}));
        QCOMPARE(program->db().rows("select contra from t_usuario where gestion = '2008' and "
                                    "contra not like '$argon2id$%'"),
                 QStringList());
        // Other years keep theirs until their first login.
        QCOMPARE(program->db().scalar("select contra from t_usuario where gestion = '2009'"),
                 QVariant(QStringLiteral("qampo")));
    }

    void modifyingWithoutASelectionSaysWhatToDo() {
        administer([&](TFRMusuario& u) {
            CLICK(&u, "BitBtn1");
            QCOMPARE(messages->texts(), QStringList({"Seleccione primero un usuario"}));
        });
    }
};

MONITOREO_GUI_TEST_MAIN(new TestUsuario)
#include "tst_usuario.moc"
