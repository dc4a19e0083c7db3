#include "budget/frmfinanciero.h"
#include "fixture/controls.h"
#include "fixture/guimain.h"
#include "fixture/programtest.h"
#include "fixture/uiscript.h"
#include "pickers/frmgeografico.h"
#include "pickers/frmindica.h"
#include "pickers/frmorganiza.h"
#include "pickers/frmresponsable.h"
#include "pickers/frmsector.h"
#include "pickers/frmunisectorial.h"
#include "plan/frmingresodatos1.h"
#include "plan/frmverproducto.h"
#include "plan/goalentry.h"
#include "store/query.h"
#include "ui/datepicker.h"
#include "ui/dbgrid.h"

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

// The territorial entry window as the register browser prepares it, driven by clicks.
class TestIngresoEX : public ProgramTest {
    Q_OBJECT

    TFRMingresodatos1* w() { return program->app().FRMingresodatos1(); }

    // Logs in as an entity's user and runs `script` on the window prepared for action
    // `number` of the unit, once per number given (each an opening of its own).
    void run(const QList<int>& numbers,
             const std::function<void(TFRMingresodatos1&, int)>& script) {
        program->addAccount("entidad", "clave", "4", "2008", "E01C01U01", "EX");
        int ran = 0;
        windows->whenShown("FRMmenpri", [&](Form& menu) {
            for (int number : numbers) {
                TFRMingresodatos1* e = w();
                e->LBLcodigo->setText(QStringLiteral("E01C01U01"));
                e->LBLproy->setText(QString::number(number));
                e->abre_hito();
                e->d_botones();
                e->EDIproyecto->setText(QStringLiteral("Caminos vecinales"));
                e->Edit3->setEnabled(false);
                e->BTNplan->setEnabled(false);
                windows->whenShown("FRMingresodatos1", [&, number](Form&) {
                    script(*w(), number);
                    ++ran;
                });
                menu.open(e);
            }
        });
        program->login("entidad", "clave");
        QCOMPARE(ran, numbers.size());
    }

    QStringList goals(int number = 1) const {
        auto c = program->db().connect();
        Query q(c.get(), QStringLiteral("select cod_hito, hito_descr, hito_porpro from t_hito "
                                        "where cod_area = 'E01C01U01' and id_producto = :p and "
                                        "gestion = '2008' order by cod_hito"));
        q.setParams({number});
        q.open();
        QStringList rows;
        for (q.first(); !q.eof(); q.next())
            rows.append(QStringLiteral("%1 %2 %3")
                            .arg(q.integer("cod_hito"))
                            .arg(q.text("hito_descr"))
                            .arg(q.integer("hito_porpro")));
        return rows;
    }
    // The action's flags as stored: municipio, organizacion, responsable, indicador, sector,
    // efecto; empty without a row.
    QString storedFlags(int number = 1) const {
        auto c = program->db().connect();
        Query q(c.get(), QStringLiteral("select pro_municipio, pro_organizacion, pro_responsable, "
                                        "pro_indicador, pro_sector, pro_efecto from t_producto "
                                        "where cod_area = 'E01C01U01' and id_producto = :p and "
                                        "pro_gestion = '2008'"));
        q.setParams({number});
        q.open();
        if (q.isEmpty())
            return {};
        QString flags;
        for (const char* f : {"pro_municipio", "pro_organizacion", "pro_responsable",
                              "pro_indicador", "pro_sector", "pro_efecto"})
            flags += q.text(QString::fromLatin1(f));
        return flags;
    }

