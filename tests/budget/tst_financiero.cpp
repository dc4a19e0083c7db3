#include "budget/frmfinanciero.h"
#include "core/today.h"
#include "fixture/controls.h"
#include "fixture/guimain.h"
#include "fixture/programtest.h"
#include "fixture/uiscript.h"
#include "plan/frmingresodatos1.h"
#include "plan/frmverproex.h"
#include "plan/goalentry.h"
#include "store/query.h"
#include "store/table.h"
#include "store/tdtm.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QTest>

// The budget programming window as the territorial entry window and the territorial goal
// sheet open it for an entity's user, and as a ministry user finds it.
class TestFinanciero : public ProgramTest {
    Q_OBJECT

    using Script = std::function<void(TFRMfinanciero&)>;
    struct Opening {
        int number;
        Script script;
    };

    int m_ran = 0;

    TFRMfinanciero* f() { return program->app().FRMfinanciero(); }

    // The window activated as a person works in it (the focus and its leavings move), then
    // the script.
    Script active(Script script) {
        return [this, script](TFRMfinanciero& w) {
            w.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&w));
            script(w);
            ++m_ran;
        };
    }
    void whenBudgetShown(const Script& script) {
        windows->whenShown(QStringLiteral("FRMfinanciero"), [this, script](Form& w) {
            active(script)(static_cast<TFRMfinanciero&>(w));
        });
    }

    // Logs in as the entity's user; the territorial entry window, prepared as the register
    // browser prepares it, opens the budget of each opening's action with "Presupuesto".
    void fromEntry(const QList<Opening>& openings) {
        m_ran = 0;
        windows->whenShown(QStringLiteral("FRMmenpri"), [&](Form& menu) {
            TFRMingresodatos1* e = program->app().FRMingresodatos1();
            e->LBLcodigo->setText(QStringLiteral("E01C01U01"));
            e->LBLproy->setText(QString::number(openings.first().number));
            e->abre_hito();
            e->d_botones();
            e->EDIvicemin->setText(QStringLiteral("Servicio de Saneamiento"));
            e->EDIunidad->setText(QStringLiteral("Unidad de Saneamiento Cochabamba"));
            e->EDIproyecto->setText(QStringLiteral("Catastro"));
            e->MEMresultado->setPlainText(QStringLiteral("Cien predios"));
            windows->whenShown(QStringLiteral("FRMingresodatos1"), [&](Form& entry) {
                for (const Opening& o : openings) {
                    e->LBLproy->setText(QString::number(o.number));
                    whenBudgetShown(o.script);
                    CLICK(&entry, "BitBtn2");
                }
            });
            menu.open(e);
        });
        program->login(QStringLiteral("entidad"), QStringLiteral("clave"));
        QCOMPARE(m_ran, openings.size());
    }

    // Logs in as the entity's user; the territorial goal sheet of action 5 opens the budget
    // with its "Presupuesto".
    void fromGoalSheet(const Script& script) {
        m_ran = 0;
        windows->whenShown(QStringLiteral("FRMmenpri"), [&](Form& menu) {
            TFRMverproEX* s = program->app().FRMverproEX();
            s->LBLcodigo->setText(QStringLiteral("E01C01U01"));
            s->LBLproy->setText(QStringLiteral("5"));
            s->EDIvicemin->setText(QStringLiteral("Servicio de Saneamiento"));
            s->EDIproyecto->setText(QStringLiteral("Catastro"));
            s->MEMresultado->setPlainText(QStringLiteral("Cien predios"));
            s->abre_metas();
            windows->whenShown(QStringLiteral("FRMverproEX"), [&](Form& sheet) {
                whenBudgetShown(script);
                CLICK(&sheet, "BTNppto");
            });
            menu.open(s);
        });
        program->login(QStringLiteral("entidad"), QStringLiteral("clave"));
        QCOMPARE(m_ran, 1);
    }

    // "correlativo activo" of the action's rows of a budget table, in version order.
    QStringList versions(const QString& table) {
        auto c = program->db().connect();
        Query q(c.get(), QStringLiteral("select correlativo, activo from %1 where cod_area = "
                                        "'E01C01U01' and id_producto = 5 and gestion = '2008' "
                                        "order by correlativo")
                             .arg(table));
        QStringList rows;
        for (q.open(); !q.eof(); q.next())
            rows.append(
                QStringLiteral("%1 %2").arg(q.integer("correlativo")).arg(q.text("activo")));
        return rows;
    }
    // Fields of the current row of a budget table of action 5, "name=value" each.
    QStringList current(const QString& table, const QStringList& fields) {
        auto c = program->db().connect();
        Query q(c.get(), QStringLiteral("select * from %1 where cod_area = 'E01C01U01' and "
                                        "id_producto = 5 and gestion = '2008' and activo = 'S'")
                             .arg(table));
        q.open();
        if (q.rowCount() != 1)
            return {QStringLiteral("%1 current rows").arg(q.rowCount())};
        QStringList values;
        for (const QString& field : fields)
            values.append(field + u'=' + q.text(field));
        return values;
    }
    // A stored version of action 5, written as an earlier save would have.
    void storedVersion(int number, const QString& months, const QString& split) {
        program->db().exec(QStringLiteral("insert into t_flujofondos (cod_area, id_producto, "
                                          "gestion, activo, correlativo, flu_enero, flu_porene, "
                                          "flu_febrero, flu_porfebre, flu_marzo, flu_pormar) "
                                          "values ('E01C01U01', 5, '2008', 'S', %1, %2)")
                               .arg(number)
                               .arg(months));
        program->db().exec(QStringLiteral("insert into t_distribucion (cod_area, id_producto, "
                                          "gestion, activo, correlativo, monto_inv, monto_atec, "
                                          "monto_total) values ('E01C01U01', 5, '2008', 'S', %1, "
                                          "%2)")
                               .arg(number)
                               .arg(split));
    }

    static QStringList percentages(const TFRMfinanciero& w) {
        QStringList p;
        for (const QLineEdit* box : w.EDIpor)
            p.append(box->text());
        return p;
    }
    static QStringList amounts(const TFRMfinanciero& w) {
        QStringList a;
        for (const QLineEdit* box : w.meses())
            a.append(box->text());
        return a;
    }
    // The month texts, the rest "0".
    static QStringList twelve(const QStringList& first) {
        QStringList all = first;
        while (all.size() < 12)
            all.append(QStringLiteral("0"));
        return all;
    }
    // The split's six boxes: %, Bs. of infrastructure, of technical assistance, of the total.
    static QStringList split(const TFRMfinanciero& w) {
        return {w.EDIporinv->text(), w.EDIbsinv->text(),  w.EDIporat->text(),
                w.EDIbsat->text(),   w.EDIportot->text(), w.EDItotbs->text()};
    }
    // Leaves the box with the focus for `to`, as a click there does.
    static void leaveFor(QWidget* to) { to->setFocus(Qt::MouseFocusReason); }

    void picture(TFRMfinanciero& w, const QString& state) {
        if (testEngine() == Engine::SQLite && QDir().mkpath(QStringLiteral("screens")))
            QVERIFY(w.grab().save(QStringLiteral("screens/FRMfinanciero-%1.png").arg(state)));
    }

