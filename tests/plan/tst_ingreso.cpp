#include "fixture/controls.h"
#include "fixture/guimain.h"
#include "fixture/programtest.h"
#include "fixture/uiscript.h"
#include "pickers/frmresponsable.h"
#include "pickers/frmunisectorial.h"
#include "plan/frmingresomn.h"
#include "plan/frmverproducto.h"
#include "plan/goalentry.h"
#include "session/frmmenpri.h"
#include "store/query.h"
#include "ui/datepicker.h"
#include "ui/dbgrid.h"
#include "ui/focushighlight.h"

#include <QCalendarWidget>
#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

namespace {

QDate d(int month, int day) {
    return QDate(2008, month, day);
}

} // namespace

// The ministry entry window as its caller prepares it, driven by clicks and keys.
class TestIngreso : public ProgramTest {
    Q_OBJECT

    TFRMingresoMN* w() { return program->app().FRMingresoMN(); }

    // Logs in as the installed type 1 account, prepares the window for product 4 of its
    // unit as the register browser does and runs `script` on it.
    void run(const std::function<void(TFRMingresoMN&)>& script) {
        program->db().exec(QStringLiteral(
            "insert into t_prodaccion (cod_unidad, uni_gestion, id_proyecto, proy_descorta, "
            "proy_descripcion, proy_resultado, proy_ok) values ('V01D01U01', '2008', 4, "
            "'Catastro rural', 'Levantar el catastro de 3 municipios', 'Catastro hecho', 'S')"));
        bool ran = false;
        windows->whenShown("FRMmenpri", [&](Form& menu) {
            TFRMingresoMN* e = w();
            e->DTPdesde->setEnabled(true);
            e->DTPhasta->setEnabled(true);
            e->LBLcodigo->setText(QStringLiteral("V01D01U01"));
            e->LBLproy->setText(QStringLiteral("4"));
            e->abre_hito();
            e->DTPdesde->setDate(d(1, 1));
            e->DTPhasta->setDate(d(12, 31));
            e->d_botones();
            e->EDIproyecto->setText(QStringLiteral("Catastro rural"));
            e->BTNagrega->setEnabled(true);
            e->BTNcancela->setEnabled(false);
            e->BTNrespon->setEnabled(false);
            e->BTNsector->setEnabled(false);
            e->Edit3->setEnabled(false);
            menu.open(e);
        });
        windows->whenShown("FRMingresoMN", [&](Form&) {
            script(*w());
            ran = true;
        });
        program->login("Admin", "qampo");
        QVERIFY(ran);
    }

    QStringList goals() const {
        auto c = program->db().connect();
        Query q(c.get(), QStringLiteral("select cod_hito, hito_descr, hito_porpro from t_hito "
                                        "where cod_area = 'V01D01U01' and id_producto = 4 and "
                                        "gestion = '2008' order by cod_hito"));
        q.open();
        QStringList rows;
        for (q.first(); !q.eof(); q.next())
            rows.append(QStringLiteral("%1 %2 %3")
                            .arg(q.integer("cod_hito"))
                            .arg(q.text("hito_descr"))
                            .arg(q.integer("hito_porpro")));
        return rows;
    }

