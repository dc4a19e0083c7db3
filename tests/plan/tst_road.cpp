#include "fixture/controls.h"
#include "fixture/guimain.h"
#include "fixture/programtest.h"
#include "fixture/uiscript.h"
#include "plan/frmingresomn.h"
#include "plan/frmmuestra.h"
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
    static void storeGoal(TFRMingresoMN* e, const QString& description, const QDate& end) {
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
};

MONITOREO_GUI_TEST_MAIN(new TestRoad)
#include "tst_road.moc"
