#include "core/today.h"
#include "fixture/controls.h"
#include "fixture/guimain.h"
#include "fixture/pdf.h"
#include "fixture/plandata.h"
#include "fixture/programtest.h"
#include "fixture/uiscript.h"
#include "plan/frmverpro.h"
#include "plan/frmverproex.h"
#include "plan/frmverpromn.h"
#include "progress/frmhistorial.h"
#include "progress/frmvermas.h"
#include "reports/frmavaunidad.h"
#include "store/query.h"
#include "ui/daychart.h"
#include "ui/dbedit.h"
#include "ui/dbgrid.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>

class TestHistorial : public ProgramTest {
    Q_OBJECT

    Application& app() { return program->app(); }
    void exec(const QString& sql) { program->db().exec(sql); }

    void product(const QString& unit, int n, const QString& name, int goals) {
        addProduct(program->db(), unit, n, name, goals);
    }
    void reportOf(const QString& unit, int n, int goal, int correla, const QString& date,
                  int percent, const QString& year = "2008") {
        exec(QStringLiteral("insert into t_avancepor (cod_area, id_producto, gestion, cod_hito, "
                            "correla, fecha_avance, por_avance, descr, aclara, avance_dia) "
                            "values ('%1', %2, '%3', %4, %5, '%6', %7, 'Avance %4.%5', "
                            "'Aclara %4.%5', %7)")
                 .arg(unit, QString::number(n), year, QString::number(goal),
                      QString::number(correla), date, QString::number(percent)));
    }

    // From the menu item to the report, whose row of `name` gets the detail window.
    void detailOf(const QString& user, const char* item, const QString& name,
                  std::function<void(TFRMvermas&)> script) {
        windows->whenShown("FRMmenpri", [item](Form& menu) { TRIGGER(&menu, item); });
        windows->whenShown("FRMavaunidad", [name](Form& f) {
            auto& report = static_cast<TFRMavaunidad&>(f);
            QVERIFY(report.Qavaunidad->locate("proy_descorta", name));
            CLICK(&f, "Label5");
        });
        windows->whenShown("FRMvermas", [script](Form& f) { script(static_cast<TFRMvermas&>(f)); });
        program->login(user, user == "Admin" ? "qampo" : "clave");
        QCOMPARE(windows->shown().mid(0, 3),
                 QStringList({"FRMmenpri", "FRMavaunidad", "FRMvermas"}));
    }

private slots:
    void theHistoryListsReportsByDateThenPercentageThenGoal() {
        const QString u = "V01D01U01";
        product(u, 1, "Riego", 3);
        reportOf(u, 1, 3, 2, "2008-05-01", 60);
        reportOf(u, 1, 2, 2, "2008-04-01", 50);
        reportOf(u, 1, 1, 2, "2008-04-01", 50);
        reportOf(u, 1, 2, 1, "2008-03-01", 30);
        reportOf(u, 1, 3, 1, "2008-03-01", 20);
        reportOf(u, 1, 1, 1, "2008-02-01", 10);
        reportOf(u, 1, 4, 1, "2008-02-15", 15);         // its goal is gone
        reportOf(u, 1, 1, 1, "2007-06-01", 70, "2007"); // another year

        TFRMhistorial* h = app().FRMhistorial();
        windows->whenShown("FRMhistorial", [&](Form& f) {
            QCOMPARE(h->LBLvicemin->text(), QStringLiteral("Viceministerio"));
            QCOMPARE(h->LBLproducto->text(), QStringLiteral("Producto"));
            QCOMPARE(h->EDIvicemin->text(),
                     QStringLiteral("Viceministerio de Desarrollo Rural y Agropecuario"));
            QCOMPARE(h->EDIunidad->text(), QStringLiteral("Unidad de Planificación Rural"));
            QCOMPARE(h->EDIproducto1->text(), QStringLiteral("Riego"));
            QCOMPARE(h->MEMindica->toPlainText(), QStringLiteral("Indicadores de Riego"));
            QCOMPARE(h->DBEdit1->text() + " " + h->DBEdit2->text(),
                     QStringLiteral("01/ene/2008 31/dic/2008"));
            QStringList order;
            for (int r = 0; r < h->qhistorial->rowCount(); ++r)
                order.append(h->DBGrid1->cellText(r, "cod_hito") + "." +
                             h->DBGrid1->cellText(r, "correla"));
            QCOMPARE(order, QStringList({"1.1", "3.1", "2.1", "1.2", "2.2", "3.2"}));
            QCOMPARE(h->DBGrid1->cellText(1, "fecha_avance"), QStringLiteral("01/mar/2008"));
            QCOMPARE(h->DBGrid1->cellText(1, "hito_descr"), QStringLiteral("Meta 3"));
            // The memos follow the row and cannot be typed in.
            h->qhistorial->moveTo(2);
            QCOMPARE(h->DBMemo2->toPlainText() + "|" + h->DBMemo3->toPlainText(),
                     QStringLiteral("Avance 2.1|Aclara 2.1"));
            QVERIFY(h->DBMemo2->isReadOnly() && h->DBMemo3->isReadOnly());
            CLICK(&f, "Label2");
            CLICK(&f, "BitBtn1");
            CLICK(&f, "Volver");
        });
        TFRMverproMN* sheet = app().FRMverproMN();
        windows->whenShown("FRMverproMN", [&](Form&) {
            QCOMPARE(sheet->LBLcodigo->text() + "/" + sheet->LBLproy->text(),
                     QStringLiteral("V01D01U01/1"));
            QCOMPARE(sheet->EDIproyecto->text(), QStringLiteral("Riego"));
            QCOMPARE(sheet->MEMresultado->toPlainText(), QStringLiteral("Indicadores de Riego"));
            QCOMPARE(sheet->DBGrid2->model()->rowCount(), 3);
            // For reading only.
            QVERIFY(sheet->BTNmodifi->isVisible() && !sheet->BTNmodifi->isEnabled());
            QVERIFY(!sheet->BTNgramet->isVisible() && !sheet->BTNagrega->isEnabled());
        });
        TFRMverpro* info = app().FRMverpro();
        windows->whenShown("FRMverpro", [&](Form&) {
            QCOMPARE(info->EDIproyecto->text() + "|" + info->LBLcodigo->text() + "/" +
                         info->LBLproy->text(),
                     QStringLiteral("Riego|V01D01U01/1"));
            QCOMPARE(info->EDIunidad->text() + "|" + info->MEMresultado->toPlainText(),
                     QStringLiteral("Unidad de Planificación Rural|Indicadores de Riego"));
        });
        detailOf("Admin", "Ministerio1", "Riego", [](TFRMvermas& d) {
            QVERIFY(!d.BTNdatosgral->isEnabled()); // a ministry account
            CLICK(&d, "BitBtn1");
        });
        QCOMPARE(windows->shown().mid(3),
                 QStringList({"FRMhistorial", "FRMverproMN", "FRMverpro"}));
        QVERIFY(messages->shown().isEmpty());
        // Nothing was written.
        QCOMPARE(program->db().scalar("select count(*) from t_avancepor").toInt(), 8);
    }

