#include "fixture/controls.h"
#include "fixture/guimain.h"
#include "fixture/programtest.h"
#include "fixture/uiscript.h"
#include "plan/frmmuestra.h"
#include "progress/frmavance.h"
#include "reports/frmavaunidad.h"
#include "session/frmmenpri.h"
#include "session/frmmenu.h"
#include "session/institution.h"
#include "store/query.h"
#include "store/tdtm.h"
#include "ui/clicklabel.h"
#include "ui/dblookup.h"

#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QSet>
#include <QTest>

QObject* rightsTests();
QObject* screenTests();

class TestSession : public ProgramTest {
    Q_OBJECT

    TFRMmenu* login() { return program->app().FRMmenu(); }
    TFRMmenpri* menu() { return program->app().FRMmenpri(); }

private slots:
    void startUpMakesEveryWindowOnceInOrder() {
        QCOMPARE(program->app().startupOrder(),
                 QStringList({"DTM",          "FRMmenu",       "FRMmenpri",
                              "FRMmuestra",   "FRMorganiza",   "FRMingresodatos1",
                              "FRMindica",    "FRMgeografico", "FRMresponsable",
                              "FRMsector",    "FRMavance",     "FRMverproducto",
                              "FRMavaunidad", "FRMfinanciero", "FRMverpro",
                              "FRMingresoMN", "FRMverproMN",   "FRMunisectorial",
                              "FRMusuario",   "FRMvermetasex", "FRMverproEX",
                              "FRMvermas",    "FRMhistorial",  "FRMpptoavance",
                              "FRMgestion",   "FRMcatalogo",   "FRMimporta"}));
        QStringList names;
        for (Form* w : program->app().windows())
            names.append(w->objectName());
        QCOMPARE(names, QStringList(
                            {"FRMmenu",          "FRMmenpri",    "FRMmuestra",     "FRMorganiza",
                             "FRMingresodatos1", "FRMindica",    "FRMgeografico",  "FRMresponsable",
                             "FRMsector",        "FRMavance",    "FRMverproducto", "FRMavaunidad",
                             "FRMfinanciero",    "FRMverpro",    "FRMingresoMN",   "FRMverproMN",
                             "FRMunisectorial",  "FRMusuario",   "FRMvermetasex",  "FRMverproEX",
                             "FRMvermas",        "FRMhistorial", "FRMpptoavance",  "FRMgestion",
                             "FRMcatalogo",      "FRMimporta"}));
        QCOMPARE(program->app().DTM()->objectName(), QStringLiteral("DTM"));
        // No window opened a dataset, nothing reached the database.
        QVERIFY(!login()->ADOquv->isOpen());
        for (Dataset* d : program->app().DTM()->findChildren<Dataset*>())
            QVERIFY2(!d->isOpen(), qPrintable(d->objectName()));
        QCOMPARE(menu()->windowTitle().trimmed(), QStringLiteral("Menú principal"));
        QVERIFY(menu()->windowTitle().endsWith(u' '));
        QCOMPARE(login()->Label6->text(), QStringLiteral("Sistema de monitoreo "));
        QCOMPARE(login()->Label5->text(), QStringLiteral("1"));
        QCOMPARE(menu()->LBLnumero->text(), QStringLiteral("2"));
        QCOMPARE(program->app().FRMmuestra()->findChild<QLabel*>("Label5")->text(),
                 QStringLiteral("3"));
    }

