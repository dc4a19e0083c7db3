#include "budget/frmfinanciero.h"
#include "budget/frmpptoavance.h"
#include "core/money.h"
#include "fixture/controls.h"
#include "fixture/guimain.h"
#include "fixture/programtest.h"
#include "fixture/uiscript.h"
#include "pickers/frmgeografico.h"
#include "pickers/frmindica.h"
#include "plan/frmingresodatos1.h"
#include "plan/frmingresomn.h"
#include "plan/frmmuestra.h"
#include "plan/frmvermetasex.h"
#include "plan/frmverpro.h"
#include "plan/frmverpromn.h"
#include "store/query.h"
#include "ui/datepicker.h"
#include "ui/dbgrid.h"
#include "ui/dblookup.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QTest>

// A product registered from the main menu to its goal sheet, through the real windows.
class TestRoad : public ProgramTest {
    Q_OBJECT

    static void clickFirstRow(DBGrid* grid) {
        const QModelIndex cell = grid->model()->index(0, grid->horizontalHeader()->logicalIndex(0));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(cell).center());
    }
    static void storeGoal(GoalEntryForm* e, const QString& description, const QDate& end) {
        CLICK(e, "BTNagrehit");
        TYPE(e, "Edit3", description);
        e->DTMhasta->setDate(end);
        CLICK(e, "BTNgrabhit");
    }

