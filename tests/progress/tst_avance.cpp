#include "core/today.h"
#include "fixture/controls.h"
#include "fixture/guimain.h"
#include "fixture/programtest.h"
#include "fixture/uiscript.h"
#include "plan/frmverproducto.h"
#include "plan/frmverpromn.h"
#include "progress/frmavance.h"
#include "progress/frmhistorial.h"
#include "reports/frmavaunidad.h"
#include "store/query.h"
#include "ui/dbedit.h"
#include "ui/dbgrid.h"
#include "ui/dblookup.h"
#include "ui/focushighlight.h"

#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

// The monthly progress report of a type 3 user on a product of the own unit.
class TestAvance : public ProgramTest {
    Q_OBJECT

    TFRMavance* w() { return program->app().FRMavance(); }

    void run(const std::function<void(TFRMavance&)>& script) {
        windows->whenShown("FRMmenpri", [](Form& menu) { TRIGGER(&menu, "avance1"); });
        bool ran = false;
        windows->whenShown("FRMavance", [&](Form& window) {
            window.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&window));
            script(*w());
            ran = true;
        });
        program->login("informa", "clave");
        QVERIFY(ran);
    }

    static void chooseProduct(TFRMavance& a, const QString& name) {
        const int row = a.DBLproducto->findText(name);
        QVERIFY2(row >= 0, qPrintable(name));
        a.DBLproducto->setCurrentIndex(row);
        emit a.DBLproducto->activated(row);
    }
    static void selectGoal(TFRMavance& a, int row) {
        const QModelIndex cell = a.DBGrid1->cellIndex(row, QStringLiteral("hito_descr"));
        QTest::mouseClick(a.DBGrid1->viewport(), Qt::LeftButton, {},
                          a.DBGrid1->visualRect(cell).center());
    }
    static bool yellow(QWidget* box) {
        return box->palette().color(QPalette::Base) == FocusHighlight::colour();
    }

    QStringList reports() const {
        auto c = program->db().connect();
        Query q(c.get(), QStringLiteral("select cod_hito, correla, por_avance, avance_dia, "
                                        "usuario, fecha_avance from t_avancepor order by "
                                        "cod_hito, correla"));
        q.open();
        QStringList rows;
        for (q.first(); !q.eof(); q.next())
            rows.append(QStringLiteral("%1/%2 %3 %4 %5 %6")
                            .arg(q.integer("cod_hito"))
                            .arg(q.integer("correla"))
                            .arg(q.integer("por_avance"))
                            .arg(q.integer("avance_dia"))
                            .arg(q.text("usuario"), q.text("fecha_avance")));
        return rows;
    }