    void theLoginWindowsDefaults() {
        TFRMmenu* l = login(); // the boxes as a new program shows them
        QCOMPARE(l->Edit1->text(), QStringLiteral("Admin"));
        QCOMPARE(l->Edit2->text(), QStringLiteral("qampo"));
        QCOMPARE(l->Edit2->echoMode(), QLineEdit::Password);
        QCOMPARE(l->EDIgestion->currentText(), QStringLiteral("2008"));
        QCOMPARE(l->EDIgestion->count(), 4);
        QCOMPARE(l->EDIgestion->itemText(0), QStringLiteral("2006"));
        QVERIFY(l->EDIgestion->isEditable());
        QCOMPARE(l->LBLtipo->text(), QStringLiteral("MN"));
        QVERIFY(!l->LBLtipo->isVisibleTo(l));
        QCOMPARE(TFRMmenu::defaultServer().left(1), QStringLiteral("/"));
        QCOMPARE(l->LBLingreso->text(), QStringLiteral("Ingresar"));
        QCOMPARE(l->Label8->text(), QStringLiteral("Salir"));
        for (const auto& [label, box, name] :
             {std::tuple<QLabel*, QWidget*, const char*>{l->Label1, l->Edit1, "Usuario:"},
              {l->Label2, l->Edit2, "Clave de acceso:"},
              {l->Label3, l->EDIserv, "Servidor:"},
              {l->Label4, l->EDIgestion, "Año:"}}) {
            QCOMPARE(label->buddy(), box);
            QCOMPARE(box->accessibleName(), QString::fromUtf8(name));
        }
        QCOMPARE(l->EDIgestion->lineEdit()->accessibleName(), QStringLiteral("Año:"));
        QAccessibleInterface* ingresar = QAccessible::queryAccessibleInterface(l->LBLingreso);
        QVERIFY(ingresar);
        QCOMPARE(ingresar->role(), QAccessible::Button);
        QCOMPARE(ingresar->text(QAccessible::Name), QStringLiteral("Ingresar"));
    }

    void enterInThePasswordBoxLogsInWithTheDefaults() {
        bool checked = false;
        windows->whenShown("FRMmenpri", [&](Form&) {
            const Session& s = program->app().session();
            QCOMPARE(s.year(), QStringLiteral("2008"));
            QCOMPARE(s.kind(), QStringLiteral("MN"));
            QCOMPARE(s.loginName(), QStringLiteral("Admin"));
            QCOMPARE(s.accountKind(), QStringLiteral("MN"));
            QCOMPARE(s.userType(), 1);
            QCOMPARE(s.unitCode(), QStringLiteral("V01D01U01"));
            QCOMPARE(s.unitName(), QStringLiteral("Unidad de Planificación Rural"));
            QCOMPARE(s.directorateName(), QStringLiteral("Dirección General de Desarrollo Rural"));
            QCOMPARE(s.viceministryName(),
                     QStringLiteral("Viceministerio de Desarrollo Rural y Agropecuario"));
            QVERIFY(login()->ADOquv->isOpen());
            QVERIFY(login()->windowState() & Qt::WindowMinimized);
            QVERIFY(!menu()->Presupuestario1->isVisible());
            QVERIFY(!menu()->Comentarios1->isVisible());
            checked = true;
        });
        login()->activate();
        QTest::keyClick(login()->Edit2, Qt::Key_Return);
        QCOMPARE(windows->shown(), QStringList({"FRMmenpri"}));
        QVERIFY(checked);
        QVERIFY(messages->shown().isEmpty());
        // Back from the menu: logged out, the boxes keep their texts.
        QVERIFY(!login()->ADOquv->isOpen());
        QVERIFY(login()->windowState() & Qt::WindowMaximized);
        QVERIFY(!(login()->windowState() & Qt::WindowMinimized));
        QCOMPARE(login()->Edit1->text(), QStringLiteral("Admin"));
    }

    void clickingIngresarLogsInAsEnterDoes() {
        QTest::mouseClick(login()->LBLingreso, Qt::LeftButton);
        QCOMPARE(windows->shown(), QStringList({"FRMmenpri"}));
        QTest::keyClick(login()->LBLingreso, Qt::Key_Space);
        QCOMPARE(windows->shown(), QStringList({"FRMmenpri", "FRMmenpri"}));
        QVERIFY(messages->shown().isEmpty());
    }

    void aYearWithoutTheAccountFails() {
        program->addAccount("solo2008", "clave", "1", "2008");
        login()->show();
        program->login("solo2008", "clave", "2007");
        QCOMPARE(messages->texts(), QStringList({"No existe usuario"}));
        QCOMPARE(messages->shown().first().kind, ScriptedMessages::Kind::Information);
        QVERIFY(windows->shown().isEmpty());
        QCOMPARE(login()->Edit1->text(), QString());
        QCOMPARE(login()->Edit2->text(), QString());
        QCOMPARE(login()->focusWidget(), login()->Edit1);
        QVERIFY(login()->ADOquv->isOpen()); // a failed login leaves it open
        QCOMPARE(login()->EDIgestion->currentText(), QStringLiteral("2007"));
        program->login("solo2008", "clave", "2008");
        QCOMPARE(windows->shown(), QStringList({"FRMmenpri"}));
    }