    // Starts the entry and the first goal: product from 1 January to 31 December.
    void startGoal(TFRMingresoMN& e, const QString& description) {
        CLICK(&e, "BTNagrega");
        CLICK(&e, "BTNagrehit");
        TYPE(&e, "Edit3", description);
    }

private slots:
    void storingGoalsOneByOne() {
        run([&](TFRMingresoMN& e) {
            QCOMPARE(e.windowTitle(), QStringLiteral("Seguimiento a unidades del Ministerio"));
            QCOMPARE(e.focusWidget(), e.BTNagrega);
            // The dates the caller set offer no goal before "Agregar".
            QVERIFY(!e.BTNcancela->isEnabled() && !e.BTNrespon->isEnabled() &&
                    !e.BTNsector->isEnabled() && !e.BTNgrabhit->isEnabled() &&
                    !e.BTNagrehit->isEnabled());
            QVERIFY(e.BTNdeshacer->isEnabled());

            CLICK(&e, "BTNagrega");
            QVERIFY(!e.BTNagrega->isEnabled());
            for (QWidget* c : std::initializer_list<QWidget*>{
                     e.DTPdesde, e.DTPhasta, e.BTNagrehit, e.BTNsector, e.BTNcancela, e.BTNrespon})
                QVERIFY2(c->isEnabled(), qPrintable(c->objectName()));
            QCOMPARE(e.DTPdesde->minimumDate(), d(1, 1));
            QCOMPARE(e.DTPhasta->maximumDate(), d(12, 31));
            QCOMPARE(e.DTPhasta->date(), d(12, 31));
            // A new product start is the first goal's start.
            e.DTPdesde->setDate(d(1, 2));
            QCOMPARE(e.DTMdesde->date(), d(1, 2));

            CLICK(&e, "BTNagrehit");
            QCOMPARE(e.focusWidget(), e.Edit3);
            QVERIFY(!e.DTPdesde->isEnabled() && !e.DTPhasta->isEnabled());
            QCOMPARE(e.DTMdesde->date(), d(1, 2));
            QCOMPARE(e.DTMhasta->date(), d(12, 31));
            QCOMPARE(e.DTMhasta->maximumDate(), QDate(2009, 1, 1));
            TYPE(&e, "Edit3", QStringLiteral("Diagnóstico de O'Brien"));
            QCOMPARE(e.Edit3->palette().color(QPalette::Base), FocusHighlight::colour());
            e.DTMhasta->setDate(d(3, 31));
            CLICK(&e, "BTNgrabhit");
            QCOMPARE(messages->texts(), QStringList({"Registro grabado en la Base de Datos !!!!"}));
            QCOMPARE(messages->shown().first().over, QStringLiteral("FRMingresoMN"));
            QCOMPARE(e.DBGrid1->model()->rowCount(), 2);
            QCOMPARE(e.DBGrid1->cellText(1, "hito_descr"), QStringLiteral("Entrega de producto"));
            QCOMPARE(e.DBGrid1->cellText(1, "hito_fecini"), QStringLiteral("01/abr/2008"));
            QCOMPARE(e.DTMdesde->date(), d(4, 1));
            QCOMPARE(e.DTMhasta->date(), d(12, 31));
            QVERIFY(e.Edit3->text().isEmpty());
            QVERIFY(!e.BTNgrabhit->isEnabled() && e.BTNagrehit->isEnabled());
            // The box did not activate the window again.
            QVERIFY(e.BTNcancela->isEnabled());

            CLICK(&e, "BTNagrehit");
            QCOMPARE(e.DTMdesde->date(), d(4, 1)); // not the product start again
            TYPE(&e, "Edit3", QStringLiteral("Talleres"));
            e.DTMhasta->setDate(d(6, 30));
            CLICK(&e, "BTNgrabhit");
            QVERIFY(QDir().mkpath(QStringLiteral("screens")));
            e.grab().save(QStringLiteral("screens/FRMingresoMN-metas.png"));
        });
        // 90 of 365 days, then 181.
        QCOMPARE(goals(), QStringList({"1 Diagnóstico de O'Brien 25", "2 Talleres 50",
                                       "3 Entrega de producto 100"}));
        QCOMPARE(program->db()
                     .scalar(QStringLiteral("select count(*) from t_producto where cod_area = "
                                            "'V01D01U01' and id_producto = 4 and id_proyecto = 4"))
                     .toInt(),
                 1);
    }

    void goalsOutsideTheProductOrBackwardsAreRefused() {
        run([&](TFRMingresoMN& e) {
            startGoal(e, QStringLiteral("Antes"));
            e.DTMdesde->setDate(QDate(2007, 12, 30));
            e.DTMhasta->setDate(d(3, 31));
            CLICK(&e, "BTNgrabhit");
            QCOMPARE(messages->texts(), QStringList({"Las  fechas deben estar entre las fechas de "
                                                     "inicio y finalización del PRODUCTO..."}));
            QCOMPARE(e.focusWidget(), e.DTMdesde);
            QVERIFY(e.BTNagrehit->isEnabled() && !e.BTNgrabhit->isEnabled());

            messages->clear();
            CLICK(&e, "BTNagrehit");
            TYPE(&e, "Edit3", QStringLiteral("Al revés"));
            e.DTMdesde->setDate(d(5, 2));
            e.DTMhasta->setDate(d(5, 1));
            CLICK(&e, "BTNgrabhit");
            QCOMPARE(messages->texts(), QStringList({"la fecha de finalización debe ser mayo o "
                                                     "igual a la fecha de inicio"}));
            // The goal stays as typed, to be corrected.
            QCOMPARE(e.focusWidget(), e.DTMhasta);
            QCOMPARE(e.Edit3->text(), QStringLiteral("Al revés"));
            e.DTMhasta->setDate(d(5, 31));
            CLICK(&e, "BTNgrabhit");
        });
        QCOMPARE(goals(), QStringList({"1 Al revés 42", "2 Entrega de producto 100"}));
    }

