#include "budget/frmfinanciero.h"
#include "core/datetext.h"
#include "fixture/controls.h"
#include "fixture/guimain.h"
#include "fixture/programtest.h"
#include "fixture/uiscript.h"
#include "pickers/frmunisectorial.h"
#include "plan/frmverproducto.h"
#include "plan/frmverproex.h"
#include "plan/frmverpromn.h"
#include "plan/goalsheet.h"
#include "store/query.h"
#include "store/tdtm.h"
#include "ui/clicklabel.h"
#include "ui/datepicker.h"
#include "ui/dbedit.h"
#include "ui/dbgrid.h"

#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

namespace {

QDate d(int month, int day) {
    return QDate(2008, month, day);
}

} // namespace

// The goal sheets as their callers prepare them and a user drives them.
class TestGoalSheetForm : public ProgramTest {
    Q_OBJECT

    TFRMverproMN* mn() { return program->app().FRMverproMN(); }
    TFRMverproEX* ex() { return program->app().FRMverproEX(); }

    // Product 3 from January to December; three goals of ten days in January unless none.
    void addProduct(int goals = 3) {
        program->db().exec(QStringLiteral("insert into t_producto (cod_area, id_proyecto, "
                                          "id_producto, pro_gestion, pro_fecini, pro_fecfin) "
                                          "values ('V01D01U01', 3, 3, '2008', '2008-01-01', "
                                          "'2008-12-31')"));
        for (int n = 1; n <= goals; ++n)
            program->db().exec(
                QStringLiteral("insert into t_hito (cod_area, id_producto, gestion, cod_hito, "
                               "hito_descr, hito_fecini, hito_fecfin, hito_porpro) values "
                               "('V01D01U01', 3, '2008', %1, 'Meta %1', '%2', '%3', 0)")
                    .arg(n)
                    .arg(d(1, 10 * n - 9).toString(Qt::ISODate),
                         d(1, 10 * n).toString(Qt::ISODate)));
    }
    // The goals ("number descr start end percentage") and the product's dates, as stored.
    QStringList stored() {
        auto c = program->db().connect();
        Query goals(c.get(), QStringLiteral("select * from t_hito order by cod_hito"));
        QStringList rows;
        for (goals.open(); !goals.eof(); goals.next())
            rows.append(QStringLiteral("%1 %2 %3 %4 %5")
                            .arg(goals.integer("cod_hito"))
                            .arg(goals.text("hito_descr"),
                                 goals.date("hito_fecini").toString(QStringLiteral("dd/MM")),
                                 goals.date("hito_fecfin").toString(QStringLiteral("dd/MM")))
                            .arg(goals.integer("hito_porpro")));
        Query product(c.get(), QStringLiteral("select * from t_producto"));
        for (product.open(); !product.eof(); product.next())
            rows.append(product.date("pro_fecini").toString(QStringLiteral("dd/MM")) + u' ' +
                        product.date("pro_fecfin").toString(QStringLiteral("dd/MM")));
        return rows;
    }

    // What a caller that lets the user correct the goals does, then the sheet shows.
    void prepare(GoalSheetForm* w) {
        w->LBLcodigo->setText(QStringLiteral("V01D01U01"));
        w->LBLproy->setText(QStringLiteral("3"));
        w->EDIvicemin->setText(QStringLiteral("Viceministerio de Desarrollo Rural"));
        w->EDIdirecc->setText(QStringLiteral("Dirección General"));
        w->EDIunidad->setText(QStringLiteral("Unidad de Planificación"));
        w->EDIproyecto->setText(QStringLiteral("Caminos vecinales"));
        w->MEMresultado->setPlainText(QStringLiteral("Diez caminos"));
        w->abre_metas();
        w->BTNmodifi->setVisible(true);
        w->BTNmodifi->setEnabled(true);
        w->BTNgramet->setVisible(false);
        w->BTNgramet->setEnabled(false);
        w->activate();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
    }