    void aYearTypedOutsideTheListWorks() {
        program->addAccount("nuevo", "clave", "3", "2010");
        windows->whenShown("FRMmenpri", [&](Form&) {
            QCOMPARE(program->app().session().year(), QStringLiteral("2010"));
            QCOMPARE(program->app().session().userType(), 3);
            // No unit of that year: the session has no unit names.
            QCOMPARE(program->app().session().unitName(), QString());
        });
        program->login("nuevo", "clave", "2010");
        QCOMPARE(windows->shown(), QStringList({"FRMmenpri"}));
    }

    void namesAndPasswordsAreOnlyEverValues_data() {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("password");
        QTest::addColumn<bool>("enters");
        QTest::newRow("exact") << "O'Brien"
                               << "50%ñ'\"" << true;
        QTest::newRow("quote escape") << "O'Brien"
                                      << "' or '1'='1" << false;
        QTest::newRow("percent is no wildcard") << "O'Brien"
                                                << "50%" << false;
        QTest::newRow("percent user") << "%"
                                      << "50%ñ'\"" << false;
        // Names and passwords compare without regard to case, accented letters too.
        QTest::newRow("other case") << "O'Brien"
                                    << "50%Ñ'\"" << true;
        QTest::newRow("name in other case") << "o'brien"
                                            << "50%ñ'\"" << true;
        QTest::newRow("default account in capitals") << "ADMIN"
                                                     << "QAMPO" << true;
        QTest::newRow("trailing blank") << "O'Brien"
                                        << "50%ñ'\" " << false;
    }
    void namesAndPasswordsAreOnlyEverValues() {
        QFETCH(QString, user);
        QFETCH(QString, password);
        QFETCH(bool, enters);
        program->addAccount("O'Brien", "50%ñ'\"", "2");
        program->login(user, password);
        QCOMPARE(windows->shown().size(), enters ? 1 : 0);
        QCOMPARE(messages->texts(), enters ? QStringList() : QStringList({"No existe usuario"}));
    }

    void theAccountIsFoundByTheNameAsTyped() {
        // Every later statement that filters on the login name as typed finds the account.
        windows->whenShown("FRMmenpri", [&](Form&) {
            const Session& s = program->app().session();
            QCOMPARE(s.loginName(), QStringLiteral("admin"));
            QCOMPARE(s.userType(), 1);
            Table* accounts = program->app().DTM()->t_usuario;
            accounts->close();
            accounts->setFiltered(false);
            accounts->setFilter(
                Filter::equals("usuario", s.loginName()).andEquals("gestion", s.year()));
            accounts->setFiltered(true);
            accounts->open();
            QCOMPARE(accounts->rowCount(), 1);
            QCOMPARE(accounts->text("usuario"), QStringLiteral("Admin"));
            Query authored(login()->ADOquv, QStringLiteral("select count(*) as n from t_usuario "
                                                           "where usuario = :u"));
            authored.setParams({s.loginName()});
            authored.open();
            QVERIFY(authored.integer("n") >= 1);
        });
        program->login("admin", "QAMPO");
        QCOMPARE(windows->shown(), QStringList({"FRMmenpri"}));
        QVERIFY(messages->shown().isEmpty());
    }

    void aBadServerShowsTheEnginesMessageAndACorrectedOneWorks_data() {
        QTest::addColumn<QString>("server");
        QTest::addColumn<QString>("says");
        QTest::newRow("unknown host") << unresolvableServer() << "servidor-inexistente";
        QTest::newRow("missing folder") << "/no/existe/esta/carpeta"
                                        << "/no/existe/esta/carpeta";
    }
    void aBadServerShowsTheEnginesMessageAndACorrectedOneWorks() {
        QFETCH(QString, server);
        QFETCH(QString, says);
        const QString good = login()->EDIserv->text();
        login()->EDIserv->setText(server);
        program->login("Admin", "qampo");
        QCOMPARE(messages->errors().size(), 1);
        QVERIFY2(messages->errors().first().contains(says), qPrintable(messages->errors().first()));
        QVERIFY(windows->shown().isEmpty());
        QCOMPARE(login()->Edit1->text(), QStringLiteral("Admin")); // the window stays as it was
        login()->EDIserv->setText(good);
        program->login("Admin", "qampo");
        QCOMPARE(windows->shown(), QStringList({"FRMmenpri"}));
    }

