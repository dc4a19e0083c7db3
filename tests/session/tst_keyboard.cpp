#include "fixture/controls.h"
#include "fixture/guimain.h"
#include "fixture/plandata.h"
#include "fixture/programtest.h"
#include "fixture/uiscript.h"
#include "plan/frmingresodatos1.h"
#include "plan/frmingresomn.h"
#include "plan/frmmuestra.h"
#include "plan/frmverpro.h"
#include "plan/frmverpromn.h"
#include "progress/frmavance.h"
#include "progress/frmhistorial.h"
#include "progress/frmvermas.h"
#include "reports/frmavaunidad.h"
#include "session/frmmenu.h"
#include "store/datasource.h"
#include "store/query.h"
#include "ui/clicklabel.h"
#include "ui/dbgrid.h"
#include "ui/dblookup.h"

#include <QAbstractSpinBox>
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSet>
#include <QTest>

// Every window worked with the keyboard alone: Tab reaches each control the window offers,
// once, in the order a person reads the window, and a screen reader has a name for each;
// Escape leaves a window by its leaving button and Enter presses only what is safe.
class TestKeyboard : public ProgramTest {
    Q_OBJECT

    Application& app() { return program->app(); }
    void exec(const QString& sql) { program->db().exec(sql); }

    void product(const QString& unit, int n, const QString& name, int goals) {
        addProduct(program->db(), unit, n, name, goals);
    }

    // A report on the product's first goal.
    void reportOn(const QString& unit, int n) {
        exec(QStringLiteral("insert into t_avancepor (cod_area, id_producto, gestion, cod_hito, "
                            "correla, fecha_avance, por_avance, descr, aclara, avance_dia) "
                            "values ('%1', %2, '2008', 1, 1, '2008-02-01', 10, 'Avance', "
                            "'Aclara', 12)")
                 .arg(unit, QString::number(n)));
    }

    // The control a focused widget belongs to: the line edit of a list or a date box is
    // part of it.
    static QWidget* controlOf(QWidget* w) {
        while (w && w->parentWidget() &&
               (qobject_cast<QComboBox*>(w->parentWidget()) ||
                qobject_cast<QAbstractSpinBox*>(w->parentWidget())))
            w = w->parentWidget();
        return w;
    }

    // What the window offers to the keyboard now: every control shown and enabled that takes
    // the focus by Tab.
    static QList<QWidget*> offered(Form& window) {
        QList<QWidget*> controls;
        const auto all = window.findChildren<QWidget*>();
        for (QWidget* w : all)
            if (w->window() == &window && w->isVisible() && w->isEnabled() &&
                (w->focusPolicy() & Qt::TabFocus) && controlOf(w) == w)
                controls.append(w);
        return controls;
    }