    void clickGoal(GoalSheetForm* w, qint64 number) {
        const Query* q = w->metas->Qhito;
        for (int r = 0; r < q->rowCount(); ++r)
            if (q->valueAt(r, q->fieldIndex(QStringLiteral("cod_hito"))).toLongLong() == number) {
                const QModelIndex cell = w->DBGrid2->cellIndex(r, QStringLiteral("hito_descr"));
                QTest::mouseClick(w->DBGrid2->viewport(), Qt::LeftButton, {},
                                  w->DBGrid2->visualRect(cell).center());
            }
        QCOMPARE(q->integer("cod_hito"), number);
    }
    // Moves a picker's day with the arrow keys.
    void stepDay(DatePicker* picker, int days) {
        picker->setFocus();
        QTest::keyClick(picker, Qt::Key_Home);
        for (int i = 0; i < qAbs(days); ++i)
            QTest::keyClick(picker, days > 0 ? Qt::Key_Up : Qt::Key_Down);
    }

    // The two modes as the user sees them.
    bool editing(GoalSheetForm* w) {
        return w->DTMinicio->isVisible() && w->DTMhasta->isVisible() && w->BTNgramet->isEnabled() &&
               w->BTNcancela->isEnabled() && !w->BTNmodifi->isVisible();
    }
    bool viewing(GoalSheetForm* w) {
        return !w->DTMinicio->isVisible() && !w->DTMhasta->isVisible() &&
               w->DBEfecini->isVisible() && !w->BTNgramet->isVisible() &&
               !w->BTNcancela->isEnabled() && w->BTNmodifi->isVisible() &&
               w->DBEdescri->isReadOnly();
    }

    void picture(GoalSheetForm* w, const QString& mode) {
        if (testEngine() == Engine::SQLite && QDir().mkpath(QStringLiteral("screens")))
            QVERIFY(w->grab().save(QStringLiteral("screens/%1-%2.png").arg(w->objectName(), mode)));
    }

private slots:
    void activationAndMovingInTheGrid() {
        addProduct();
        // What a report-row detail leaves on the territorial sheet.
        ex()->LBLproducto->setText(QStringLiteral("Acción territorial"));
        ex()->BTNagrega->setEnabled(true);
        prepare(ex());
        QCOMPARE(ex()->EDIfecini->text(), showDate(d(1, 1)));
        QCOMPARE(ex()->EDIfecfin->text(), showDate(d(1, 30)));
        QCOMPARE(ex()->LBLproducto->text(), QStringLiteral("Indicadores"));
        QVERIFY(!ex()->BTNagrega->isEnabled());
        QVERIFY(viewing(ex()));

        clickGoal(ex(), 2);
        QCOMPARE(ex()->DTMinicio->date(), d(1, 11));
        QCOMPARE(ex()->DTMfinal->date(), d(1, 20));
        QCOMPARE(ex()->DBEfecfin->text(), showDate(d(1, 20)));
        QCOMPARE(ex()->EDIfecini->text(), showDate(d(1, 1))); // not a change of the user's
        QTest::keyClick(ex()->DBGrid2, Qt::Key_Down);
        const int next = int(ex()->metas->Qhito->integer("cod_hito"));
        QCOMPARE(ex()->DTMfinal->date(), d(1, 10 * next));

        // Back from a window it opened, the sheet reads the span again.
        windows->whenShown("FRMunisectorial", [&](Form&) {
            program->db().exec(QStringLiteral("update t_hito set hito_fecfin = '2008-02-15'"));
        });
        CLICK(ex(), "BitBtn1");
        QCOMPARE(ex()->EDIfecfin->text(), showDate(d(2, 15)));
    }