    void anotherLoginReappliesTheRights() {
        program->addAccount("seguimiento", "clave", "3");
        windows->whenShown("FRMmenpri", [&](Form&) {
            QVERIFY(menu()->Configuracin1->isEnabled());
            QVERIFY(menu()->Archivo1->isEnabled());
        });
        windows->whenShown("FRMmenpri", [&](Form&) {
            QVERIFY(!menu()->Configuracin1->isEnabled());
            QVERIFY(!menu()->Archivo1->isEnabled());
            QVERIFY(!menu()->edicion1->isEnabled());
            QVERIFY(menu()->informe1->isEnabled());
            QVERIFY(menu()->avance1->isEnabled());
            QVERIFY(menu()->reporte1->isEnabled());
            QCOMPARE(program->app().session().loginName(), QStringLiteral("seguimiento"));
        });
        program->login("Admin", "qampo");
        program->login("seguimiento", "clave");
        QCOMPARE(windows->shown().size(), 2);
    }

    void aTypeOutsideOneToFourLeavesTheStates() {
        program->addAccount("consulta", "clave", "2");
        program->addAccount("raro", "clave", "7");
        program->addAccount("texto", "clave", "x");
        // At the first login of a run every item is enabled.
        windows->whenShown("FRMmenpri", [&](Form&) {
            for (QAction* a :
                 {menu()->Archivo1, menu()->edicion1, menu()->informe1, menu()->avance1,
                  menu()->reporte1, menu()->Configuracin1, menu()->Cerrar1})
                QVERIFY2(a->isEnabled(), qPrintable(a->objectName()));
        });
        program->login("raro", "clave");
        program->login("consulta", "clave");
        for (const char* user : {"raro", "texto"}) {
            windows->whenShown("FRMmenpri", [&](Form&) {
                QVERIFY(!menu()->Archivo1->isEnabled());
                QVERIFY(!menu()->informe1->isEnabled());
                QVERIFY(menu()->reporte1->isEnabled());
                QVERIFY(menu()->avance1->isEnabled());
                QVERIFY(!menu()->Presupuestario1->isVisible());
            });
            program->login(QString::fromLatin1(user), "clave");
        }
        QCOMPARE(windows->shown().size(), 4);
    }

    void theMenuItemsPrepareTheirWindows() {
        program->addAccount("planifica", "clave", "4");
        TFRMmuestra* m = program->app().FRMmuestra();
        TDTM* dtm = program->app().DTM();
        windows->whenShown("FRMmenpri", [&](Form&) {
            // States an earlier use of the browser left behind.
            m->BTNgrabaprod->setVisible(true);
            m->BTNelimina->setEnabled(true);
            dtm->ADOTvicemin->close();
            TRIGGER(menu(), "Datosiniciales2");
            TRIGGER(menu(), "ProgramasResultados2");
            TRIGGER(menu(), "Usuarios1");
        });
        // The browser's activation follows the menu's preparation: it puts the kind's title
        // in place of the menu's and keeps the add button back until a unit is chosen.
        windows->whenShown("FRMmuestra", [&](Form&) {
            QCOMPARE(m->LBLestado1->text(), QStringLiteral("A"));
            QCOMPARE(m->LBLtitulo->text(), QStringLiteral("Registro de productos"));
            QVERIFY(!m->BTNagreprod->isVisible());
            QVERIFY(!m->BTNgrabaprod->isVisible() && !m->BTNgrabaprod->isEnabled());
            QVERIFY(dtm->ADOTvicemin->isOpen());
        });
        windows->whenShown("FRMmuestra", [&](Form&) {
            QCOMPARE(m->LBLestado1->text(), QStringLiteral("M"));
            QCOMPARE(m->LBLtitulo->text(), QStringLiteral("Registro de productos"));
        });
        program->login("Admin", "qampo");
        QCOMPARE(windows->shown(),
                 QStringList({"FRMmenpri", "FRMmuestra", "FRMmuestra", "FRMusuario"}));

        windows->clear();
        TFRMavance* a = program->app().FRMavance();
        windows->whenShown("FRMmenpri", [&](Form&) {
            a->BTNgraba->setEnabled(true);
            a->BTNsig->setEnabled(false);
            dtm->ADOTunidad->open();
            TRIGGER(menu(), "avance1");
        });
        windows->whenShown("FRMavance", [&](Form&) {
            QVERIFY(!a->BTNgraba->isEnabled());
            QVERIFY(a->BTNagrega->isEnabled() && a->BTNantes->isEnabled() &&
                    a->BTNsig->isEnabled());
            // The menu closed the shared hierarchy; the window's activation opened it
            // again, for its kind.
            QVERIFY(dtm->ADOTvicemin->isOpen() && dtm->ADOTdirecc->isOpen() &&
                    dtm->ADOTunidad->isOpen());
            QCOMPARE(dtm->ADOTvicemin->filter().text(),
                     QStringLiteral("tipo='MN' and vicmin_gestion='2008'"));
            QVERIFY(!a->DBLvicemin->isVisible() && !a->DBLdirecc->isVisible() &&
                    !a->DBLunidad->isVisible());
        });
        program->login("planifica", "clave");
        QCOMPARE(windows->shown(), QStringList({"FRMmenpri", "FRMavance"}));
    }