    // Beside the grid, the picture of the product's year; the history prints and exports
    // like the report by unit, with its picture, and the picture saves on its own.
    void thePictureOfTheYearPrintsAndExports() {
        fixToday(QDate(2008, 7, 1));
        const QString u = "V01D01U01";
        product(u, 1, "Riego", 3);
        exec("update t_hito set hito_fecfin = '2008-04-30', hito_porpro = 33, ava_registro = "
             "'S' where cod_hito = 1");
        exec("update t_hito set hito_fecfin = '2008-08-31', hito_porpro = 67, ava_registro = "
             "'N' where cod_hito = 2");
        exec("update t_hito set ava_registro = 'N' where cod_hito = 3");
        reportOf(u, 1, 1, 1, "2008-03-01", 20);
        reportOf(u, 1, 1, 2, "2008-04-30", 33);
        reportOf(u, 1, 2, 1, "2008-06-15", 45);
        product(u, 2, "Sin avance", 1);
        QTemporaryDir dir;
        const auto path = [&](const char* name) { return dir.filePath(name); };

        TFRMhistorial* h = app().FRMhistorial();
        windows->whenShown("FRMhistorial", [&](Form& f) {
            const DayChart* chart = h->GRFavance;
            QVERIFY(!chart->isEmpty());
            QHash<QString, QList<DayChart::Point>> series;
            for (const DayChart::Series& s : chart->series())
                series.insert(s.name, s.points);
            QCOMPARE(series.value("Programado").size(), 7);
            QCOMPARE(series.value("Programado").at(2).day, QDate(2008, 4, 30));
            QCOMPARE(series.value("Programado").at(2).value, 33.0);
            QCOMPARE(series.value("Esperado por tiempo").last().value, 100.0);
            QCOMPARE(series.value("Informe").size(), 2);
            QCOMPARE(series.value("Informe que cumple la meta").size(), 1);
            QCOMPARE(series.value("Informe que cumple la meta").first().day, QDate(2008, 4, 30));
            QCOMPARE(series.value("Meta cumplida").size(), 1);
            QCOMPARE(series.value("Meta pendiente").size(), 2);
            QCOMPARE(chart->markedDay(), std::optional<QDate>(QDate(2008, 7, 1)));
            // Drawn: the programmed steps in blue, the expected line in vermilion.
            const QImage shown = chart->picture(QSize(600, 400));
            QVERIFY(Pdf::pixels(shown, QColor(0, 114, 178)) > 200);
            QVERIFY(Pdf::pixels(shown, QColor(213, 94, 0)) > 50);
            QVERIFY(Pdf::pixels(shown, QColor(0, 158, 115)) > 20);

            // A picture of the window with its data, to look at.
            QDir().mkpath("screens");
            f.grab().save("screens/FRMhistorial-avance.png");

            outputs->chooseNext(path("avance.png"));
            CLICK(&f, "BTNgrafico");
            outputs->chooseNext(path("avance.pdf"));
            CLICK(&f, "BTNgrafico");
            outputs->chooseNext(path("historial.csv"));
            CLICK(&f, "BTNexporta");
            outputs->chooseNext(path("historial.pdf"));
            CLICK(&f, "BTNexporta");
            CLICK(&f, "BTNimprime");

            // A product without reports: nothing drawn but the words that say so.
            h->LBLprod->setText("2");
            h->activate();
            QVERIFY(h->GRFavance->isEmpty());
            const QImage empty = h->GRFavance->picture(QSize(600, 400));
            QCOMPARE(Pdf::pixels(empty, QColor(0, 114, 178)), 0);
            QCOMPARE(Pdf::pixels(empty, QColor(213, 94, 0)), 0);
            CLICK(&f, "Volver");
        });
        detailOf("Admin", "Ministerio1", "Riego", [](TFRMvermas& d) { CLICK(&d, "BitBtn1"); });
        QVERIFY2(messages->shown().isEmpty(), qPrintable(messages->texts().join('\n')));

        const QImage png(path("avance.png"));
        QVERIFY(png.width() >= 800 && png.height() >= 520);
        QVERIFY(Pdf::pixels(png, QColor(0, 114, 178)) > 200);
        const QString chartText = Pdf::text(path("avance.pdf"));
        QVERIFY2(chartText.contains("Producto: Riego"), qPrintable(chartText));
        QVERIFY(chartText.contains("Programado") && chartText.contains("Hoy"));
        QVERIFY(Pdf::pixels(Pdf::page(path("avance.pdf")), QColor(0, 114, 178), 30) > 200);

        QFile csv(path("historial.csv"));
        QVERIFY(csv.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(csv.readAll().mid(3)).split("\r\n");
        QCOMPARE(lines.first(), QStringLiteral("Historial de informes de avance"));
        QVERIFY(lines.contains("Producto: Riego"));
        QVERIFY(lines.contains("Fecha de conclusión: 31/dic/2008"));
        const int first = lines.indexOf("Inf.;No.;Meta;Fecha inf.;Avance (%);Esperado (%);"
                                        "Descripción del avance;Aclaración");
        QVERIFY2(first > 0, qPrintable(lines.join('\n')));
        QCOMPARE(lines.mid(first + 1, 3),
                 QStringList({"1;1;Meta 1;01/mar/2008;20;20;Avance 1.1;Aclara 1.1",
                              "2;1;Meta 1;30/abr/2008;33;33;Avance 1.2;Aclara 1.2",
                              "1;2;Meta 2;15/jun/2008;45;45;Avance 2.1;Aclara 2.1"}));

        QCOMPARE(outputs->printed().size(), 1);
        for (const QString& pdf : {path("historial.pdf"), outputs->printed().first()}) {
            const QString text = Pdf::text(pdf);
            QVERIFY2(text.contains("Historial de informes de avance"), qPrintable(text));
            QVERIFY2(text.contains("Desarrollo Rural y Agropecuario"), qPrintable(text));
            QVERIFY(text.indexOf("Avance 1.1") < text.indexOf("Avance 1.2"));
            QVERIFY(text.indexOf("Avance 1.2") < text.indexOf("Avance 2.1"));
            // The picture goes with the rows.
            QVERIFY(Pdf::pixels(Pdf::page(pdf, 1, 100), QColor(0, 114, 178), 30) > 100);
        }
    }

    void theGoalsAreThoseOfTheRowsProduct() {
        const QString u = "V01D01U01";
        product(u, 1, "Primero", 1);
        product(u, 2, "Segundo", 2);
        reportOf(u, 1, 1, 1, "2008-02-01", 10);
        reportOf(u, 2, 1, 1, "2008-02-01", 10);
        TFRMverproMN* sheet = app().FRMverproMN();
        windows->whenShown("FRMverproMN", [&](Form&) {
            QCOMPARE(sheet->LBLproy->text(), QStringLiteral("2"));
            QCOMPARE(sheet->EDIproyecto->text(), QStringLiteral("Segundo"));
            QCOMPARE(sheet->MEMresultado->toPlainText(), QStringLiteral("Indicadores de Segundo"));
            QCOMPARE(sheet->LBLproducto->text(), QStringLiteral("Producto"));
            QCOMPARE(sheet->EDIdirecc->text(),
                     QStringLiteral("Dirección General de Desarrollo Rural"));
            QCOMPARE(sheet->DBGrid2->model()->rowCount(), 2);
            QVERIFY(sheet->BTNmodifi->isVisible() && sheet->BTNmodifi->isEnabled());
            QVERIFY(!sheet->BTNgramet->isVisible() && !sheet->BTNgramet->isEnabled());
        });
        detailOf("Admin", "Ministerio1", "Segundo", [](TFRMvermas& d) { CLICK(&d, "BitBtn2"); });
        QCOMPARE(windows->shown().mid(3), QStringList({"FRMverproMN"}));
    }

    void anEntityReadsItsActionsGeneralData() {
        program->addAccount("jefe", "clave", "2", "2008", "E01C01U01", "EX");
        const QString u = "E01C01U01";
        product(u, 1, "Primera accion", 1);
        product(u, 2, "Segunda accion", 1);
        for (int n = 1; n <= 2; ++n)
            exec(QStringLiteral("insert into p_uniindi (cod_unidad, cod_producto, num_indica, "
                                "cantidad, cod_indicador, gestion, ok) values ('E01C01U01', %1, "
                                "1, 10, %2, '2008', 'S')")
                     .arg(n)
                     .arg(n + 2));
        reportOf(u, 1, 1, 1, "2008-02-01", 10);
        reportOf(u, 2, 1, 1, "2008-02-01", 10);
        TFRMverpro* info = app().FRMverpro();
        windows->whenShown("FRMverpro", [&](Form&) {
            QCOMPARE(info->EDIvicemin->text(),
                     QStringLiteral("Instituto Nacional de Reforma Agraria"));
            QCOMPARE(info->EDIproyecto->text(), QStringLiteral("Segunda accion"));
            // The sheet reads the action's indicators and lists itself.
            QCOMPARE(info->MEMresultado->toPlainText(),
                     QStringLiteral("Indicadores de Segunda accion"));
            QCOMPARE(info->LBLproy->text(), QStringLiteral("2"));
            QCOMPARE(info->DBGrid3->model()->rowCount(), 1);
            QCOMPARE(info->DBGrid3->cellText(0, "ind_descripcion"),
                     QStringLiteral("Sistemas de agua potable construidos"));
        });
        TFRMverproEX* sheet = app().FRMverproEX();
        windows->whenShown("FRMverproEX", [&](Form&) {
            QCOMPARE(sheet->EDIproyecto->text(), QStringLiteral("Actividades de Segunda accion"));
            QCOMPARE(sheet->LBLcodigo->text() + "/" + sheet->LBLproy->text(),
                     QStringLiteral("E01C01U01/2"));
        });
        TFRMhistorial* h = app().FRMhistorial();
        windows->whenShown("FRMhistorial", [&](Form& f) {
            QCOMPARE(QStringList({h->LBLvicemin->text(), h->LBLdirecc->text(), h->LBLunidad->text(),
                                  h->LBLproducto->text(), h->LBLactividad->text()}),
                     QStringList({"Entidad desconcentrada", "Dirección", "Unidad",
                                  "Acción territorial", "Indicadores"}));
            CLICK(&f, "Image1");
        });
        windows->whenShown("FRMverproEX", [&](Form&) {
            QCOMPARE(sheet->Label4->text(), QStringLiteral("Acción territorial"));
            QCOMPARE(sheet->EDIproyecto->text(), QStringLiteral("Segunda accion"));
            QVERIFY(sheet->BTNmodifi->isVisible() && sheet->BTNmodifi->isEnabled());
        });
        detailOf("jefe", "EntidadDesconcentrada1", "Segunda accion", [](TFRMvermas& d) {
            QVERIFY(d.BTNdatosgral->isEnabled());
            CLICK(&d, "BTNdatosgral");
            CLICK(&d, "BitBtn2");
            CLICK(&d, "BitBtn1");
        });
        QCOMPARE(windows->shown().mid(3),
                 QStringList({"FRMverpro", "FRMverproEX", "FRMhistorial", "FRMverproEX"}));
        QVERIFY(messages->shown().isEmpty());
    }
};

MONITOREO_GUI_TEST_MAIN(new TestHistorial)
#include "tst_historial.moc"