    void agregarMetaIsOfferedOnlyAfterAgregar() {
        run([&](TFRMingresoMN& e) {
            CLICK(&e, "BTNagrega");
            // A product end the user picks is the goal end; the one "Cancelar" sets offers
            // no goal.
            e.DTPhasta->calendarWidget()->setSelectedDate(d(11, 30));
            QCOMPARE(e.DTMhasta->date(), d(11, 30));
            messages->answerNext(true);
            CLICK(&e, "BTNcancela");
            QVERIFY(!e.BTNagrehit->isEnabled());
            // Nor does the next opening, after a goal was stored in this one.
            startGoal(e, QStringLiteral("A"));
            CLICK(&e, "BTNgrabhit");
            e.activate();
            QVERIFY(!e.BTNagrehit->isEnabled() && !e.BTNgrabhit->isEnabled());
        });
    }

    void aProductEndingBeforeItStartsKeepsTheGoal() {
        run([&](TFRMingresoMN& e) {
            CLICK(&e, "BTNagrega");
            e.DTPdesde->setDate(d(6, 1));
            e.DTPhasta->setDate(d(5, 1));
            CLICK(&e, "BTNagrehit");
            TYPE(&e, "Edit3", QStringLiteral("Tardía"));
            CLICK(&e, "BTNgrabhit");
            QCOMPARE(messages->texts(), QStringList({"La fecha de conclusión del PRODUCTO debe ser "
                                                     "mayor o igual a su fecha de inicio"}));
            // The goal stays as typed, to be stored once the product's end is corrected.
            QCOMPARE(e.Edit3->text(), QStringLiteral("Tardía"));
            QVERIFY(e.BTNgrabhit->isEnabled() && e.DTPhasta->isEnabled());
            QCOMPARE(
                program->db().scalar(QStringLiteral("select count(*) from t_producto")).toInt(), 0);
            // The end corrected, the goal ends with the product and is stored at once.
            e.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&e));
            e.DTPhasta->setFocus();
            e.DTPhasta->setDate(d(12, 31));
            e.Edit3->setFocus();
            messages->clear();
            CLICK(&e, "BTNgrabhit");
            QCOMPARE(messages->texts(), QStringList({"Registro grabado en la Base de Datos !!!!"}));
        });
        QCOMPARE(
            program->db().rows(QStringLiteral("select hito_descr from t_hito order by cod_hito")),
            QStringList({"Tardía", "Entrega de producto"}));
    }

    void undoAndCancel() {
        run([&](TFRMingresoMN& e) {
            startGoal(e, QStringLiteral("A"));
            e.DTMhasta->setDate(d(3, 31));
            CLICK(&e, "BTNgrabhit");
            CLICK(&e, "BTNagrehit");
            TYPE(&e, "Edit3", QStringLiteral("B"));
            e.DTMhasta->setDate(d(6, 30));
            CLICK(&e, "BTNgrabhit");
            CLICK(&e, "BTNdeshacer");
            QCOMPARE(e.DBGrid1->model()->rowCount(), 2);
            QCOMPARE(goals(), QStringList({"1 A 25", "2 Entrega de producto 100"}));
            CLICK(&e, "BTNdeshacer");
            QCOMPARE(e.DBGrid1->model()->rowCount(), 0);
            QCOMPARE(e.DTMdesde->date(), d(1, 1));
            QCOMPARE(e.DTMhasta->date(), d(12, 31));

            // A goal after that writes the product row again; "Cancelar" removes it.
            CLICK(&e, "BTNagrehit");
            TYPE(&e, "Edit3", QStringLiteral("C"));
            e.DTMhasta->setDate(d(6, 30));
            CLICK(&e, "BTNgrabhit");
            QCOMPARE(
                program->db().scalar(QStringLiteral("select count(*) from t_producto")).toInt(), 1);
            messages->clear();
            messages->answerNext(false);
            CLICK(&e, "BTNcancela");
            QCOMPARE(goals().size(), 2);
            messages->answerNext(true);
            CLICK(&e, "BTNcancela");
            QCOMPARE(messages->texts(), QStringList({"Desea cancelar el registro de datos....!!!!",
                                                     "Desea cancelar el registro de datos....!!!!",
                                                     "Registro cancelado"}));
            QVERIFY(e.BTNagrega->isEnabled() && !e.BTNcancela->isEnabled() &&
                    !e.BTNrespon->isEnabled() && !e.BTNagrehit->isEnabled() &&
                    !e.BTNgrabhit->isEnabled());
            for (DatePicker* p : {e.DTPdesde, e.DTPhasta, e.DTMdesde, e.DTMhasta})
                QVERIFY(!p->isEnabled());
            QCOMPARE(e.DTPdesde->date(), d(1, 1));
            QCOMPARE(e.DBGrid1->model()->rowCount(), 0);
        });
        QVERIFY(goals().isEmpty());
        QCOMPARE(program->db().scalar(QStringLiteral("select count(*) from t_producto")).toInt(),
                 0);
    }

    void aStatementRefusedInTheMiddleUndoesTheWholeGoal() {
        run([&](TFRMingresoMN& e) {
            startGoal(e, QStringLiteral("A"));
            e.DTMhasta->setDate(d(3, 31));
            CLICK(&e, "BTNgrabhit");
            program->db().refuse(QStringLiteral("t_hito"), QStringLiteral("insert"),
                                 QStringLiteral("NEW.hito_descr = 'Entrega de producto'"));
            CLICK(&e, "BTNagrehit");
            TYPE(&e, "Edit3", QStringLiteral("B"));
            e.DTMhasta->setDate(d(6, 30));
            messages->clear();
            CLICK(&e, "BTNgrabhit");
            QCOMPARE(messages->errors().size(), 1);
            QVERIFY(messages->errors().first().contains(QStringLiteral("rechazado por la prueba")));
            // The window stays, showing what is stored.
            QVERIFY(e.isVisible());
            QCOMPARE(e.DBGrid1->model()->rowCount(), 2);
            QCOMPARE(e.DBGrid1->cellText(1, "hito_descr"), QStringLiteral("Entrega de producto"));
        });
        QCOMPARE(goals(), QStringList({"1 A 25", "2 Entrega de producto 100"}));
    }

    void thePickersAndTheViewer() {
        run([&](TFRMingresoMN& e) {
            const QString code = e.LBLcodigo->text();
            e.LBLcodigo->setText(QStringLiteral("LBL"));
            CLICK(&e, "BTNagrega");
            CLICK(&e, "BTNrespon");
            QCOMPARE(messages->texts(), QStringList({"Introduzca primero las metas"}));
            QVERIFY((e.focusWidget() == e.BTNagrega) || !e.BTNagrega->isEnabled());
            QVERIFY(windows->shown().count("FRMresponsable") == 0);
            e.LBLcodigo->setText(code);

            TFRMresponsable* r = program->app().FRMresponsable();
            windows->whenShown("FRMresponsable", [&](Form&) {
                QCOMPARE(r->LBLcodigo->text(), QStringLiteral("V01D01U01"));
                QCOMPARE(r->LBLproy->text(), QStringLiteral("4"));
            });
            CLICK(&e, "BTNrespon");
            TFRMunisectorial* s = program->app().FRMunisectorial();
            s->BitBtn1->setEnabled(false);
            windows->whenShown("FRMunisectorial", [&](Form&) {
                QVERIFY(s->BitBtn1->isEnabled());
                QCOMPARE(s->LBLcodigo->text(), QStringLiteral("V01D01U01"));
                QCOMPARE(s->LBLprod->text(), QStringLiteral("4"));
            });
            CLICK(&e, "BTNsector");
            TFRMverproducto* v = program->app().FRMverproducto();
            windows->whenShown("FRMverproducto", [&](Form&) {
                QCOMPARE(v->MEMproducto->toPlainText(),
                         QStringLiteral("Levantar el catastro de 3 municipios"));
            });
            CLICK(&e, "Label34");
            // Closing a picker does not activate the window again.
            QVERIFY(e.BTNcancela->isEnabled());
            CLICK(&e, "BitBtn5");
            QVERIFY(!e.isVisible());
        });
        QCOMPARE(windows->shown(), QStringList({"FRMmenpri", "FRMingresoMN", "FRMresponsable",
                                                "FRMunisectorial", "FRMverproducto"}));
    }
};

MONITOREO_GUI_TEST_MAIN(new TestIngreso)
#include "tst_ingreso.moc"