private slots:
    void init() {
        ProgramTest::init();
        program->addAccount("informa", "clave", "3");
        TestDatabase& db = program->db();
        db.exec("insert into t_prodaccion (cod_unidad, uni_gestion, id_proyecto, proy_descorta, "
                "proy_descripcion, proy_resultado, proy_ok) values ('V01D01U01', '2008', 2, "
                "'Riego', 'Obras de riego', '300 hectáreas', 'S')");
        db.exec("insert into t_producto (cod_area, id_proyecto, id_producto, pro_gestion, "
                "pro_fecini, pro_fecfin) values ('V01D01U01', 2, 2, '2008', '2008-01-01', "
                "'2008-12-31')");
        for (const char* goal : {"1, 'Talleres', 40", "2, 'Obras', 60", "3, 'Entrega', 100"})
            db.exec(QStringLiteral("insert into t_hito (cod_area, id_producto, gestion, cod_hito, "
                                   "hito_descr, hito_porpro, ava_registro) values ('V01D01U01', "
                                   "2, '2008', %1, 'N')")
                        .arg(QString::fromLatin1(goal)));
        fixToday(QDate(2008, 7, 1));
    }
    void cleanup() {
        fixToday(QDate());
        ProgramTest::cleanup();
    }

    void reportingOnTheOpenGoalUntilItCloses() {
        run([&](TFRMavance& a) {
            QVERIFY(a.LBLfecha->text().startsWith(QStringLiteral("Fecha actual: ")));
            QVERIFY(a.LBLfecha->text().contains(QStringLiteral("08")));
            QVERIFY(a.DBEdit7->isVisible() && !a.DBLunidad->isVisible());
            QCOMPARE(a.DBEdit7->text(), QStringLiteral("Unidad de Planificación Rural"));
            QVERIFY(!a.BTNgraba->isEnabled());
            chooseProduct(a, QStringLiteral("Riego"));
            QCOMPARE(a.Edit3->text(), QStringLiteral("Sin fecha"));
            QCOMPARE(a.EDImaxinf->text(), QStringLiteral("0"));
            QCOMPARE(a.EDIavaesp->text(), QStringLiteral("50"));
            QCOMPARE(a.EDIdif->text(), QStringLiteral("-50"));
            QCOMPARE(a.EDIdif->palette().color(QPalette::Text), QColor(Qt::red));
            QCOMPARE(a.DBMemo1->toPlainText(), QStringLiteral("300 hectáreas"));
            QCOMPARE(a.DBGrid1->model()->rowCount(), 3);

            // Only the open goal takes a report.
            selectGoal(a, 1);
            QCOMPARE(a.LBLindica->text(), QStringLiteral("0"));
            CLICK(&a, "BTNagrega");
            QCOMPARE(messages->texts(),
                     QStringList({"No se puede agregar avance en este registro....."}));
            QVERIFY(a.BitBtn1->isEnabled());

            selectGoal(a, 0);
            QCOMPARE(a.LBLindica->text(), QStringLiteral("1"));
            QVERIFY(a.EDIavance->isEnabled() && yellow(a.EDIavance) && yellow(a.MEMavance));
            QCOMPARE(a.EDIavance->text(), QStringLiteral("0"));
            CLICK(&a, "BTNagrega");
            QVERIFY(a.BTNgraba->isEnabled() && !a.BTNagrega->isEnabled());
            TYPE(&a, "EDIavance", QStringLiteral("veinte"));
            QCOMPARE(a.EDIavance->text(), QStringLiteral("0")); // letters are refused whole
            TYPE(&a, "EDIavance", QStringLiteral("20"));
            QCOMPARE(a.EDIdif->text(), QStringLiteral("-30"));
            TYPE(&a, "MEMavance", QStringLiteral("Dos talleres de O'Brien"));
            messages->clear();
            CLICK(&a, "BTNgraba");
            QCOMPARE(messages->texts(),
                     QStringList({"Registro grabado en la base de datos ....!!!!!"}));
            QCOMPARE(a.Edit3->text(), QStringLiteral("01/jul/2008"));
            QCOMPARE(a.EDImaxinf->text(), QStringLiteral("20"));
            QCOMPARE(a.EDIdif->text(), QStringLiteral("-50"));

            // Below the last report: set back on leaving; above the goal: refused.
            selectGoal(a, 0);
            CLICK(&a, "BTNagrega");
            TYPE(&a, "EDIavance", QStringLiteral("10"));
            messages->clear();
            CLICK(&a, "MEMavance");
            QCOMPARE(messages->texts(), QStringList({"El porcentaje debe ser menor a 100 y mayor "
                                                     "al ultimo porcentaje registrado !!!! "}));
            QCOMPARE(a.EDIavance->text(), QStringLiteral("20"));
            TYPE(&a, "EDIavance", QStringLiteral("45"));
            messages->clear();
            CLICK(&a, "BTNgraba");
            QCOMPARE(messages->texts(),
                     QStringList({"El porcentaje no puede ser menor que el anterior registo, ni "
                                  "sobrepasar el porcentaje de la meta"}));
            QCOMPARE(a.focusWidget(), a.EDIavance);
            QVERIFY(!a.BTNgraba->isEnabled());
            CLICK(&a, "BTNagrega");
            TYPE(&a, "EDIavance", QStringLiteral("40"));
            CLICK(&a, "BTNgraba");
            // The closed goal takes no more reports, though it is still the grid's row.
            CLICK(&a, "BTNagrega");
            TYPE(&a, "EDIavance", QStringLiteral("40"));
            messages->clear();
            CLICK(&a, "BTNgraba");
            QCOMPARE(messages->texts(),
                     QStringList({"No se puede agregar avance en este registro....."}));
            QCOMPARE(a.LBLindica->text(), QStringLiteral("0"));

            // The goal is closed, drawn light orange in bold; the next one is open.
            const QString descr = QStringLiteral("hito_descr");
            const QModelIndex closed = a.DBGrid1->cellIndex(0, descr);
            QCOMPARE(closed.data(Qt::BackgroundRole).value<QColor>(), QColor(255, 221, 187));
            QVERIFY(closed.data(Qt::FontRole).value<QFont>().bold());
            QVERIFY(!a.DBGrid1->cellIndex(1, descr).data(Qt::FontRole).value<QFont>().bold());
            selectGoal(a, 1);
            QCOMPARE(a.LBLindica->text(), QStringLiteral("1"));
            QVERIFY(QDir().mkpath(QStringLiteral("screens")));
            a.grab().save(QStringLiteral("screens/FRMavance-informe.png"));

            TFRMhistorial* h = program->app().FRMhistorial();
            windows->whenShown("FRMhistorial", [&](Form&) {
                QCOMPARE(h->LBLcodigo->text() + u'/' + h->LBLprod->text(),
                         QStringLiteral("V01D01U01/2"));
                QCOMPARE(h->EDIproducto1->text(), QStringLiteral("Riego"));
                QCOMPARE(h->EDIunidad->text(), QStringLiteral("Unidad de Planificación Rural"));
                QCOMPARE(h->LBLactividad->text(), QStringLiteral("Indicadores"));
                QCOMPARE(h->DBGrid1->model()->rowCount(), 2);
            });
            CLICK(&a, "BitBtn3");
            QCOMPARE(windows->shown().last(), QStringLiteral("FRMhistorial"));
        });
        QCOMPARE(reports(),
                 QStringList({"1/1 20 50 informa 01/07/2008", "1/2 40 50 informa 01/07/2008"}));
        QCOMPARE(
            program->db().scalar("select ava_registro from t_hito where cod_hito = 1").toString(),
            QStringLiteral("S"));
    }

    void theWindowShowsOneProductAtATime() {
        // Caminos, from June to August (34 % expected on 1 July): its first goal closed by a
        // report of 40.
        TestDatabase& db = program->db();
        db.exec("insert into t_prodaccion (cod_unidad, uni_gestion, id_proyecto, proy_descorta, "
                "proy_descripcion, proy_resultado, proy_ok) values ('V01D01U01', '2008', 3, "
                "'Caminos', 'Obras viales', '20 km', 'S')");
        db.exec("insert into t_producto (cod_area, id_proyecto, id_producto, pro_gestion, "
                "pro_fecini, pro_fecfin) values ('V01D01U01', 3, 3, '2008', '2008-06-01', "
                "'2008-08-31')");
        db.exec("insert into t_hito (cod_area, id_producto, gestion, cod_hito, hito_descr, "
                "hito_porpro, ava_registro) values ('V01D01U01', 3, '2008', 1, 'Trazado', 40, "
                "'S'), ('V01D01U01', 3, '2008', 2, 'Ripio', 100, 'N')");
        db.exec("insert into t_avancepor (cod_area, id_producto, gestion, cod_hito, correla, "
                "fecha_avance, por_avance, usuario, descr, aclara, avance_dia) values "
                "('V01D01U01', 3, '2008', 1, 1, '2008-06-20', 40, 'informa', 'Trazado listo', "
                "'Sin lluvias', 21)");
        run([&](TFRMavance& a) {
            // The percentages say so beside their boxes.
            const auto place = [&](QWidget* w) { return QRect(w->mapTo(&a, QPoint()), w->size()); };
            for (QLineEdit* box : {a.EDImaxinf, a.EDIavaesp, a.EDIdif, a.EDIavance}) {
                bool labelled = false;
                for (QLabel* l : a.findChildren<QLabel*>()) {
                    const QRect b = place(box), p = place(l);
                    labelled |= l->isVisible() && l->text() == u'%' && p.left() > b.right() &&
                                p.left() - b.right() < 20 && p.top() < b.bottom() &&
                                p.bottom() > b.top();
                }
                QVERIFY2(labelled, qPrintable(box->objectName()));
            }

            chooseProduct(a, QStringLiteral("Caminos"));
            QCOMPARE(a.EDIavaesp->text(), QStringLiteral("34"));
            QCOMPARE(a.EDIdif->text(), QStringLiteral("6"));
            QCOMPARE(a.EDIdif->palette().color(QPalette::Text), QColor(Qt::black));
            selectGoal(a, 0);
            QCOMPARE(a.MEMaclara->toPlainText(), QStringLiteral("Sin lluvias"));
            chooseProduct(a, QStringLiteral("Riego"));
            QCOMPARE(a.MEMavance->toPlainText() + a.MEMaclara->toPlainText(), QString());
            QCOMPARE(a.EDIdif->text(), QStringLiteral("-50"));
            QCOMPARE(a.EDIdif->palette().color(QPalette::Text), QColor(Qt::red));

            // Riego's open goal selected, then Caminos chosen: its closed goal is refused.
            selectGoal(a, 0);
            chooseProduct(a, QStringLiteral("Caminos"));
            CLICK(&a, "BTNagrega");
            TYPE(&a, "EDIavance", QStringLiteral("40"));
            messages->clear();
            CLICK(&a, "BTNgraba");
            QCOMPARE(messages->texts(),
                     QStringList({"No se puede agregar avance en este registro....."}));

            // Back from the history and the activities: still Caminos, all of it.
            CLICK(&a, "BitBtn3");
            QCOMPARE(a.DBLproducto->currentText(), QStringLiteral("Caminos"));
            QCOMPARE(a.DBMemo1->toPlainText(), QStringLiteral("20 km"));
            QString activities;
            windows->whenShown("FRMverproducto", [&](Form& f) {
                activities = static_cast<TFRMverproducto&>(f).MEMproducto->toPlainText();
            });
            CLICK(&a, "Label34");
            QCOMPARE(activities, QStringLiteral("Obras viales"));
            a.DBLproducto->setFocus();
            selectGoal(a, 1); // leaves the list, which reads the product row again
            QCOMPARE(a.DBEdit1->text(), QStringLiteral("01/jun/2008"));
            CLICK(&a, "BTNagrega");
            TYPE(&a, "EDIavance", QStringLiteral("50"));
            CLICK(&a, "BTNgraba");
            QCOMPARE(a.EDIavaesp->text(), QStringLiteral("34"));

            // Taken out of the list meanwhile: nothing of it stays.
            windows->whenShown("FRMhistorial", [&](Form&) {
                program->db().exec("update t_prodaccion set proy_ok = 'N' where id_proyecto = 3");
            });
            CLICK(&a, "BitBtn3");
            QCOMPARE(a.DBLproducto->currentIndex(), -1);
            QCOMPARE(a.DBGrid1->model()->rowCount(), 0);
            QCOMPARE(a.DBEdit1->text(), QString());
            QCOMPARE(a.LBLprod->text(), QString());
        });
        QCOMPARE(reports(),
                 QStringList({"1/1 40 21 informa 20/06/2008", "2/1 50 34 informa 01/07/2008"}));
    }

    void twoReportsSeenByTheManager() {
        // A type 3 user reports twice; the second report closes the first goal.
        run([&](TFRMavance& a) {
            chooseProduct(a, QStringLiteral("Riego"));
            for (const char* percentage : {"20", "40"}) {
                selectGoal(a, 0);
                CLICK(&a, "BTNagrega");
                TYPE(&a, "EDIavance", QString::fromLatin1(percentage));
                CLICK(&a, "BTNgraba");
            }
        });
        QCOMPARE(reports().size(), 2);

        // The manager's report by unit: 40 reported where 50 was expected on 1 July, -10,
        // within the second band (yellow).
        windows->clear();
        TFRMavaunidad* unitReport = program->app().FRMavaunidad();
        windows->whenShown("FRMmenpri", [](Form& menu) { TRIGGER(&menu, "Ministerio1"); });
        windows->whenShown("FRMavaunidad", [&](Form& f) {
            Query* rows = unitReport->Qavaunidad;
            QVERIFY(rows->locate("proy_descorta", QStringLiteral("Riego")));
            QCOMPARE(rows->integer("MáxDepor_avance"), 40);
            QCOMPARE(rows->integer("ejemplo"), -10);
            const QModelIndex cell =
                unitReport->DBGrid1->cellIndex(rows->currentRow(), "proy_descorta");
            QCOMPARE(cell.data(Qt::BackgroundRole).value<QColor>(), QColor(255, 255, 0));
            CLICK(&f, "Label5");
        });
        windows->whenShown("FRMvermas", [](Form& f) { CLICK(&f, "BitBtn1"); });
        QStringList history;
        windows->whenShown("FRMhistorial", [&](Form& f) {
            auto& h = static_cast<TFRMhistorial&>(f);
            for (int r = 0; r < h.DBGrid1->model()->rowCount(); ++r)
                history.append(h.DBGrid1->cellText(r, "por_avance"));
            CLICK(&f, "Label2");
        });
        TFRMverproMN* sheet = program->app().FRMverproMN();
        int goals = 0;
        windows->whenShown("FRMverproMN",
                           [&](Form&) { goals = sheet->DBGrid2->model()->rowCount(); });
        program->login("Admin", "qampo");
        QCOMPARE(windows->shown(), QStringList({"FRMmenpri", "FRMavaunidad", "FRMvermas",
                                                "FRMhistorial", "FRMverproMN"}));
        QCOMPARE(history, QStringList({"20", "40"}));
        QCOMPARE(goals, 3);
        QCOMPARE(messages->errors(), QStringList());
    }

    void aTypeOneUserChoosesTheUnitInTheLists() {
        // The menu does not offer the report to type 1; the window still serves one.
        windows->whenShown("FRMmenpri", [&](Form& menu) { menu.open(w()); });
        windows->whenShown("FRMavance", [&](Form&) {
            TFRMavance& a = *w();
            QVERIFY(a.DBLunidad->isVisible() && !a.DBEdit7->isVisible());
            for (const auto& [list, text] :
                 {std::pair<DBLookupComboBox*, QString>{
                      a.DBLvicemin, "Viceministerio de Desarrollo Rural y Agropecuario"},
                  {a.DBLdirecc, "Dirección General de Desarrollo Rural"},
                  {a.DBLunidad, "Unidad de Planificación Rural"}}) {
                const int row = list->findText(text);
                QVERIFY2(row >= 0, qPrintable(text));
                list->setCurrentIndex(row);
                emit list->activated(row);
            }
            QCOMPARE(a.EDIunidad->text(), QStringLiteral("Unidad de Planificación Rural"));
            QCOMPARE(a.DBLproducto->count(), 1);
            chooseProduct(a, QStringLiteral("Riego"));
            QCOMPARE(a.LBLcodigo->text(), QStringLiteral("V01D01U01"));
            QCOMPARE(a.EDIavaesp->text(), QStringLiteral("50"));
        });
        program->login("Admin", "qampo");
        QCOMPARE(windows->shown(), QStringList({"FRMmenpri", "FRMavance"}));
    }

    void aReportTheEngineRefusesLeavesTheGoalOpen() {
        program->db().refuse(QStringLiteral("t_hito"), QStringLiteral("update"));
        run([&](TFRMavance& a) {
            chooseProduct(a, QStringLiteral("Riego"));
            selectGoal(a, 0);
            CLICK(&a, "BTNagrega");
            TYPE(&a, "EDIavance", QStringLiteral("40"));
            CLICK(&a, "BTNgraba");
            QCOMPARE(messages->errors().size(), 1);
            QVERIFY(a.isVisible());
            QVERIFY(!a.DBGrid1->cellIndex(0, QStringLiteral("hito_descr"))
                         .data(Qt::FontRole)
                         .value<QFont>()
                         .bold());
        });
        QVERIFY(reports().isEmpty());
    }
};

MONITOREO_GUI_TEST_MAIN(new TestAvance)
#include "tst_avance.moc"