private slots:
    void fromTheMenuToTheGoalSheet() {
        TFRMmuestra* browser = program->app().FRMmuestra();
        TFRMingresoMN* entry = program->app().FRMingresoMN();
        TFRMverproMN* sheet = program->app().FRMverproMN();
        windows->whenShown("FRMmenpri", [](Form& menu) { TRIGGER(&menu, "Datosiniciales2"); });
        windows->whenShown("FRMmuestra", [&](Form&) {
            CHOOSE(browser, "DBLvicemin",
                   QStringLiteral("Viceministerio de Desarrollo Rural y Agropecuario"));
            CHOOSE(browser, "DBLdirecc", QStringLiteral("Dirección General de Desarrollo Rural"));
            CHOOSE(browser, "DBLunidad", QStringLiteral("Unidad de Planificación Rural"));
            CLICK(browser, "BTNagreprod");
            TYPE(browser, "DBEdit1", QStringLiteral("Riego tecnificado en el Altiplano"));
            TYPE(browser, "DBMemo3", QStringLiteral("Talleres, obras y entrega"));
            TYPE(browser, "DBMemo4", QStringLiteral("300 hectáreas regadas"));
            CLICK(browser, "BTNgrabaprod");
            clickFirstRow(browser->DBGmuestra);
            CLICK(browser, "BTNmetas");
            // Back from the entry: the header has goals now.
            clickFirstRow(browser->DBGmuestra);
            QVERIFY(!browser->BTNmetas->isEnabled());
            CLICK(browser, "BTNmuestra");
            CLICK(browser, "BTNsalir");
        });
        windows->whenShown("FRMingresoMN", [&](Form&) {
            QCOMPARE(entry->EDIproyecto->text(),
                     QStringLiteral("Riego tecnificado en el Altiplano"));
            QCOMPARE(entry->EDIunidad->text(), QStringLiteral("Unidad de Planificación Rural"));
            QCOMPARE(entry->DBGrid1->model()->rowCount(), 0);
            CLICK(entry, "BTNagrega");
            storeGoal(entry, QStringLiteral("Talleres"), QDate(2008, 3, 31));
            storeGoal(entry, QStringLiteral("Obras"), QDate(2008, 6, 30));
            storeGoal(entry, QStringLiteral("Pruebas"), QDate(2008, 9, 30));
            QCOMPARE(entry->DBGrid1->model()->rowCount(), 4);
            CLICK(entry, "BTNdeshacer");
            QCOMPARE(entry->DBGrid1->model()->rowCount(), 3);
            CLICK(entry, "BitBtn5");
        });
        QStringList sheetRows;
        windows->whenShown("FRMverproMN", [&](Form&) {
            QCOMPARE(sheet->EDIproyecto->text(),
                     QStringLiteral("Riego tecnificado en el Altiplano"));
            QCOMPARE(sheet->EDIfecini->text(), QStringLiteral("01/ene/2008"));
            QCOMPARE(sheet->EDIfecfin->text(), QStringLiteral("31/dic/2008"));
            QVERIFY(!sheet->BTNmodifi->isEnabled());
            for (int r = 0; r < sheet->DBGrid2->model()->rowCount(); ++r)
                sheetRows.append(sheet->DBGrid2->cellText(r, "cod_hito") + u' ' +
                                 sheet->DBGrid2->cellText(r, "hito_descr") + u' ' +
                                 sheet->DBGrid2->cellText(r, "hito_fecini") + u' ' +
                                 sheet->DBGrid2->cellText(r, "hito_porpro"));
            CLICK(sheet, "BTNsalir");
        });
        program->login("Admin", "qampo");
        QCOMPARE(windows->shown(),
                 QStringList({"FRMmenpri", "FRMmuestra", "FRMingresoMN", "FRMverproMN"}));
        QCOMPARE(messages->errors(), QStringList());
        QCOMPARE(sheetRows, QStringList({"1 Talleres 01/ene/2008 25", "2 Obras 01/abr/2008 50",
                                         "3 Entrega de producto 01/jul/2008 100"}));

        // What is stored: one header, one product row and the three goals.
        auto c = program->db().connect();
        Query stored(c.get(), QStringLiteral("select h.id_proyecto, p.pro_fecini, p.pro_fecfin, "
                                             "count(*) as metas from t_prodaccion h, t_producto "
                                             "p, t_hito g where p.cod_area = h.cod_unidad and "
                                             "p.id_producto = h.id_proyecto and g.cod_area = "
                                             "h.cod_unidad and g.id_producto = h.id_proyecto "
                                             "group by h.id_proyecto, p.pro_fecini, p.pro_fecfin"));
        stored.open();
        QCOMPARE(stored.rowCount(), 1);
        QCOMPARE(stored.integer("id_proyecto"), 1);
        QCOMPARE(stored.date("pro_fecini"), QDate(2008, 1, 1));
        QCOMPARE(stored.date("pro_fecfin"), QDate(2008, 12, 31));
        QCOMPARE(stored.integer("metas"), 3);
    }

    void anActionFromTheMenuToItsBudgetAndItsInformationSheet() {
        // The entity's administrator: the only type that registers new actions.
        program->addAccount("entidad", "clave", "1", "2008", "E01C01U01", "EX");
        TFRMmuestra* browser = program->app().FRMmuestra();
        TFRMingresodatos1* entry = program->app().FRMingresodatos1();
        windows->whenShown("FRMmenpri", [](Form& menu) { TRIGGER(&menu, "Datosiniciales2"); });
        windows->whenShown("FRMmuestra", [&](Form&) {
            CHOOSE(browser, "DBLvicemin", QStringLiteral("Instituto Nacional de Reforma Agraria"));
            CHOOSE(browser, "DBLdirecc", QStringLiteral("Saneamiento y titulación"));
            CHOOSE(browser, "DBLunidad", QStringLiteral("Unidad de Saneamiento Cochabamba"));
            CLICK(browser, "BTNagreprod");
            TYPE(browser, "DBEdit1", QStringLiteral("Caminos vecinales del valle"));
            TYPE(browser, "DBMemo3", QStringLiteral("Mejorar 40 km de caminos"));
            TYPE(browser, "DBMemo4", QStringLiteral("40 km transitables"));
            CLICK(browser, "BTNgrabaprod");
            clickFirstRow(browser->DBGmuestra);
            CLICK(browser, "BTNmetas");
            clickFirstRow(browser->DBGmuestra);
            CLICK(browser, "BTNmuestra");
            CLICK(browser, "BTNppto");
            CLICK(browser, "BTNsalir");
        });
        windows->whenShown("FRMingresodatos1", [&](Form&) {
            QCOMPARE(entry->EDIproyecto->text(), QStringLiteral("Caminos vecinales del valle"));
            CLICK(entry, "BTNagrega");
            CLICK(entry, "BTNmun");
            CLICK(entry, "BTNindica");
            storeGoal(entry, QStringLiteral("Diseño"), QDate(2008, 4, 30));
            storeGoal(entry, QStringLiteral("Obras"), QDate(2008, 10, 31));
            CLICK(entry, "BitBtn2");
            CLICK(entry, "BitBtn5");
        });
        windows->whenShown("FRMgeografico", [&](Form& g) {
            CHOOSE(&g, "DBLdepto", QStringLiteral("COCHABAMBA"));
            CHOOSE(&g, "DBLmuni", QStringLiteral("AIQUILE"));
            CLICK(&g, "BitBtn2");
            CLICK(&g, "BitBtn4");
        });
        windows->whenShown("FRMindica", [&](Form& i) {
            CHOOSE(&i, "DBLookupComboBox1", QStringLiteral("Kilómetros de camino mejorados"));
            TYPE(&i, "DBEdit1", QStringLiteral("40"));
            CLICK(&i, "BTNgraba");
            CLICK(&i, "BTNsalir");
        });
        windows->whenShown("FRMfinanciero", [&](Form& f) {
            CLICK(&f, "BTNagrega");
            TYPE(&f, "EDImontotot", QStringLiteral("24000"));
            TYPE(&f, "EDIene", QStringLiteral("2000"));
            QCOMPARE(program->app().FRMfinanciero()->EDIdif->text(), QStringLiteral("22000"));
            CLICK(&f, "BTNgraba");
            CLICK(&f, "BitBtn4");
        });
        QStringList sheet;
        windows->whenShown("FRMverpro", [&](Form& v) {
            TFRMverpro* s = program->app().FRMverpro();
            sheet << s->EDIproyecto->text() << s->DBGrid1->cellText(0, "mun_nombre")
                  << s->DBGrid3->cellText(0, "cantidad");
            CLICK(&v, "BitBtn2");
            CLICK(&v, "BTNcerrar");
        });
        windows->whenShown("FRMvermetasex", [&](Form& m) {
            TFRMvermetasex* viewer = program->app().FRMvermetasex();
            for (int r = 0; r < viewer->DBGrid1->model()->rowCount(); ++r)
                sheet << viewer->DBGrid1->cellText(r, "cod_hito") + u' ' +
                             viewer->DBGrid1->cellText(r, "hito_descr");
            CLICK(&m, "BTNsalir");
        });
        windows->whenShown("FRMpptoavance", [&](Form& p) {
            CHOOSE(&p, "CBXmes", QStringLiteral("Enero"));
            TYPE(&p, "EDImonto", QStringLiteral("1500"));
            CLICK(&p, "BTNgraba");
            CLICK(&p, "BTNsalir");
        });
        program->login("entidad", "clave");
        QCOMPARE(messages->errors(), QStringList());
        QCOMPARE(windows->shown(), QStringList({"FRMmenpri", "FRMmuestra", "FRMingresodatos1",
                                                "FRMgeografico", "FRMindica", "FRMfinanciero",
                                                "FRMverpro", "FRMvermetasex", "FRMpptoavance"}));
        QCOMPARE(sheet, QStringList({"Caminos vecinales del valle", "AIQUILE", "40", "0 Diseño",
                                     "1 Obras", "2 Entrega de producto"}));

        // The action's row carries the attributes attached; its budget and its execution.
        auto c = program->db().connect();
        Query row(c.get(), QStringLiteral("select pro_municipio, pro_indicador, pro_organizacion "
                                          "from t_producto where cod_area = 'E01C01U01'"));
        row.open();
        QCOMPARE(row.rowCount(), 1);
        QCOMPARE(row.text("pro_municipio") + row.text("pro_indicador") +
                     row.text("pro_organizacion"),
                 QStringLiteral("SSN"));
        Query budget(c.get(), QStringLiteral("select f.flu_enero, d.monto_total, a.ava_enero from "
                                             "t_flujofondos f, t_distribucion d, t_avanceflujo a "
                                             "where f.cod_area = 'E01C01U01' and d.cod_area = "
                                             "f.cod_area and a.cod_area = f.cod_area and f.activo "
                                             "= 'S' and d.activo = 'S' and a.activo = 'S'"));
        budget.open();
        QCOMPARE(budget.rowCount(), 1);
        QCOMPARE(budget.money("flu_enero").toString(), QStringLiteral("2000"));
        QCOMPARE(budget.money("monto_total").toString(), QStringLiteral("24000"));
        QCOMPARE(budget.money("ava_enero").toString(), QStringLiteral("1500"));
    }
};

MONITOREO_GUI_TEST_MAIN(new TestRoad)
#include "tst_road.moc"