    static void storeGoal(TFRMingresodatos1& e, const QString& description, const QDate& end) {
        CLICK(&e, "BTNagrehit");
        TYPE(&e, "Edit3", description);
        e.DTMhasta->setDate(end);
        CLICK(&e, "BTNgrabhit");
    }

private slots:
    void theFirstGoalOfAnActionIsNumberedZero() {
        run({1}, [&](TFRMingresodatos1& e, int) {
            QCOMPARE(e.windowTitle(), QStringLiteral("Datos iniciales acciones territoriales"));
            QCOMPARE(e.focusWidget(), e.BTNagrega);
            QCOMPARE(e.DTPdesde->minimumDate(), d(1, 1));
            QCOMPARE(e.DTPhasta->maximumDate(), d(12, 31));
            for (QWidget* c : std::initializer_list<QWidget*>{e.BTNmun, e.BTNresp, e.BTNorga,
                                                              e.BTNsector, e.BTNindica, e.BTNplan,
                                                              e.BTNefecto, e.DTPdesde, e.DTPhasta})
                QVERIFY2(!c->isEnabled(), qPrintable(c->objectName()));
            QVERIFY(e.BitBtn2->isEnabled() && e.BTNdeshacer->isEnabled());

            CLICK(&e, "BTNagrega");
            for (QWidget* c : std::initializer_list<QWidget*>{
                     e.BTNmun, e.BTNresp, e.BTNorga, e.BTNsector, e.BTNindica, e.BTNplan,
                     e.DTPdesde, e.DTPhasta, e.BTNagrehit, e.BTNcancela, e.BitBtn2})
                QVERIFY2(c->isEnabled(), qPrintable(c->objectName()));
            QVERIFY(!e.BTNefecto->isEnabled() && !e.BTNagrega->isEnabled());
            QCOMPARE(e.DTPdesde->date(), d(1, 1));
            QCOMPARE(e.DTPhasta->date(), d(12, 31));

            // The action starts later: the first goal starts with it.
            e.DTPdesde->setDate(d(2, 1));
            QCOMPARE(e.DTMdesde->date(), d(2, 1));
            CLICK(&e, "BTNagrehit");
            QCOMPARE(e.DTMhasta->minimumDate(), d(1, 31));
            TYPE(&e, "Edit3", QStringLiteral("Estudio de suelos"));
            e.DTMhasta->setDate(d(4, 30));
            CLICK(&e, "BTNgrabhit");
            QCOMPARE(messages->texts(), QStringList({"Registro grabado en la Base de Datos !!!!"}));
            QCOMPARE(e.DBGrid1->cellText(0, "cod_hito"), QStringLiteral("0"));
            QCOMPARE(e.DBGrid1->cellText(1, "cod_hito"), QStringLiteral("1"));
            storeGoal(e, QStringLiteral("Obras"), d(9, 30));
            QVERIFY(QDir().mkpath(QStringLiteral("screens")));
            e.grab().save(QStringLiteral("screens/FRMingresodatos1.png"));
        });
        // 1 Feb to 31 Dec is 335 days; 30 April is day 90 and 30 September day 243.
        QCOMPARE(goals(), QStringList({"0 Estudio de suelos 27", "1 Obras 73",
                                       "2 Entrega de producto 100"}));
        QCOMPARE(storedFlags(), QStringLiteral("NNNNNN"));
    }

    void aGoalEndingBeforeItStartsIsRefusedAfterTheRowIsWritten() {
        run({1}, [&](TFRMingresodatos1& e, int) {
            CLICK(&e, "BTNagrega");
            CLICK(&e, "BTNagrehit");
            TYPE(&e, "Edit3", QStringLiteral("Al revés"));
            e.DTMdesde->setDate(d(5, 1));
            e.DTMhasta->setDate(d(4, 1));
            CLICK(&e, "BTNgrabhit");
            QCOMPARE(messages->texts(), QStringList({"la fecha de finalización debe ser mayo o "
                                                     "igual a la fecha de inicio"}));
            QCOMPARE(e.focusWidget(), e.DTMhasta);
            QVERIFY(e.BTNgrabhit->isEnabled());
        });
        QVERIFY(goals().isEmpty());
        QCOMPARE(storedFlags(), QStringLiteral("NNNNNN"));
    }

    void leavingWritesTheFlagsOnlyOfAnActionWrittenInThisOpening() {
        // Action 1 is stored with a municipality flag that a picker set; action 2 was
        // stored in an earlier session; in this opening only its flags change on screen.
        program->db().exec(QStringLiteral(
            "insert into t_producto (cod_area, id_proyecto, id_producto, pro_gestion, "
            "pro_municipio, pro_organizacion, pro_responsable, pro_indicador, pro_sector, "
            "pro_efecto) values ('E01C01U01', 2, 2, '2008', 'N', 'S', 'N', 'N', 'S', 'S')"));
        run({1, 2}, [&](TFRMingresodatos1& e, int number) {
            CLICK(&e, "BTNagrega");
            if (number == 1) {
                e.EDImun->setText(QStringLiteral("S"));
                storeGoal(e, QStringLiteral("Obras"), d(6, 30));
                QCOMPARE(storedFlags(1), QStringLiteral("SNNNNN"));
                e.EDIindica->setText(QStringLiteral("S"));
                e.EDIsector->setText(QStringLiteral("S"));
            } else {
                // Read from the stored row.
                QCOMPARE(e.EDIorga->text(), QStringLiteral("S"));
                QCOMPARE(e.EDIsector->text(), QStringLiteral("S"));
                QCOMPARE(e.EDImun->text(), QStringLiteral("N"));
                e.EDIresp->setText(QStringLiteral("S"));
            }
            CLICK(&e, "BitBtn5");
            QVERIFY(!e.isVisible());
        });
        QCOMPARE(storedFlags(1), QStringLiteral("SNNSSN"));
        QCOMPARE(storedFlags(2), QStringLiteral("NSNNSS"));
    }