    void modificarThenGrabarSavesTheCurrentGoalAndRecomputes() {
        addProduct();
        prepare(mn());
        clickGoal(mn(), 2);
        picture(mn(), QStringLiteral("consulta"));
        CLICK(mn(), "BTNmodifi");
        QVERIFY(editing(mn()));
        // The ministry sheet keeps the stored dates in sight beside the pickers.
        QVERIFY(mn()->DBEfecini->isVisible() && mn()->DBEfecini->isReadOnly());
        QCOMPARE(mn()->DTMinicio->date(), d(1, 11));
        QCOMPARE(mn()->DTMhasta->date(), d(1, 30));

        TYPE(mn(), "DBEdescri", "Talleres en O'Brien");
        stepDay(mn()->DTMfinal, 5);
        QCOMPARE(mn()->DTMhasta->date(), d(1, 25)); // the product panel previews it
        QCOMPARE(mn()->EDIfecfin->text(), showDate(d(1, 25)));
        stepDay(mn()->DTMinicio, 2); // does not last: goal 2 follows goal 1
        QCOMPARE(mn()->EDIfecini->text(), showDate(d(1, 13)));
        picture(mn(), QStringLiteral("edicion"));
        CLICK(mn(), "BTNgramet");

        QVERIFY(messages->shown().isEmpty());
        QCOMPARE(stored(),
                 QStringList({"1 Meta 1 01/01 10/01 33", "2 Talleres en O'Brien 11/01 25/01 83",
                              "3 Meta 3 26/01 30/01 100", "01/01 30/01"}));
        QVERIFY(viewing(mn()));
        // The product's dates as now stored, and the new percentages.
        QCOMPARE(mn()->EDIfecini->text(), showDate(d(1, 1)));
        QCOMPARE(mn()->EDIfecfin->text(), showDate(d(1, 30)));
        QVERIFY(mn()->metas->Qhito->locate(QStringLiteral("cod_hito"), 3));
        QCOMPARE(mn()->DBGrid2->cellText(mn()->metas->Qhito->currentRow(), "hito_porpro"),
                 QStringLiteral("100"));
    }

    void cancelaAsksAndWritesNothing() {
        addProduct();
        prepare(ex());
        picture(ex(), QStringLiteral("consulta"));
        const QStringList before = stored();
        CLICK(ex(), "BTNmodifi");
        QVERIFY(!ex()->DBEfecini->isVisible()); // the pickers stand in their place
        picture(ex(), QStringLiteral("edicion"));
        stepDay(ex()->DTMfinal, 3);
        const QString preview = ex()->EDIfecfin->text();
        TYPE(ex(), "DBEdescri", "Otra");

        CLICK(ex(), "BTNcancela"); // "No": the edit goes on
        QCOMPARE(messages->texts(), QStringList({"Desea cancelar la modificación de registros?"}));
        QVERIFY(editing(ex()) && !ex()->DBEdescri->isReadOnly());
        QCOMPARE(ex()->DBEdescri->text(), QStringLiteral("Otra"));

        messages->answerNext(true);
        CLICK(ex(), "BTNcancela");
        QVERIFY(viewing(ex()));
        QCOMPARE(stored(), before);
        QCOMPARE(ex()->EDIfecfin->text(), preview);
    }

    void eliminarAsksThenRemovesTheGoalsAndTheProductRow() {
        addProduct();
        prepare(ex());
        CLICK(ex(), "BTNelimina"); // "No"
        QCOMPARE(messages->texts(), QStringList({"Esta seguro de eliminar las metas?"}));
        QCOMPARE(stored().size(), 4);

        CLICK(ex(), "BTNmodifi");
        messages->answerNext(true);
        CLICK(ex(), "BTNelimina");
        QVERIFY(stored().isEmpty());
        QCOMPARE(ex()->DBGrid2->model()->rowCount(), 0);
        QVERIFY(viewing(ex()));
        // Only leaving, the links and the budget remain.
        for (QPushButton* b : {ex()->BTNmodifi, ex()->BTNcancela, ex()->BTNelimina})
            QVERIFY2(!b->isEnabled(), qPrintable(b->objectName()));
        for (QWidget* w : std::initializer_list<QWidget*>{ex()->BTNsalir, ex()->BitBtn1,
                                                          ex()->Label34, ex()->BTNppto})
            QVERIFY2(w->isEnabled(), qPrintable(w->objectName()));
    }

    void aMinistryProductWithoutGoalsKeepsItsDates() {
        addProduct(0);
        prepare(mn());
        QCOMPARE(mn()->EDIfecini->text(), QString());
        CLICK(mn(), "BTNmodifi");
        // The pickers start at the management year's first and last day.
        QCOMPARE(mn()->DTMinicio->date(), d(1, 1));
        QCOMPARE(mn()->DTMfinal->date(), d(12, 31));
        QVERIFY(!mn()->DBEfecini->isVisible() && mn()->DBEdescri->isReadOnly());
        CLICK(mn(), "BTNgramet");
        QVERIFY(messages->shown().isEmpty());
        QCOMPARE(stored(), QStringList({"01/01 31/12"}));
    }