    void theReportItemsSetTheKind() {
        TDTM* dtm = program->app().DTM();
        TFRMavaunidad* r = program->app().FRMavaunidad();
        windows->whenShown("FRMmenpri", [&](Form&) {
            TRIGGER(menu(), "EntidadDesconcentrada1");
            TRIGGER(menu(), "Ministerio1");
        });
        // Every year's products are listed, but each level lists its nodes once, as the
        // session year names them, and the directions and units that follow are that year's.
        const auto once = [&](const QString& kind) {
            QCOMPARE(dtm->ADOTvicemin->filter().text(),
                     QStringLiteral("tipo='%1' and vicmin_gestion='2008'").arg(kind));
            QStringList listed;
            for (int i = 0; i < r->DBLvicemin->count(); ++i)
                listed.append(r->DBLvicemin->itemText(i));
            listed.sort();
            QCOMPARE(listed, program->db().rows(
                                 QStringLiteral("select vicmin_nombre from t_vicemin where tipo = "
                                                "'%1' and vicmin_gestion = '2008' order by 1")
                                     .arg(kind)));
            QCOMPARE(QSet<QString>(listed.cbegin(), listed.cend()).size(), listed.size());
            if (r->CHBtodvic->isChecked())
                CLICK(r, "CHBtodvic");
            CHOOSE(r, "DBLvicemin", listed.first());
            QVERIFY(dtm->ADOTdirecc->rowCount() > 0);
            for (int row = 0; row < dtm->ADOTdirecc->rowCount(); ++row)
                QCOMPARE(dtm->ADOTdirecc->valueAt(row, dtm->ADOTdirecc->fieldIndex("dir_gestion"))
                             .toString(),
                         QStringLiteral("2008"));
        };
        windows->whenShown("FRMavaunidad", [&](Form&) {
            once(QStringLiteral("EX"));
            QVERIFY(dtm->ADOTvicemin->isFiltered());
            QCOMPARE(r->LBLtipo->text(), QStringLiteral("EX"));
            QCOMPARE(r->Label1->text(),
                     QStringLiteral("Avance de acción territorial por unidad ejecutora"));
            QVERIFY(dtm->ADOTvicemin->rowCount() > 0);
            for (dtm->ADOTvicemin->first(); !dtm->ADOTvicemin->eof(); dtm->ADOTvicemin->next())
                QCOMPARE(dtm->ADOTvicemin->text("tipo"), QStringLiteral("EX"));
        });
        windows->whenShown("FRMavaunidad", [&](Form&) {
            once(QStringLiteral("MN"));
            QVERIFY(dtm->ADOTvicemin->rowCount() > 0);
            for (dtm->ADOTvicemin->first(); !dtm->ADOTvicemin->eof(); dtm->ADOTvicemin->next())
                QCOMPARE(dtm->ADOTvicemin->text("tipo"), QStringLiteral("MN"));
            QCOMPARE(r->LBLtipo->text(), QStringLiteral("MN"));
            QCOMPARE(r->Label1->text(), QStringLiteral("Avance de productos por unidad"));
            QVERIFY(dtm->Tmes->isOpen() && dtm->ADOTunidad->isOpen());
        });
        program->login("Admin", "qampo");
        QCOMPARE(windows->shown(), QStringList({"FRMmenpri", "FRMavaunidad", "FRMavaunidad"}));
    }