    void aNewActionStartsWithoutTheFlagsOfThePreviousOne() {
        program->db().exec(QStringLiteral(
            "insert into t_producto (cod_area, id_proyecto, id_producto, pro_gestion, "
            "pro_municipio, pro_organizacion, pro_responsable, pro_indicador, pro_sector, "
            "pro_efecto) values ('E01C01U01', 2, 2, '2008', 'S', 'S', 'S', 'S', 'S', 'S')"));
        run({2, 3}, [&](TFRMingresodatos1& e, int number) {
            CLICK(&e, "BTNagrega");
            if (number == 3)
                storeGoal(e, QStringLiteral("Obras"), d(6, 30));
            CLICK(&e, "BitBtn5");
        });
        QCOMPARE(storedFlags(3), QStringLiteral("NNNNNN"));
    }

    void cancellingRemovesTheActionItsGoalsAndItsAttributes() {
        auto attributes = [&](int number, const QString& year) {
            const QString k = QStringLiteral("'E01C01U01', %1, '%2'").arg(number).arg(year);
            program->db().exec("insert into p_unimun (cod_unidad, cod_producto, gestion, "
                               "correlativo, cod_depto, cod_prov, cod_mun, ok) values (" +
                               k + ", 1, '01', '0101', '010101', 'S')");
            program->db().exec("insert into p_uniindi (cod_unidad, cod_producto, gestion, "
                               "num_indica, cantidad, cod_indicador, ok) values (" +
                               k + ", 1, 40, 2, 'S')");
            program->db().exec("insert into p_unisectorial (cod_unidad, cod_producto, gestion, "
                               "cod_politica, cod_programa) values (" +
                               k + ", 1, 2)");
        };
        attributes(1, QStringLiteral("2008"));
        attributes(1, QStringLiteral("2007"));
        attributes(2, QStringLiteral("2008"));
        run({1}, [&](TFRMingresodatos1& e, int) {
            CLICK(&e, "BTNagrega");
            storeGoal(e, QStringLiteral("Obras"), d(6, 30));
            messages->clear();
            messages->answerNext(false);
            CLICK(&e, "BTNcancela");
            QCOMPARE(goals().size(), 2);
            QCOMPARE(program->db().scalar("select count(*) from p_unimun").toInt(), 3);

            messages->answerNext(true);
            CLICK(&e, "BTNcancela");
            QCOMPARE(messages->texts(), QStringList({"Desea cancelar el registro de datos....!!!!",
                                                     "Desea cancelar el registro de datos....!!!!",
                                                     "Registro cancelado"}));
            QVERIFY(e.BTNagrega->isEnabled() && !e.BTNcancela->isEnabled());
            QVERIFY(!e.BTNmun->isEnabled() && !e.DTPdesde->isEnabled());
            QVERIFY(e.BitBtn2->isEnabled());
            QCOMPARE(e.DBGrid1->model()->rowCount(), 0);
            // A new entry can be cancelled again.
            CLICK(&e, "BTNagrega");
            QVERIFY(e.BTNcancela->isEnabled());
        });
        QVERIFY(goals().isEmpty());
        QVERIFY(storedFlags().isEmpty());
        for (const char* table : {"p_unimun", "p_uniindi", "p_unisectorial"}) {
            QCOMPARE(program->db()
                         .scalar(QStringLiteral("select count(*) from %1 where gestion = '2008' "
                                                "and cod_producto = 1")
                                     .arg(QLatin1String(table)))
                         .toInt(),
                     0);
            QCOMPARE(
                program->db()
                    .scalar(QStringLiteral("select count(*) from %1").arg(QLatin1String(table)))
                    .toInt(),
                2);
        }
    }

    void undoCountsTheGoalsInTheStore() {
        run({1}, [&](TFRMingresodatos1& e, int) {
            CLICK(&e, "BTNagrega");
            storeGoal(e, QStringLiteral("A"), d(3, 31));
            storeGoal(e, QStringLiteral("B"), d(6, 30));
            // Another workstation undoes B behind this window's list of three goals.
            program->db().exec("delete from t_hito where cod_hito = 1");
            program->db().exec("update t_hito set cod_hito = 1 where cod_hito = 2");
            QCOMPARE(e.DBGrid1->model()->rowCount(), 3);
            CLICK(&e, "BTNdeshacer");
            // Two goals in the store: the action and its goals are gone.
            QCOMPARE(e.DBGrid1->model()->rowCount(), 0);
        });
        QVERIFY(goals().isEmpty());
        QVERIFY(storedFlags().isEmpty());
    }