    static QStringList names(const QList<QWidget*>& controls) {
        QStringList n;
        for (const QWidget* w : controls)
            n.append(w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className())
                                               : w->objectName());
        return n;
    }

    // The layout items from the window's layout down to `control`, outermost first; a scroll
    // area leads into what it scrolls.
    static bool pathTo(QLayout* layout, const QWidget* control, QList<QLayoutItem*>& path) {
        for (int i = 0; i < layout->count(); ++i) {
            QLayoutItem* item = layout->itemAt(i);
            path.append(item);
            if (QWidget* w = item->widget()) {
                if (w == control)
                    return true;
                QLayout* inner = w->layout();
                if (auto* scroll = qobject_cast<QScrollArea*>(w); scroll && scroll->widget())
                    inner = scroll->widget()->layout();
                if (inner && pathTo(inner, control, path))
                    return true;
            } else if (QLayout* l = item->layout(); l && pathTo(l, control, path)) {
                return true;
            }
            path.removeLast();
        }
        return false;
    }

    // Whether `b` comes after `a` for a reader: where their places part, in the layout
    // that holds both, b's place is on a later line, or on the same line and not to the
    // left of a's.
    static bool readAfter(Form& window, QWidget* a, QWidget* b) {
        QList<QLayoutItem*> pa, pb;
        if (!pathTo(window.layout(), a, pa) || !pathTo(window.layout(), b, pb))
            return false; // a control no layout shows is read nowhere
        int k = 0;
        while (k < pa.size() && k < pb.size() && pa[k] == pb[k])
            ++k;
        if (k == pa.size() || k == pb.size())
            return true;
        const QRect ra = pa[k]->geometry();
        const QRect rb = pb[k]->geometry();
        if (rb.top() >= ra.bottom())
            return true;
        if (rb.bottom() <= ra.top())
            return false;
        return rb.left() >= ra.left();
    }

    // The window as opened (never smaller than its controls need), with a title bar and
    // borders, fits a 1366 x 768 screen above a task bar of 40 pixels; a maximised one fills
    // what the screen has.
    void fits(Form& window, const QString& where) {
        if (window.isMaximized())
            return;
        const QSize room(1366, 768 - 40);
        const QSize frame = window.size() + Form::frameAllowance();
        if (frame.width() > room.width() || frame.height() > room.height())
            faults.append(where + QStringLiteral("opens %1 x %2 with its frame")
                                      .arg(frame.width())
                                      .arg(frame.height()));
    }

    // Walks the window's Tab chain with real key presses from the control with the focus
    // back to it, and notes in `faults` what is wrong with what it met.
    void walk(Form& window, const QString& state) {
        const QString where = window.objectName() + QLatin1Char(' ') + state + QStringLiteral(": ");
        window.activateWindow();
        QVERIFY2(QTest::qWaitForWindowActive(&window), qPrintable(where));
        const int boxesBefore = messages->shown().size();
        fits(window, where);
        const QList<QWidget*> controls = offered(window);
        walked.insert(window.objectName());
        if (controls.isEmpty())
            return;
        if (!QApplication::focusWidget() || QApplication::focusWidget()->window() != &window)
            QTest::keyClick(&window, Qt::Key_Tab);
        QWidget* first = controlOf(QApplication::focusWidget());
        if (!first || !controls.contains(first)) {
            faults.append(where + QStringLiteral("the focus starts outside the controls"));
            return;
        }
        QList<QWidget*> ring{first};
        for (int presses = 0; presses <= controls.size(); ++presses) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QWidget* now = controlOf(QApplication::focusWidget());
            if (now == first)
                break;
            if (!now || ring.contains(now)) {
                faults.append(where + QStringLiteral("Tab comes to %1 again after %2")
                                          .arg(names({now}).join(QString()),
                                               names(ring).join(QLatin1Char(' '))));
                return;
            }
            ring.append(now);
        }
        if (controlOf(QApplication::focusWidget()) != first)
            faults.append(where + QStringLiteral("Tab does not come back to the first"));
        QStringList reached = names(ring), expected = names(controls);
        reached.sort();
        expected.sort();
        if (reached != expected)
            faults.append(where + QStringLiteral("Tab reaches ") + reached.join(u' ') +
                          QStringLiteral(" of ") + expected.join(u' '));

        // In reading order: going round, the one step back is from the last to the first.
        QStringList backwards;
        for (int i = 0; i < ring.size() && ring.size() > 1; ++i) {
            QWidget* from = ring[i];
            QWidget* to = ring[(i + 1) % ring.size()];
            if (!readAfter(window, from, to))
                backwards.append(names({from, to}).join(QStringLiteral(" -> ")));
        }
        if (ring.size() > 1 && backwards.size() != 1)
            faults.append(where + QStringLiteral("Tab goes back at ") +
                          backwards.join(QStringLiteral(", ")));

        // What a screen reader says of each control.
        for (QWidget* c : ring) {
            QAccessibleInterface* a = QAccessible::queryAccessibleInterface(c);
            const QString what = where + names({c}).join(QString());
            const QString name = a ? a->text(QAccessible::Name) : QString();
            if (name.trimmed().isEmpty() || name.contains(u'&'))
                faults.append(what + QStringLiteral(" is called \"%1\"").arg(name));
            // A list is called by what it shows; its caption must be there all the same.
            if (a && qobject_cast<QComboBox*>(c) && c->accessibleName().isEmpty() &&
                a->relations(QAccessible::Label).isEmpty())
                faults.append(what + QStringLiteral(" has no caption"));
        }
        // A caption that carries an access key gives it to its box.
        for (QLabel* label : window.findChildren<QLabel*>())
            if (label->isVisible() && label->text().remove(QStringLiteral("&&")).contains(u'&') &&
                !label->buddy())
                faults.append(where + label->text() + QStringLiteral(" has no box"));
        // Going round ran no check that shows a box.
        if (messages->shown().size() != boxesBefore)
            faults.append(where + QStringLiteral("going round shows ") +
                          messages->texts().mid(boxesBefore).join(QStringLiteral(", ")));
    }

    // Escape from the control with the focus: the window closes by its leaving button, or
    // as its close box closes it where it has none.
    void leave(Form& window) {
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &window,
                        Qt::Key_Escape);
        QVERIFY2(!window.isVisible(), qPrintable(window.objectName()));
    }

    // Escape does nothing in a window without a leaving button.
    void stay(Form& window) {
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &window,
                        Qt::Key_Escape);
        QVERIFY2(window.isVisible(), qPrintable(window.objectName()));
    }

    static bool showActive(Form& w) {
        if (!w.isVisible())
            w.show();
        w.activateWindow();
        return QTest::qWaitForWindowActive(&w);
    }

    QSet<QString> walked;
    QStringList faults;