    void whatAUserMeetsAtOnce() {
        TFRMmenu* l = login();
        const QString server = l->EDIserv->text();
        // The password shows as stars.
        QCOMPARE(l->Edit2->displayText(), QStringLiteral("*****"));
        // A long folder in the server box shows its start.
        l->EDIserv->setText(QStringLiteral("/home/usuario/una/carpeta/muy/larga/de/datos/del/"
                                           "sistema/de/monitoreo/compartida"));
        l->activate();
        l->show();
        QVERIFY(QTest::qWaitForWindowExposed(l));
        QCOMPARE(l->EDIserv->cursorPosition(), 0);
        QCOMPARE(l->LBLministerio->text(), institutionName());
        l->EDIserv->setText(server);
        // The main menu takes most of the screen.
        const QSize room = QGuiApplication::primaryScreen()->availableGeometry().size();
        windows->whenShown("FRMmenpri", [&](Form&) {
            QVERIFY2(menu()->width() >= room.width() * 8 / 10 || menu()->width() >= 1000,
                     qPrintable(QString::number(menu()->width())));
            QVERIFY(menu()->height() >= room.height() * 8 / 10 || menu()->height() >= 650);
        });
        program->login("Admin", "qampo");
        QCOMPARE(windows->shown(), QStringList({"FRMmenpri"}));
    }

    void everyControlOfEveryWindowHasItsName() {
        // Controls inside a composite control (a list's own line edit, a grid's scroll
        // bars) belong to it.
        auto inComposite = [](QWidget* w, QWidget* window) {
            for (QWidget* p = w->parentWidget(); p && p != window; p = p->parentWidget())
                if (qobject_cast<QComboBox*>(p) || qobject_cast<QAbstractSpinBox*>(p) ||
                    qobject_cast<QAbstractScrollArea*>(p) || qobject_cast<QMenuBar*>(p) ||
                    qobject_cast<QMenu*>(p))
                    return true;
            return false;
        };
        QStringList unnamed;
        int controls = 0;
        for (Form* window : program->app().windows()) {
            for (QWidget* w : window->findChildren<QWidget*>()) {
                if (inComposite(w, window) || qobject_cast<QMenu*>(w))
                    continue;
                ++controls;
                if (w->objectName().isEmpty())
                    unnamed.append(window->objectName() + QLatin1Char('/') +
                                   QString::fromLatin1(w->metaObject()->className()));
            }
            for (QAction* a : window->findChildren<QAction*>())
                if (!a->isSeparator() && a->objectName().isEmpty())
                    unnamed.append(window->objectName() + QStringLiteral("/QAction ") + a->text());
        }
        QVERIFY(controls > 100);
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(u'\n')));
    }

    void cerrarSalirAndClosingTheLoginEndTheProgram() {
        windows->whenShown("FRMmenpri", [&](Form&) { menu()->Cerrar1->trigger(); });
        program->login("Admin", "qampo");
        QVERIFY(program->app().terminated());

        program.reset(); // one program at a time
        program = std::make_unique<TestProgram>();
        QVERIFY(!program->app().terminated());
        QTest::mouseClick(login()->Label8, Qt::LeftButton);
        QVERIFY(program->app().terminated());
        QVERIFY(messages->shown().isEmpty());
    }

    void closingTheLoginWindowEndsTheProgram() {
        login()->show();
        login()->close();
        QVERIFY(program->app().terminated());
    }

    void theHoverColours() {
        TFRMmenu* l = login();
        auto moveOver = [](QWidget* w) {
            QMouseEvent move(QEvent::MouseMove, QPointF(2, 2), w->mapToGlobal(QPointF(2, 2)),
                             Qt::NoButton, Qt::NoButton, Qt::NoModifier);
            QCoreApplication::sendEvent(w, &move);
        };
        moveOver(l->LBLingreso);
        QCOMPARE(l->LBLingreso->textColour(), QColor(244, 0, 0));
        moveOver(l->Label8);
        QCOMPARE(l->Label8->textColour(), QColor(62, 158, 255));
        moveOver(l->Panel1);
        QCOMPARE(l->LBLingreso->textColour(), QColor(128, 0, 0));
        QCOMPARE(l->Label8->textColour(), QColor(0, 82, 164));
        moveOver(l->Label8);
        moveOver(l);
        QCOMPARE(l->Label8->textColour(), QColor(0, 82, 164));
    }
};

MONITOREO_GUI_TEST_MAIN(new TestSession, rightsTests(), screenTests())
#include "tst_session.moc"