    void eachButtonHandsOverTheKeys() {
        QStringList seen;
        const auto keys = [&](const char* name) {
            windows->whenShown(QString::fromLatin1(name), [&, name](Form& f) {
                const auto* code = f.findChild<QLabel*>(QStringLiteral("LBLcodigo"));
                auto* number = f.findChild<QLabel*>(QStringLiteral("LBLproy"));
                if (!number)
                    number = f.findChild<QLabel*>(QStringLiteral("LBLprod"));
                seen.append(QStringLiteral("%1 %2 %3")
                                .arg(QLatin1String(name), code->text(), number->text()));
            });
        };
        for (const char* name : {"FRMgeografico", "FRMresponsable", "FRMorganiza", "FRMsector",
                                 "FRMindica", "FRMunisectorial", "FRMfinanciero"})
            keys(name);
        program->app().FRMunisectorial()->BitBtn1->setEnabled(false);
        run({5}, [&](TFRMingresodatos1& e, int) {
            // The budget is there before anything else.
            CLICK(&e, "BitBtn2");
            QCOMPARE(program->app().FRMfinanciero()->EDIproyecto->text(),
                     QStringLiteral("Caminos vecinales"));
            CLICK(&e, "BTNagrega");
            for (const char* b :
                 {"BTNmun", "BTNresp", "BTNorga", "BTNsector", "BTNindica", "BTNplan"})
                CLICK(&e, b);
            QVERIFY(e.isVisible());
        });
        QCOMPARE(seen, QStringList({"FRMfinanciero E01C01U01 5", "FRMgeografico E01C01U01 5",
                                    "FRMresponsable E01C01U01 5", "FRMorganiza E01C01U01 5",
                                    "FRMsector E01C01U01 5", "FRMindica E01C01U01 5",
                                    "FRMunisectorial E01C01U01 5"}));
        // Its "Agregar" keeps the state its last caller gave it.
        QVERIFY(!program->app().FRMunisectorial()->BitBtn1->isEnabled());
    }

    void theActionDatesLeadTheGoalDates() {
        run({1}, [&](TFRMingresodatos1& e, int) {
            e.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&e));
            CLICK(&e, "BTNagrega");
            e.DTPdesde->setFocus();
            e.DTPdesde->setDate(d(3, 1));
            QCOMPARE(e.DTMdesde->date(), d(3, 1));
            e.DTPhasta->setFocus();
            QCOMPARE(e.DTPhasta->minimumDate(), d(3, 1));
            QTest::mouseClick(e.DTPhasta, Qt::LeftButton);
            QCOMPARE(e.DTPhasta->minimumDate(), d(3, 2));
            e.DTPhasta->setDate(d(10, 31));
            e.BTNagrehit->setFocus();
            QCOMPARE(e.DTMhasta->date(), d(10, 31));
            QCOMPARE(e.DTMhasta->maximumDate(), d(10, 31));
            CLICK(&e, "BTNagrehit");
            e.DTMdesde->setDate(d(4, 1));
            QTest::mouseClick(e.DTMhasta, Qt::LeftButton);
            QCOMPARE(e.DTMhasta->minimumDate(), d(4, 1));
        });
    }

    void verMasShowsTheActivities() {
        program->db().exec(QStringLiteral(
            "insert into t_prodaccion (cod_unidad, uni_gestion, id_proyecto, proy_descorta, "
            "proy_descripcion, proy_resultado, proy_ok) values ('E01C01U01', '2008', 1, "
            "'Caminos', 'Mejorar 40 km de caminos vecinales', '40 km', 'S')"));
        run({1}, [&](TFRMingresodatos1& e, int) {
            windows->whenShown("FRMverproducto", [&](Form&) {
                QCOMPARE(program->app().FRMverproducto()->MEMproducto->toPlainText(),
                         QStringLiteral("Mejorar 40 km de caminos vecinales"));
            });
            CLICK(&e, "Label20");
            QCOMPARE(windows->shown().last(), QStringLiteral("FRMverproducto"));
        });
    }
};

MONITOREO_GUI_TEST_MAIN(new TestIngresoEX)
#include "tst_ingresoex.moc"