    void aSaveTheEngineStopsIsUndoneAndTheEditGoesOn() {
        addProduct();
        prepare(mn());
        const QStringList before = stored();
        program->db().refuse(QStringLiteral("t_producto"), QStringLiteral("update"));
        CLICK(mn(), "BTNmodifi");
        stepDay(mn()->DTMfinal, 2);
        CLICK(mn(), "BTNgramet");
        QCOMPARE(messages->errors().size(), 1);
        QVERIFY(messages->errors().first().contains(QStringLiteral("rechazado por la prueba")));
        QCOMPARE(stored(), before);
        // The user's dates are still there to correct.
        QVERIFY(editing(mn()));
        QCOMPARE(mn()->DTMfinal->date(), mn()->metas->Qhito->date("hito_fecfin").addDays(2));
    }

    void theLinksPrepareTheWindowsTheyOpen() {
        addProduct();
        program->db().exec(QStringLiteral("insert into t_prodaccion (cod_unidad, uni_gestion, "
                                          "id_proyecto, proy_descripcion) values ('V01D01U01', "
                                          "'2008', 3, 'Mejorar diez caminos')"));
        TFRMunisectorial* picker = program->app().FRMunisectorial();
        TFRMverproducto* viewer = program->app().FRMverproducto();
        TFRMfinanciero* budget = program->app().FRMfinanciero();
        QStringList seen;
        auto see = [&](Form& w) {
            if (&w == picker)
                seen << picker->LBLcodigo->text() + u' ' + picker->LBLprod->text() +
                            (picker->BitBtn1->isEnabled() ? " agrega" : " no agrega");
            else if (&w == viewer)
                seen << viewer->MEMproducto->toPlainText();
            else
                seen << budget->LBLcodigo->text() + u' ' + budget->LBLprod->text() + u' ' +
                            budget->EDIvicemin->text() + u' ' + budget->EDIproyecto->text() + u' ' +
                            budget->MEMresultado->toPlainText();
        };
        for (const char* name : {"FRMunisectorial", "FRMfinanciero", "FRMunisectorial"})
            windows->whenShown(QString::fromLatin1(name), see);
        for (int i = 0; i < 3; ++i)
            windows->whenShown(QStringLiteral("FRMverproducto"), see);

        picker->BitBtn1->setEnabled(true);
        prepare(ex());
        CLICK(ex(), "BitBtn1");
        CLICK(ex(), "BTNppto");
        ex()->hide();
        prepare(mn());
        CLICK(mn(), "BitBtn1");
        CLICK(mn(), "Label34"); // the shared header query is not loaded yet
        Query* header = program->app().DTM()->ADOQprores;
        header->setParams({QStringLiteral("V01D01U01"), 3, QStringLiteral("2008")});
        header->open();
        CLICK(mn(), "Label34");
        CLICK(mn(), "Image1");
        QCOMPARE(seen, QStringList({"V01D01U01 3 agrega",
                                    "V01D01U01 3 Viceministerio de Desarrollo Rural Caminos "
                                    "vecinales Diez caminos",
                                    "V01D01U01 3 no agrega", "", "Mejorar diez caminos",
                                    "Mejorar diez caminos"}));
    }

    void salirClosesAndTheNextOpeningShowsTheGoals() {
        addProduct();
        prepare(mn());
        CLICK(mn(), "BTNmodifi");
        CLICK(mn(), "BTNsalir");
        QVERIFY(!mn()->isVisible());
        // A read-only opening, as the register browser makes it.
        mn()->abre_metas();
        mn()->BTNmodifi->setEnabled(false);
        mn()->BTNelimina->setEnabled(false);
        mn()->activate();
        mn()->show();
        QVERIFY(QTest::qWaitForWindowExposed(mn()));
        QVERIFY(!mn()->DTMinicio->isVisible() && !mn()->DTMdesde->isVisible());
        QVERIFY(mn()->DBEdescri->isReadOnly() && mn()->DBEfecini->isVisible());
        QVERIFY(!mn()->BTNmodifi->isEnabled() && !mn()->BTNelimina->isEnabled());
    }
};

MONITOREO_GUI_TEST_MAIN(new TestGoalSheetForm)
#include "tst_goalsheetform.moc"