private slots:
    void init() {
        ProgramTest::init();
        fixToday(QDate(2008, 3, 5));
        program->addAccount("entidad", "clave", "4", "2008", "E01C01U01", "EX");
    }
    void cleanup() {
        fixToday(QDate());
        ProgramTest::cleanup();
    }

    void theMonthsShareOfTheTotalFromTheEntryWindow() {
        fromEntry({{5, [&](TFRMfinanciero& w) {
                        QCOMPARE(w.LBLnumero->text(), QStringLiteral("21"));
                        QCOMPARE(w.LBLtitulo->text(), QStringLiteral("Montos presupuestados"));
                        QCOMPARE(w.LBLcodigo->text() + u'/' + w.LBLprod->text(),
                                 QStringLiteral("E01C01U01/5"));
                        QCOMPARE(w.EDIproyecto->text(), QStringLiteral("Catastro"));
                        QCOMPARE(w.MEMresultado->toPlainText(), QStringLiteral("Cien predios"));
                        QCOMPARE(QStringList({w.LBLvicemin->text(), w.LBLdirecc->text(),
                                              w.LBLunidad->text(), w.LBLproyecto->text(),
                                              w.LBLresultado->text()}),
                                 QStringList({"Entidad desconcentrada", "Componente", "Unidad",
                                              "Acción territorial", "Indicadores"}));
                        // An entity's user finds "Grabar" disabled; nothing stored reads as
                        // zeros, without a message.
                        QVERIFY(!w.BTNgraba->isEnabled() && w.BTNagrega->isEnabled());
                        QCOMPARE(amounts(w), twelve({}));
                        QCOMPARE(percentages(w), twelve({}));
                        for (QLineEdit* b : {w.EDImonto, w.EDIportotal, w.EDImontotot, w.EDIdif})
                            QCOMPARE(b->text(), QStringLiteral("0"));
                        QVERIFY(messages->texts().isEmpty());

                        CLICK(&w, "BTNagrega");
                        QVERIFY(w.BTNgraba->isEnabled() && !w.BTNagrega->isEnabled());
                        QCOMPARE(w.focusWidget(), w.EDIene);
                        TYPE(&w, "EDImontotot", "1000");
                        TYPE(&w, "EDIene", "125");
                        QCOMPARE(w.EDIpor[0]->text(), QStringLiteral("12"));
                        TYPE(&w, "EDIene", "135");
                        QCOMPARE(w.EDIpor[0]->text(), QStringLiteral("14"));
                        QCOMPARE(w.EDIdif->text(), QStringLiteral("865"));
                        TYPE(&w, "EDIene", "333");
                        TYPE(&w, "EDIfeb", "333");
                        TYPE(&w, "EDImar", "334");
                        QCOMPARE(percentages(w), twelve({"33", "33", "33"}));
                        QCOMPARE(w.EDIportotal->text(), QStringLiteral("99"));
                        QCOMPARE(w.EDImonto->text(), QStringLiteral("1000"));
                        QCOMPARE(w.EDIdif->text(), QStringLiteral("0"));
                        // Amounts with decimals, shown with a comma.
                        TYPE(&w, "EDIdic", "0,5");
                        QCOMPARE(w.EDImonto->text(), QStringLiteral("1000,5"));
                        QCOMPARE(w.EDIdif->text(), QStringLiteral("-0,5"));
                        QVERIFY(messages->texts().isEmpty());
                        picture(w, "programado");

                        CLICK(&w, "BTNgraba");
                        QCOMPARE(messages->texts(), QStringList({"Registros grabados"}));
                        QVERIFY(!w.BTNgraba->isEnabled() && w.BTNagrega->isEnabled());
                        // What was typed stays on show.
                        QCOMPARE(w.EDImontotot->text(), QStringLiteral("1000"));
                        QCOMPARE(w.EDIdic->text(), QStringLiteral("0,5"));
                    }}});
        QCOMPARE(versions("t_flujofondos"), QStringList({"1 S"}));
        QCOMPARE(versions("t_distribucion"), QStringList({"1 S"}));
        QCOMPARE(current("t_flujofondos", {"flu_enero", "flu_porene", "flu_marzo", "flu_pormar",
                                           "flu_diciembre", "flu_pordic", "flu_fecact", "usuario"}),
                 QStringList({"flu_enero=333", "flu_porene=33", "flu_marzo=334", "flu_pormar=33",
                              "flu_diciembre=0,5", "flu_pordic=0", "flu_fecact=05/03/2008",
                              "usuario=2008"}));
        // The split boxes were never left: their zeros are stored.
        QCOMPARE(current("t_distribucion",
                         {"monto_inv", "monto_atec", "monto_total", "fecact", "usuario"}),
                 QStringList({"monto_inv=0", "monto_atec=0", "monto_total=1000",
                              "fecact=05/03/2008", "usuario=2008"}));
    }

    void aMonthWithoutATotalAsksForTheTotal() {
        fromEntry({{5, [&](TFRMfinanciero& w) {
                        CLICK(&w, "BTNagrega");
                        TYPE(&w, "EDIfeb", "5");
                        QCOMPARE(messages->texts(),
                                 QStringList({"Instroduzca Monto total presupuestado !!!"}));
                        QCOMPARE(w.focusWidget(), w.EDImontotot);
                        QCOMPARE(w.EDImonto->text(), QStringLiteral("5"));
                        QCOMPARE(w.EDIdif->text(), QStringLiteral("-5"));
                        QCOMPARE(percentages(w), twelve({}));
                        // A month box emptied holds 0 again.
                        messages->clear();
                        w.EDIfeb->setFocus();
                        QTest::keyClick(w.EDIfeb, Qt::Key_Backspace);
                        QCOMPARE(w.EDIfeb->text(), QStringLiteral("0"));
                        QCOMPARE(w.EDImonto->text(), QStringLiteral("0"));
                        QCOMPARE(messages->texts(),
                                 QStringList({"Instroduzca Monto total presupuestado !!!"}));

                        // A key other than a digit or the comma deletes the character
                        // before the caret, in the months and in the total.
                        messages->clear();
                        TYPE(&w, "EDImontotot", "10000a0");
                        QCOMPARE(w.EDImontotot->text(), QStringLiteral("10000"));
                        TYPE(&w, "EDIfeb", "2550x");
                        QCOMPARE(w.EDIfeb->text(), QStringLiteral("255"));
                        QCOMPARE(w.EDIpor[1]->text(), QStringLiteral("3")); // 2.55
                        QVERIFY(messages->texts().isEmpty());
                        // Changing the total recomputes nothing until a month changes.
                        TYPE(&w, "EDImontotot", "50");
                        QCOMPARE(w.EDIpor[1]->text(), QStringLiteral("3"));
                        TYPE(&w, "EDIfeb", "25.5");
                        QCOMPARE(w.EDIfeb->text(), QStringLiteral("25"));
                        QCOMPARE(w.EDIpor[1]->text(), QStringLiteral("50"));
                    }}});
        QVERIFY(messages->errors().isEmpty());
        QVERIFY(versions("t_flujofondos").isEmpty());
    }

    void monthsAboveTheTotalAreSavedAsTheyStand() {
        fromEntry({{5, [&](TFRMfinanciero& w) {
                        CLICK(&w, "BTNagrega");
                        TYPE(&w, "EDImontotot", "1000");
                        TYPE(&w, "EDIene", "600");
                        QVERIFY(messages->texts().isEmpty());
                        TYPE(&w, "EDIfeb", "600");
                        QCOMPARE(messages->texts(),
                                 QStringList({"El valor no puede exeder los 100"}));
                        QCOMPARE(w.EDIportotal->text(), QStringLiteral("120"));
                        QCOMPARE(w.EDIdif->text(), QStringLiteral("-200"));
                        messages->clear();
                        CLICK(&w, "BTNgraba");
                        QCOMPARE(messages->texts(), QStringList({"Registros grabados"}));
                    }}});
        QCOMPARE(
            current("t_flujofondos", {"flu_enero", "flu_porene", "flu_febrero", "flu_porfebre"}),
            QStringList({"flu_enero=600", "flu_porene=60", "flu_febrero=600", "flu_porfebre=60"}));
        QCOMPARE(current("t_distribucion", {"monto_total"}), QStringList({"monto_total=1000"}));
    }

    void theSplitByTypeOfSupportFromTheGoalSheet() {
        fromGoalSheet([&](TFRMfinanciero& w) {
            QCOMPARE(w.EDIvicemin->text(), QStringLiteral("Servicio de Saneamiento"));
            TYPE(&w, "EDImontotot", "1005");
            TYPE(&w, "EDIporinv", "30");
            leaveFor(w.EDIporat);
            QCOMPARE(split(w), QStringList({"30", "302", "70", "703", "100", "1005"}));
            TYPE(&w, "EDIporat", "40");
            leaveFor(w.EDImontotot);
            QCOMPARE(split(w), QStringList({"60", "603", "40", "402", "100", "1005"}));
            QVERIFY(messages->texts().isEmpty());

            // All of it to infrastructure leaves 0 to the other, which is no percentage.
            TYPE(&w, "EDIporinv", "100");
            leaveFor(w.EDIporat);
            QCOMPARE(split(w), QStringList({"100", "1005", "0", "0", "100", "1005"}));
            leaveFor(w.EDImontotot);
            QCOMPARE(messages->texts(), QStringList({"El porcentaje mo debe exceder a 100%"}));
            QCOMPARE(split(w), QStringList({"100", "0", "0", "0", "0", "0"}));
            QCOMPARE(w.focusWidget(), w.EDIporinv);
            for (const char* outside : {"0", "101"}) {
                messages->clear();
                TYPE(&w, "EDIporinv", outside);
                leaveFor(w.EDIporat);
                QCOMPARE(messages->texts(), QStringList({"El porcentaje mo debe exceder a 100%"}));
                QCOMPARE(split(w), QStringList({outside, "0", "0", "0", "0", "0"}));
                QCOMPARE(w.focusWidget(), w.EDIporinv);
            }

            // A total with decimals is split to the ten-thousandth.
            messages->clear();
            TYPE(&w, "EDIporinv", "30");
            TYPE(&w, "EDImontotot", "1000,5");
            TYPE(&w, "EDIporinv", "30");
            leaveFor(w.EDIporat);
            QCOMPARE(split(w), QStringList({"30", "300,15", "70", "700,35", "100", "1000,5"}));
            // Changing the total afterwards changes nothing of the split.
            TYPE(&w, "EDImontotot", "2000");
            QCOMPARE(split(w), QStringList({"30", "300,15", "70", "700,35", "100", "1000,5"}));
            QVERIFY(messages->texts().isEmpty());

            // Letters are no percentage: the standard error, the boxes as they were.
            TYPE(&w, "EDIporinv", "3a");
            leaveFor(w.EDIporat);
            QCOMPARE(messages->errors(),
                     QStringList({"Infraestructura %: \"3a\" no es un número entero válido"}));
            QCOMPARE(split(w), QStringList({"3a", "300,15", "70", "700,35", "100", "1000,5"}));
            picture(w, "distribucion");
        });
    }

    void twoSavesAreTwoVersionsAndMostrarShowsTheLast() {
        fromEntry({{5, [&](TFRMfinanciero& w) {
                        CLICK(&w, "BTNagrega");
                        TYPE(&w, "EDImontotot", "1000");
                        TYPE(&w, "EDIene", "400");
                        TYPE(&w, "EDIfeb", "600");
                        TYPE(&w, "EDIporinv", "30");
                        leaveFor(w.EDIporat);
                        CLICK(&w, "BTNgraba");
                        CLICK(&w, "BTNagrega");
                        // February first, so that the months never pass the total.
                        TYPE(&w, "EDIfeb", "500");
                        TYPE(&w, "EDIene", "500");
                        CLICK(&w, "BTNgraba");
                        QCOMPARE(messages->texts(),
                                 QStringList({"Registros grabados", "Registros grabados"}));
                        // What is on show changes; "Mostrar" shows the stored version.
                        TYPE(&w, "EDIene", "1");
                        TYPE(&w, "EDImontotot", "7");
                        CLICK(&w, "BitBtn1");
                        QCOMPARE(amounts(w), twelve({"500", "500"}));
                        QCOMPARE(percentages(w), twelve({"50", "50"}));
                        QCOMPARE(w.EDImontotot->text(), QStringLiteral("1000"));
                        QCOMPARE(w.EDImonto->text(), QStringLiteral("1000"));
                        QCOMPARE(w.EDIportotal->text(), QStringLiteral("100"));
                        QCOMPARE(w.EDItotbs->text(), QStringLiteral("1000"));
                        QCOMPARE(w.EDIdif->text(), QStringLiteral("0"));
                        QCOMPARE(messages->texts().size(), 2);
                    }}});
        QCOMPARE(versions("t_flujofondos"), QStringList({"1 N", "2 S"}));
        QCOMPARE(versions("t_distribucion"), QStringList({"1 N", "2 S"}));
        // The split boxes kept what the first save stored.
        QCOMPARE(current("t_distribucion", {"monto_inv", "monto_atec"}),
                 QStringList({"monto_inv=300", "monto_atec=700"}));
    }

    void aStoredVersionIsShownAsStored() {
        // Percentages that do not follow from the amounts and add up to more than 100, and
        // a split that does not add up to the total: shown as they are, without messages.
        storedVersion(1, QStringLiteral("100, 90, 100, 20, 0.5, 1"),
                      QStringLiteral("250, 700, 1000"));
        const auto stored = [&](TFRMfinanciero& w) {
            QCOMPARE(amounts(w), twelve({"100", "100", "0,5"}));
            QCOMPARE(percentages(w), twelve({"90", "20", "1"}));
            QCOMPARE(w.EDImonto->text(), QStringLiteral("200,5"));
            QCOMPARE(w.EDIportotal->text(), QStringLiteral("111"));
            QCOMPARE(w.EDImontotot->text(), QStringLiteral("1000"));
            QCOMPARE(w.EDIdif->text(), QStringLiteral("-50"));
            // The split with the percentages of the 950 it was made from.
            QCOMPARE(split(w), QStringList({"26", "250", "74", "700", "100", "950"}));
            QVERIFY(messages->texts().isEmpty());
        };
        fromEntry({{5,
                    [&](TFRMfinanciero& w) {
                        stored(w);
                        // Left after "Agregar", with a split typed and nothing saved.
                        CLICK(&w, "BTNagrega");
                        TYPE(&w, "EDIporinv", "40");
                        leaveFor(w.EDIporat);
                        QCOMPARE(w.EDIbsinv->text(), QStringLiteral("400"));
                    }},
                   // Another action with nothing stored, then this one again: nothing of the
                   // other stays, and the earlier total recomputes nothing.
                   {6,
                    [&](TFRMfinanciero& w) {
                        QCOMPARE(amounts(w), twelve({}));
                        QCOMPARE(percentages(w), twelve({}));
                        QCOMPARE(w.EDImontotot->text(), QStringLiteral("0"));
                        QCOMPARE(split(w), QStringList(6, QStringLiteral("0")));
                        QVERIFY(!w.BTNgraba->isEnabled() && w.BTNagrega->isEnabled());
                        QVERIFY(messages->texts().isEmpty());
                    }},
                   {5, [&](TFRMfinanciero& w) {
                        stored(w);
                        // Saved again as shown: the version keeps its own split.
                        CLICK(&w, "BTNagrega");
                        CLICK(&w, "BTNgraba");
                        QCOMPARE(messages->texts(), QStringList({"Registros grabados"}));
                    }}});
        QCOMPARE(versions("t_distribucion"), QStringList({"1 N", "2 S"}));
        QCOMPARE(current("t_distribucion", {"monto_inv", "monto_atec", "monto_total"}),
                 QStringList({"monto_inv=250", "monto_atec=700", "monto_total=1000"}));
    }

    void aBoxThatCannotBeReadLeavesTheStoredVersion() {
        storedVersion(1, QStringLiteral("100, 10, 900, 90, 0, 0"), QStringLiteral("0, 0, 1000"));
        fromGoalSheet([&](TFRMfinanciero& w) {
            CLICK(&w, "BTNagrega");
            w.EDImontotot->setFocus();
            w.EDImontotot->selectAll();
            QTest::keyClick(w.EDImontotot, Qt::Key_Backspace);
            QCOMPARE(w.EDImontotot->text(), QString());
            CLICK(&w, "BTNgraba");
            QCOMPARE(messages->errors(),
                     QStringList({"Total monto presupuestado (Bs.): \"\" no es un monto válido"}));
            QVERIFY(w.BTNgraba->isEnabled() && !w.BTNagrega->isEnabled());
            QCOMPARE(versions("t_flujofondos"), QStringList({"1 S"}));

            // A save the engine stops half way is undone whole.
            messages->clear();
            program->db().refuse(QStringLiteral("t_distribucion"), QStringLiteral("insert"));
            TYPE(&w, "EDImontotot", "2000");
            CLICK(&w, "BTNgraba");
            QCOMPARE(messages->texts().size(), 1);
            QVERIFY(
                messages->errors().value(0).contains(QStringLiteral("rechazado por la prueba")));
            QVERIFY(w.BTNgraba->isEnabled());
        });
        QCOMPARE(versions("t_flujofondos"), QStringList({"1 S"}));
        QCOMPARE(versions("t_distribucion"), QStringList({"1 S"}));
        QCOMPARE(current("t_flujofondos", {"flu_enero", "flu_porene"}),
                 QStringList({"flu_enero=100", "flu_porene=10"}));
    }

    void aMinistryUserFindsTheProductCaptionsAndTheOtherControls() {
        program->addAccount("planifica", "clave", "4");
        m_ran = 0;
        windows->whenShown(QStringLiteral("FRMmenpri"), [&](Form& menu) {
            TFRMfinanciero* budget = f();
            budget->LBLcodigo->setText(QStringLiteral("V01D01U01"));
            budget->LBLprod->setText(QStringLiteral("3"));
            whenBudgetShown([&](TFRMfinanciero& w) {
                QCOMPARE(
                    QStringList({w.LBLvicemin->text(), w.LBLdirecc->text(), w.LBLunidad->text(),
                                 w.LBLproyecto->text(), w.LBLresultado->text()}),
                    QStringList(
                        {"Viceministerio", "Dirección", "Unidad", "Producto", "Indicadores"}));
                QCOMPARE(w.EDIvicemin->accessibleName(), QStringLiteral("Viceministerio"));
                // The buttons as the last use left them.
                QVERIFY(w.BTNgraba->isEnabled() && w.BTNagrega->isEnabled());

                // The funding sources: twenty fixed entries, each ending with a tab; the
                // grid and boxes hold nothing.
                QCOMPARE(w.CBXfuente->count(), 20);
                QStringList acronyms;
                for (int i = 0; i < w.CBXfuente->count(); ++i) {
                    const QString item = w.CBXfuente->itemText(i);
                    QVERIFY2(item.endsWith(u'\t') && !item.endsWith(QStringLiteral(" \t")),
                             qPrintable(item));
                    acronyms.append(item.section(QStringLiteral(" - "), 0, 0));
                }
                QCOMPARE(acronyms, QStringList({"ACDI",   "AECID", "COSUDE", "BM",    "DANIDA",
                                                "JICA",   "ASDI",  "DFID",   "UNFPA", "GTZ",
                                                "UNICEF", "PADEP", "PROFIN", "PMA",   "USAID",
                                                "USAID",  "USAID", "USAID",  "USAID", "USAID"}));
                QCOMPARE(w.CBXfuente->itemText(0),
                         QStringLiteral("ACDI - Agencia Canadiense de Desarrollo Internacional\t"));
                QVERIFY(w.CBXfuente->findText(QStringLiteral("BM - Banco Mundial\t")) >= 0);
                QVERIFY(w.CBXfuente->findText(QStringLiteral("USAID - Bolivia\t")) >= 0);
                QCOMPARE(w.STGfuente->columnCount(), 3);
                QCOMPARE(w.STGfuente->horizontalHeaderItem(2)->text(),
                         QStringLiteral("Porcentaje (%)"));
                QVERIFY(w.EDIfuentemonto->text().isEmpty() && w.EDIfuentepor->text().isEmpty());

                // "Modificar" and "Cancelar" change nothing on show or stored.
                TYPE(&w, "EDImontotot", "1000");
                TYPE(&w, "EDIene", "250");
                CLICK(&w, "BitBtn2");
                CLICK(&w, "BTNcancela");
                QCOMPARE(w.EDIene->text(), QStringLiteral("250"));
                QCOMPARE(w.EDIpor[0]->text(), QStringLiteral("25"));
                QVERIFY(w.BTNgraba->isEnabled());
                picture(w, "ministerio");
                CLICK(&w, "BitBtn4");
                QVERIFY(!w.isVisible());
            });
            menu.open(budget);
        });
        program->login(QStringLiteral("planifica"), QStringLiteral("clave"));
        QCOMPARE(m_ran, 1);
        QVERIFY(messages->errors().isEmpty());
        QCOMPARE(program->db().scalar("select count(*) from t_flujofondos").toInt(), 0);
    }
};

MONITOREO_GUI_TEST_MAIN(new TestFinanciero)
#include "tst_financiero.moc"