private slots:
    void everyWindowIsWorkedWithTheKeyboardAlone() {
        product("V01D01U01", 1, "Riego", 3);
        product("V01D01U01", 2, "Semillas", 0);
        product("E01C01U01", 1, "Caminos", 2);
        product("E01C01U01", 2, "Puentes", 0);
        reportOn("V01D01U01", 1);
        reportOn("E01C01U01", 1);
        program->addAccount("informa", "clave", "3");
        program->addAccount("entidad", "clave", "1", "2008", "E01C01U01", "EX");

        TFRMmenu* login = app().FRMmenu();
        login->activate();
        login->show();
        QVERIFY(QTest::qWaitForWindowExposed(login));
        walk(*login, "antes de ingresar");

        // A ministry unit: its products, their goals and reports, the report by unit and
        // the accounts.
        TFRMmuestra* browser = app().FRMmuestra();
        windows->whenShown("FRMmenpri", [&](Form& menu) {
            walk(menu, "ministerio");
            stay(menu);
            TRIGGER(&menu, "Datosiniciales2");
            TRIGGER(&menu, "Ministerio1");
            TRIGGER(&menu, "Usuarios1");
            TRIGGER(&menu, "Abrirgestion1");
            TRIGGER(&menu, "Catalogos1");
            TRIGGER(&menu, "Importar1");
        });
        windows->whenShown("FRMmuestra", [&](Form& w) {
            walk(w, "sin unidad");
            CHOOSE(&w, "DBLvicemin",
                   QStringLiteral("Viceministerio de Desarrollo Rural y Agropecuario"));
            CHOOSE(&w, "DBLdirecc", QStringLiteral("Dirección General de Desarrollo Rural"));
            CHOOSE(&w, "DBLunidad", QStringLiteral("Unidad de Planificación Rural"));
            CLICK_ROW(browser->DBGmuestra, "proy_descorta", "Semillas");
            walk(w, "con unidad");
            CLICK(&w, "BTNagreprod");
            walk(w, "registro nuevo");
            CLICK(&w, "BTNcancela");
            CLICK_ROW(browser->DBGmuestra, "proy_descorta", "Semillas");
            CLICK(&w, "BTNmetas");
            CLICK_ROW(browser->DBGmuestra, "proy_descorta", "Riego");
            CLICK(&w, "BTNmuestra");
            leave(w);
        });
        windows->whenShown("FRMingresoMN", [&](Form& w) {
            walk(w, "al abrir");
            CLICK(&w, "BTNagrega");
            walk(w, "con fechas");
            CLICK(&w, "BTNsector");
            CLICK(&w, "Label34");
            leave(w);
        });
        windows->whenShown("FRMunisectorial", [&](Form& w) {
            walk(w, "de un producto");
            leave(w);
        });
        windows->whenShown("FRMverproducto", [&](Form& w) {
            walk(w, "actividades");
            leave(w);
        });
        windows->whenShown("FRMverproMN", [&](Form& w) {
            walk(w, "consulta");
            leave(w);
        });
        TFRMavaunidad* byUnit = app().FRMavaunidad();
        windows->whenShown("FRMavaunidad", [&](Form& w) {
            walk(w, "ministerio");
            QVERIFY(byUnit->Qavaunidad->locate("proy_descorta", "Riego"));
            CLICK(&w, "Label5");
            leave(w);
        });
        windows->whenShown("FRMvermas", [&](Form& w) {
            walk(w, "ministerio");
            leave(w);
        });
        windows->whenShown("FRMusuario", [&](Form& w) {
            walk(w, "al abrir");
            CLICK(&w, "BTNagrega");
            walk(w, "cuenta nueva");
            CLICK(&w, "BitBtn5");
            leave(w);
        });
        for (const char* admin : {"FRMgestion", "FRMcatalogo", "FRMimporta"})
            windows->whenShown(admin, [&](Form& w) {
                walk(w, "al abrir");
                leave(w);
            });
        program->login("Admin", "qampo");
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
        QCOMPARE(windows->shown(),
                 QStringList({"FRMmenpri", "FRMmuestra", "FRMingresoMN", "FRMunisectorial",
                              "FRMverproducto", "FRMverproMN", "FRMavaunidad", "FRMvermas",
                              "FRMusuario", "FRMgestion", "FRMcatalogo", "FRMimporta"}));

        // The progress report of the unit, by one who reports.
        windows->clear();
        windows->whenShown("FRMmenpri", [&](Form& menu) { TRIGGER(&menu, "avance1"); });
        TFRMavance* report = app().FRMavance();
        windows->whenShown("FRMavance", [&](Form& w) {
            walk(w, "al abrir");
            CHOOSE(&w, "DBLproducto", QStringLiteral("Riego"));
            CLICK_ROW(report->DBGrid1, "hito_descr", "Meta 1");
            CLICK(&w, "BTNagrega");
            TYPE(&w, "EDIavance", QStringLiteral("20"));
            walk(w, "avance nuevo");
            CLICK(&w, "BitBtn1");
            CLICK(&w, "BitBtn3");
            leave(w);
        });
        windows->whenShown("FRMhistorial", [&](Form& w) {
            walk(w, "de un producto");
            leave(w);
        });
        program->login("informa", "clave");
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
        QCOMPARE(windows->shown(), QStringList({"FRMmenpri", "FRMavance", "FRMhistorial"}));

        // A decentralised entity: its actions with their attributes and budget, and its
        // report by unit.
        windows->clear();
        windows->whenShown("FRMmenpri", [&](Form& menu) {
            TRIGGER(&menu, "Datosiniciales2");
            TRIGGER(&menu, "EntidadDesconcentrada1");
        });
        windows->whenShown("FRMmuestra", [&](Form& w) {
            CHOOSE(&w, "DBLvicemin", QStringLiteral("Instituto Nacional de Reforma Agraria"));
            CHOOSE(&w, "DBLdirecc", QStringLiteral("Saneamiento y titulación"));
            CHOOSE(&w, "DBLunidad", QStringLiteral("Unidad de Saneamiento Cochabamba"));
            CLICK_ROW(browser->DBGmuestra, "proy_descorta", "Puentes");
            walk(w, "entidad");
            CLICK(&w, "BTNmetas");
            CLICK_ROW(browser->DBGmuestra, "proy_descorta", "Caminos");
            CLICK(&w, "BTNmuestra");
            CLICK(&w, "BTNppto");
            leave(w);
        });
        windows->whenShown("FRMingresodatos1", [&](Form& w) {
            walk(w, "al abrir");
            CLICK(&w, "BTNagrega");
            walk(w, "con fechas");
            for (const char* picker :
                 {"BTNmun", "BTNresp", "BTNorga", "BTNsector", "BTNindica", "BTNplan", "BitBtn2"})
                CLICK(&w, picker);
            leave(w);
        });
        windows->whenShown("FRMfinanciero", [&](Form& w) {
            // Leaving a split percentage checks it: a person types it first.
            TYPE(&w, "EDImontotot", QStringLiteral("1000"));
            TYPE(&w, "EDIporinv", QStringLiteral("60"));
            walk(w, "de una acción");
            leave(w);
        });
        for (const char* picker : {"FRMgeografico", "FRMresponsable", "FRMorganiza", "FRMsector",
                                   "FRMindica", "FRMunisectorial"})
            windows->whenShown(picker, [&](Form& w) {
                walk(w, "de una acción");
                leave(w);
            });
        windows->whenShown("FRMverpro", [&](Form& w) {
            walk(w, "de una acción");
            CLICK(&w, "BitBtn2");
            leave(w);
        });
        windows->whenShown("FRMvermetasex", [&](Form& w) {
            walk(w, "de una acción");
            leave(w);
        });
        windows->whenShown("FRMpptoavance", [&](Form& w) {
            walk(w, "de una acción");
            leave(w);
        });
        windows->whenShown("FRMavaunidad", [&](Form& w) {
            QVERIFY(byUnit->Qavaunidad->locate("proy_descorta", "Caminos"));
            CLICK(&w, "Label5");
            leave(w);
        });
        windows->whenShown("FRMvermas", [&](Form& w) { CLICK(&w, "BitBtn2"); });
        windows->whenShown("FRMverproEX", [&](Form& w) {
            walk(w, "consulta");
            leave(w);
        });
        program->login("entidad", "clave");
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
        QCOMPARE(windows->shown(),
                 QStringList({"FRMmenpri", "FRMmuestra", "FRMingresodatos1", "FRMgeografico",
                              "FRMresponsable", "FRMorganiza", "FRMsector", "FRMindica",
                              "FRMunisectorial", "FRMfinanciero", "FRMverpro", "FRMvermetasex",
                              "FRMpptoavance", "FRMavaunidad", "FRMvermas", "FRMverproEX"}));

        QStringList all;
        for (const Form* w : app().windows())
            all.append(w->objectName());
        QStringList done(walked.cbegin(), walked.cend());
        all.sort();
        done.sort();
        QCOMPARE(done, all);
        QCOMPARE(messages->errors(), QStringList());

        // Escape in the login window is its "Salir": the program ends.
        login->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(login));
        QTest::keyClick(login->Edit1, Qt::Key_Escape);
        QVERIFY(app().terminated());
    }

    void enterLogsInFromEveryBoxOfTheLoginWindowOnce() {
        TFRMmenu* login = app().FRMmenu();
        login->activate();
        QVERIFY(showActive(*login));
        for (QWidget* box : std::initializer_list<QWidget*>{login->Edit1, login->Edit2,
                                                            login->EDIserv, login->EDIgestion}) {
            windows->clear();
            box->setFocus();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QVERIFY2(windows->shown() == QStringList({"FRMmenpri"}), qPrintable(box->objectName()));
            QVERIFY(showActive(*login));
        }
        QVERIFY(messages->shown().isEmpty());
        // Enter on "Salir" is "Salir", not "Ingresar".
        windows->clear();
        login->Label8->setFocus();
        QTest::keyClick(login->Label8, Qt::Key_Return);
        QVERIFY(windows->shown().isEmpty());
        QVERIFY(app().terminated());
    }

    void enterInABoxPressesNothingWhereNoActionIsSafe() {
        TFRMmuestra* browser = app().FRMmuestra();
        const QString headers = QStringLiteral("select count(*) from t_prodaccion");
        windows->whenShown("FRMmenpri", [&](Form& menu) { TRIGGER(&menu, "Datosiniciales2"); });
        windows->whenShown("FRMmuestra", [&](Form& w) {
            QVERIFY(showActive(w));
            CHOOSE(&w, "DBLvicemin",
                   QStringLiteral("Viceministerio de Desarrollo Rural y Agropecuario"));
            CHOOSE(&w, "DBLdirecc", QStringLiteral("Dirección General de Desarrollo Rural"));
            CHOOSE(&w, "DBLunidad", QStringLiteral("Unidad de Planificación Rural"));
            CLICK(&w, "BTNagreprod");
            for (const char* box : {"DBEdit1", "DBMemo4"}) {
                TYPE(&w, box, QStringLiteral("Riego"));
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            }
            QTest::keyClick(browser->DBLunidad, Qt::Key_Return);
            QVERIFY(w.isVisible());
            QVERIFY(browser->BTNgrabaprod->isVisible() && browser->BTNgrabaprod->isEnabled());
            QCOMPARE(program->db().scalar(headers).toInt(), 0);
            QVERIFY(messages->shown().isEmpty());
            CLICK(&w, "BTNcancela");
            leave(w);
        });
        program->login("Admin", "qampo");
        QCOMPARE(windows->shown(), QStringList({"FRMmenpri", "FRMmuestra"}));
        QCOMPARE(program->db().scalar(headers).toInt(), 0);
    }

    void enterInTheReportByUnitLooksAgain() {
        product("V01D01U01", 1, "Riego", 3);
        reportOn("V01D01U01", 1);
        TFRMavaunidad* byUnit = app().FRMavaunidad();
        QStringList found;
        windows->whenShown("FRMmenpri", [&](Form& menu) { TRIGGER(&menu, "Ministerio1"); });
        windows->whenShown("FRMavaunidad", [&](Form& w) {
            QVERIFY(showActive(w));
            auto rows = [&] {
                QStringList names;
                for (int r = 0; r < byUnit->Qavaunidad->rowCount(); ++r)
                    names.append(byUnit->DBGrid1->cellText(r, "proy_descorta"));
                return names.join(u',');
            };
            found.append(rows());
            // "Todos" off for the unit, by the keyboard, and another unit chosen.
            byUnit->CHBtoduni->setFocus();
            QTest::keyClick(byUnit->CHBtoduni, Qt::Key_Space);
            QVERIFY(!byUnit->CHBtoduni->isChecked());
            CHOOSE(&w, "DBLunidad", QStringLiteral("Unidad de Desarrollo Económico Local"));
            found.append(rows()); // choosing is not looking
            byUnit->DBLunidad->setFocus();
            QTest::keyClick(byUnit->DBLunidad, Qt::Key_Return);
            found.append(rows());
            CHOOSE(&w, "DBLunidad", QStringLiteral("Unidad de Planificación Rural"));
            QTest::keyClick(byUnit->DBLunidad, Qt::Key_Enter, Qt::KeypadModifier);
            found.append(rows());
            leave(w);
        });
        program->login("Admin", "qampo");
        QCOMPARE(windows->shown(), QStringList({"FRMmenpri", "FRMavaunidad"}));
        QCOMPARE(found, QStringList({"Riego", "Riego", "", "Riego"}));
        QCOMPARE(messages->errors(), QStringList());
    }
};

QObject* keyboardTests() {
    return new TestKeyboard;
}

MONITOREO_GUI_TEST_MAIN(keyboardTests())
#include "tst_keyboard.moc"
