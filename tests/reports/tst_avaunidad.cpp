#include "core/today.h"
#include "fixture/controls.h"
#include "fixture/guimain.h"
#include "fixture/pdf.h"
#include "fixture/programtest.h"
#include "fixture/uiscript.h"
#include "progress/frmvermas.h"
#include "reports/frmavaunidad.h"
#include "store/query.h"
#include "ui/dbgrid.h"
#include "ui/dblookup.h"

#include <QCheckBox>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

class TestAvaunidad : public ProgramTest {
    Q_OBJECT

    TFRMavaunidad* w() { return program->app().FRMavaunidad(); }
    void exec(const QString& sql) { program->db().exec(sql); }

    // A product of a unit with its dates and its progress reports (date, percentage), each
    // against goal 1 of the product.
    void product(const QString& unit, int n, const QString& year, const QString& name,
                 const QString& from, const QString& to,
                 const QList<std::pair<QString, int>>& reports) {
        exec(QStringLiteral("insert into t_prodaccion (cod_unidad, uni_gestion, id_proyecto, "
                            "proy_descorta, proy_ok) values ('%1', '%2', %3, '%4', 'S')")
                 .arg(unit, year, QString::number(n), name));
        exec(QStringLiteral("insert into t_producto (cod_area, id_proyecto, id_producto, "
                            "pro_gestion, pro_fecini, pro_fecfin) values ('%1', %2, %2, '%3', "
                            "'%4', '%5')")
                 .arg(unit, QString::number(n), year, from, to));
        exec(QStringLiteral("insert into t_hito (cod_area, id_producto, gestion, cod_hito, "
                            "hito_descr) values ('%1', %2, '%3', 1, 'Meta')")
                 .arg(unit, QString::number(n), year));
        int correla = 0;
        for (const auto& [date, percent] : reports)
            exec(QStringLiteral("insert into t_avancepor (cod_area, id_producto, gestion, "
                                "cod_hito, correla, fecha_avance, por_avance) values ('%1', %2, "
                                "'%3', 1, %4, '%5', %6)")
                     .arg(unit, QString::number(n), year, QString::number(++correla), date,
                          QString::number(percent)));
    }

    // Opens the report of the kind from the menu and runs `script` on it.
    void report(const char* item, std::function<void(TFRMavaunidad&)> script) {
        windows->whenShown("FRMmenpri", [item](Form& menu) { TRIGGER(&menu, item); });
        windows->whenShown("FRMavaunidad",
                           [script](Form& f) { script(static_cast<TFRMavaunidad&>(f)); });
        program->login("Admin", "qampo");
        QCOMPARE(windows->shown().mid(0, 2), QStringList({"FRMmenpri", "FRMavaunidad"}));
    }

    // The products listed, by short description, sorted.
    QStringList listed() {
        QStringList names;
        Query* q = w()->Qavaunidad;
        for (int r = 0; r < q->rowCount(); ++r)
            names.append(w()->DBGrid1->cellText(r, "proy_descorta"));
        names.sort();
        return names;
    }
    int rowOf(const QString& name) {
        for (int r = 0; r < w()->Qavaunidad->rowCount(); ++r)
            if (w()->DBGrid1->cellText(r, "proy_descorta") == name)
                return r;
        return -1;
    }
    QString cell(const QString& name, const QString& field) {
        return w()->DBGrid1->cellText(rowOf(name), field);
    }
    QVariant shown(const QString& name, const QString& field, int role) {
        DBGrid* grid = w()->DBGrid1;
        return grid->model()->data(grid->cellIndex(rowOf(name), field), role);
    }
    QStringList titles() {
        DBGrid* grid = w()->DBGrid1;
        QStringList t;
        for (int visual = 0; visual < grid->model()->columnCount(); ++visual) {
            const int logical = grid->horizontalHeader()->logicalIndex(visual);
            if (!grid->isColumnHidden(logical))
                t.append(grid->model()->headerData(logical, Qt::Horizontal).toString());
        }
        return t;
    }
    static int rowsStartingWith(const QStringList& rows, const QString& start) {
        for (int i = 0; i < rows.size(); ++i)
            if (rows.at(i).startsWith(start))
                return i;
        return -1;
    }
    static bool pick(DBLookupComboBox* list, const QString& text) {
        const int index = list->findText(text);
        if (index < 0 || !list->isEnabled())
            return false;
        list->pick(index);
        return true;
    }

private slots:
    void everyReportedProductWithItsDifferenceAndBand() {
        const QString u = "V01D01U01";
        // 100 days, reported on its first day: 1 % expected.
        product(u, 1, "2008", "Cien dias", "2008-03-01", "2008-06-08", {{"2008-03-01", 10}});
        // 30 days, latest report on day 15: 50 % expected; the highest percentage counts.
        product(u, 2, "2008", "Treinta dias", "2008-04-01", "2008-04-30",
                {{"2008-04-05", 20}, {"2008-04-15", 35}});
        product(u, 3, "2008", "Sin informes", "2008-01-01", "2008-12-31", {});
        product(u, 4, "2007", "Del año anterior", "2007-01-01", "2007-12-31", {{"2007-07-02", 40}});
        // Ending before it starts: no expected progress to speak of.
        product(u, 5, "2008", "Al reves", "2008-05-10", "2008-05-01", {{"2008-05-05", 40}});
        product("E01C01U01", 1, "2008", "De una entidad", "2008-01-01", "2008-12-31",
                {{"2008-02-01", 5}});
        // The bands of the example: (0, -10) and (-10, -20), the last read serving again.
        exec("delete from t_rango");
        exec("insert into t_rango (codigo, inicio, final) values (1, 0, -10)");
        exec("insert into t_rango (codigo, inicio, final) values (2, -10, -20)");
        product("V01D01U02", 6, "2008", "En el borde", "2008-04-01", "2008-04-30",
                {{"2008-04-15", 40}});

        report("Ministerio1", [&](TFRMavaunidad& f) {
            QCOMPARE(f.Label1->text(), QStringLiteral("Avance de productos por unidad"));
            QCOMPARE(f.LBLdirecc->text(), QStringLiteral("Dirección"));
            QCOMPARE(listed(), QStringList({"Al reves", "Cien dias", "Del año anterior",
                                            "En el borde", "Treinta dias"}));
            QCOMPARE(titles(),
                     QStringList({"Vicemin.", "Direcc.", "Unidad", "Descripcion", "Ultimo inf.",
                                  "Avance ", "Dif (%)", "Avance ", "Dif(%)"}));
            QCOMPARE(
                f.Qavaunidad->valueAt(rowOf("Cien dias"), f.Qavaunidad->fieldIndex("parcial1")),
                QVariant(qint64(1)));
            QCOMPARE(cell("Cien dias", "ejemplo"), QStringLiteral("9"));
            QCOMPARE(cell("Treinta dias", "ejemplo"), QStringLiteral("-15"));
            QCOMPARE(cell("Treinta dias", "MáxDepor_avance"), QStringLiteral("35"));
            QCOMPARE(cell("Treinta dias", "MáxDefecha_avance"), QStringLiteral("15/abr/2008"));
            QCOMPARE(cell("Treinta dias", "uni_sigla") + cell("Treinta dias", "dir_sigla") +
                         cell("Treinta dias", "vicmin_sigla"),
                     QStringLiteral("UPRDGDRVDRA"));
            QCOMPARE(cell("Al reves", "ejemplo"), QStringLiteral("40"));
            QCOMPARE(cell("Treinta dias", "fin_avance"), QString());

            // -5 falls in band 1, -15 in band 2 and, the second row serving again, in the
            // later bands too: the last (light red) shows. -10 and 9 fall in none.
            QCOMPARE(f.bands().bandOf(-5), std::optional<int>(1));
            QCOMPARE(shown("Treinta dias", "proy_descorta", Qt::BackgroundRole).value<QColor>(),
                     QColor(255, 183, 183));
            QVERIFY(shown("Treinta dias", "ejemplo", Qt::FontRole).value<QFont>().bold());
            QCOMPARE(shown("Treinta dias", "uni_sigla", Qt::ForegroundRole).value<QColor>(),
                     QColor(Qt::black));
            for (const QString none : {"En el borde", "Cien dias"}) {
                QCOMPARE(cell(none, "ejemplo"), none == "En el borde" ? "-10" : "9");
                QVERIFY(!shown(none, "proy_descorta", Qt::BackgroundRole).isValid());
            }
        });
        QVERIFY(messages->shown().isEmpty());
    }

    void theEntitiesReportTitlesByKind() {
        product("E01C01U01", 1, "2008", "De una entidad", "2008-01-01", "2008-12-31",
                {{"2008-01-31", 5}});
        product("V01D01U01", 1, "2008", "Del ministerio", "2008-01-01", "2008-12-31",
                {{"2008-01-31", 5}});
        report("EntidadDesconcentrada1", [&](TFRMavaunidad& f) {
            QCOMPARE(listed(), QStringList({"De una entidad"}));
            QCOMPARE(titles().first(), QStringLiteral("Entidad desc."));
            QCOMPARE(f.LBLvicemin->text(), QStringLiteral("Entidad desconcentrada "));
            QCOMPARE(f.LBLdirecc->text(), QStringLiteral("Componente "));
            // 31 of 366 days: 8 % expected, 5 reported; installed bands put -3 in band 2.
            QCOMPARE(cell("De una entidad", "ejemplo"), QStringLiteral("-3"));
            QCOMPARE(shown("De una entidad", "ejemplo", Qt::BackgroundRole).value<QColor>(),
                     QColor(255, 255, 0));
            QVERIFY(f.DBLvicemin->findText("Viceministerio de Tierras") < 0);
        });
    }

    void theLevelsCombineFreely() {
        product("V01D01U01", 1, "2008", "Rural", "2008-01-01", "2008-12-31", {{"2008-02-01", 5}});
        product("V01D01U02", 1, "2008", "Local", "2008-01-01", "2008-12-31", {{"2008-02-01", 5}});
        product("V01D02U01", 1, "2008", "Sanidad", "2008-01-01", "2008-12-31", {{"2008-02-01", 5}});
        product("V02D01U01", 1, "2008", "Tierras", "2008-01-01", "2008-12-31", {{"2008-02-01", 5}});
        report("Ministerio1", [&](TFRMavaunidad& f) {
            QCOMPARE(listed(), QStringList({"Local", "Rural", "Sanidad", "Tierras"}));
            QVERIFY(!f.DBLvicemin->isEnabled() && !f.DBLdirecc->isEnabled());

            // A direction alone, the vice-ministry left at "Todos".
            CLICK(&f, "CHBtoddir");
            QVERIFY(f.DBLdirecc->isEnabled());
            QVERIFY(pick(f.DBLdirecc, "Dirección General de Producción Agropecuaria"));
            // Picking alone does not run the report.
            QCOMPARE(listed().size(), 4);
            CLICK(&f, "BitBtn1");
            QCOMPARE(listed(), QStringList({"Sanidad"}));

            // Back to every direction, and one unit of the first direction.
            CLICK(&f, "CHBtoddir");
            QVERIFY(!f.DBLdirecc->isEnabled());
            f.CHBtoduni->click();
            QVERIFY(!f.CHBtoduni->isChecked());
            QVERIFY(pick(f.DBLunidad, "Unidad de Sanidad Agropecuaria"));
            QCOMPARE(f.Edit4->text(), QStringLiteral("Unidad de Sanidad Agropecuaria"));
            QCOMPARE(f.Label2->text(), QStringLiteral("V01D02U01"));
            CLICK(&f, "BitBtn1");
            QCOMPARE(listed(), QStringList({"Sanidad"}));

            // A vice-ministry picked unchecks its "Todos"; the unit follows it.
            CLICK(&f, "CHBtoduni");
            CLICK(&f, "CHBtodvic");
            QVERIFY(pick(f.DBLvicemin, "Viceministerio de Desarrollo Rural y Agropecuario"));
            QVERIFY(!f.CHBtodvic->isChecked());
            CLICK(&f, "BitBtn1");
            QCOMPARE(listed(), QStringList({"Local", "Rural", "Sanidad"}));
            CLICK(&f, "CHBtodvic");
            QVERIFY(f.CHBtodvic->isChecked() && !f.DBLvicemin->isEnabled());
            CLICK(&f, "BitBtn1");
            QCOMPARE(listed().size(), 4);
        });
        QVERIFY(messages->shown().isEmpty());
    }

    // "Imprimir" and "Exportar" give the rows as last run, in the grid's order, under a
    // heading with the kind, the levels chosen, the day and the user; the PDF keeps the
    // band colours, the CSV every accent.
    void printsAndExportsTheRowsAsFiltered() {
        fixToday(QDate(2008, 9, 1));
        exec("delete from t_rango");
        exec("insert into t_rango (codigo, inicio, final) values (1, 1000, 0)");
        exec("insert into t_rango (codigo, inicio, final) values (2, 0, -10)");
        exec("insert into t_rango (codigo, inicio, final) values (3, -10, -30)");
        exec("insert into t_rango (codigo, inicio, final) values (4, -30, -1000)");
        // 31 of 366 days: 8 % expected; 3 reported is -5 (yellow), 5 from 15 days of 30
        // is -45 (light red).
        product("V01D01U02", 1, "2008", "Acción; niñez \"sana\"", "2008-01-01", "2008-12-31",
                {{"2008-01-31", 3}});
        product("V01D01U02", 2, "2008", "Vacunación", "2008-04-01", "2008-04-30",
                {{"2008-04-15", 5}});
        product("V01D01U01", 1, "2008", "Riego", "2008-01-01", "2008-12-31", {{"2008-01-31", 3}});
        QTemporaryDir dir;
        const QString csv = dir.filePath("avance.csv");
        const QString pdf = dir.filePath("avance.pdf");
        report("Ministerio1", [&](TFRMavaunidad& f) {
            f.CHBtoduni->click();
            QVERIFY(pick(f.DBLunidad, "Unidad de Desarrollo Económico Local"));
            CLICK(&f, "BitBtn1");
            QCOMPARE(listed().size(), 2);
            // Changing a level without running the report again changes nothing printed.
            CLICK(&f, "CHBtoduni");

            outputs->chooseNext(csv);
            CLICK(&f, "BTNexporta");
            outputs->chooseNext(pdf);
            CLICK(&f, "BTNexporta");
            CLICK(&f, "BTNexporta"); // cancelled: nothing written, nothing said
            CLICK(&f, "BTNimprime");
            outputs->chooseNext(dir.filePath("no-such-folder/avance.csv"));
            CLICK(&f, "BTNexporta");
            QVERIFY(f.isVisible());
        });
        QCOMPARE(outputs->asked().size(), 4);
        QVERIFY(outputs->asked().at(0).filters.contains("*.csv"));
        QCOMPARE(messages->errors(), QStringList({"No se pudo guardar el archivo " +
                                                  dir.filePath("no-such-folder/avance.csv") +
                                                  ": No such file or directory"}));

        QFile file(csv);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
        const QStringList lines = QString::fromUtf8(bytes.mid(3)).split("\r\n");
        const int first = lines.indexOf("Vicemin.;Direcc.;Unidad;Descripcion;Ultimo inf.;"
                                        "Avance;Dif (%)");
        QVERIFY2(first > 0, qPrintable(lines.join('\n')));
        QCOMPARE(lines.first(), QStringLiteral("Avance de productos por unidad"));
        QVERIFY(lines.mid(0, first).contains("Viceministerio: Todos"));
        QVERIFY(lines.mid(0, first).contains("Unidad: Unidad de Desarrollo Económico Local"));
        QVERIFY(lines.mid(0, first).contains("Fecha: 01/sept/2008") ||
                lines.mid(0, first).contains("Fecha: 01/sep/2008"));
        QVERIFY(lines.mid(0, first).contains("Usuario: Admin"));
        QStringList rows = lines.mid(first + 1);
        rows.removeAll(QString());
        QCOMPARE(rows.size(), 2);
        const int acc = rowsStartingWith(rows, "VDRA;DGDR;UDEL;\"Acción; niñez \"\"sana\"\"\"");
        const int vac = rowsStartingWith(rows, "VDRA;DGDR;UDEL;Vacunación");
        QVERIFY2(acc >= 0 && vac >= 0, qPrintable(rows.join('\n')));
        QCOMPARE(rows.at(acc).section(';', -3), QStringLiteral("31/ene/2008;3;-5"));
        QCOMPARE(rows.at(vac).section(';', -3), QStringLiteral("15/abr/2008;5;-45"));

        // The PDF and the printed pages: the same rows with their accents and colours.
        QCOMPARE(outputs->printed().size(), 1);
        for (const QString& path : {pdf, outputs->printed().first()}) {
            const QString text = Pdf::text(path);
            QVERIFY2(text.contains("Avance de productos por unidad"), qPrintable(text));
            QVERIFY(text.contains("Unidad: Unidad de Desarrollo Económico Local"));
            QVERIFY(text.contains("Acción; niñez \"sana\""));
            QVERIFY(text.contains("Vacunación"));
            QVERIFY(!text.contains("Riego"));
            QCOMPARE(text.indexOf("Acción") < text.indexOf("Vacunación"), acc < vac);
            const QImage page = Pdf::page(path);
            QVERIFY(!page.isNull());
            QVERIFY(Pdf::pixels(page, QColor(255, 255, 0)) > 100);
            QVERIFY(Pdf::pixels(page, QColor(255, 183, 183)) > 100);
            QCOMPARE(Pdf::pixels(page, QColor(255, 197, 138)), 0);
        }
    }

    // The report's statement reads the store's summary of the latest progress; the rows
    // must be those of grouping the joined progress rows, as the statement was first written.
    void theSummaryGivesTheRowsOfGroupingTheJoin() {
        for (const QString unit : {"V01D01U01", "V01D01U02", "V02D01U01", "E01C01U01"})
            for (const QString year : {"2007", "2008"})
                for (int n = 1; n <= 3; ++n) {
                    const QString from = year + "-01-01";
                    if (n == 3) { // no report
                        product(unit, n, year, "Sin " + unit, from, year + "-12-31", {});
                        continue;
                    }
                    product(
                        unit, n, year, QString("P%1 %2 %3").arg(n).arg(unit, year), from,
                        year + "-12-31",
                        {{year + "-03-01", 30 + n}, {year + "-02-01", 50}, {year + "-05-01", 10}});
                }
        // A later goal reported with less, at a time of day: the highest goal, percentage and
        // date of one product come from different reports.
        exec("insert into t_hito (cod_area, id_producto, gestion, cod_hito, hito_descr) values "
             "('V01D01U01', 1, '2008', 2, 'Otra')");
        exec("insert into t_avancepor (cod_area, id_producto, gestion, cod_hito, correla, "
             "fecha_avance, por_avance) values ('V01D01U01', 1, '2008', 2, 1, '2008-06-01 "
             "10:30:00', 5)");
        // A unit's row twice, with two abbreviations: each product of it is listed twice.
        exec("insert into t_unidad (cod_min, cod_vicemin, cod_direc, cod_unidad, uni_gestion, "
             "uni_nombre, uni_sigla, tipo) values ('MDR', 'V01', 'V01D01', 'V01D01U02', '2008', "
             "'Copia', 'COP', 'MN')");
        // Reports that write their unit in another case join their product all the same.
        exec("update t_avancepor set cod_area = 'v02d01u01' where cod_area = 'V02D01U01' and "
             "gestion = '2007'");
        // Another unit's row twice as it is: its products are listed once, as grouped.
        exec("insert into t_unidad select * from t_unidad where cod_unidad = 'V01D01U01' and "
             "uni_gestion = '2007'");
        const QString joinedThenGrouped = QStringLiteral(
            "SELECT t_avancepor.cod_area, t_avancepor.id_producto, t_avancepor.gestion, "
            "Max(t_avancepor.cod_hito) AS MáxDecod_hito, Max(t_avancepor.por_avance) AS "
            "MáxDepor_avance, Max(t_avancepor.fecha_avance) AS MáxDefecha_avance, "
            "t_prodaccion.proy_descorta, t_unidad.uni_sigla, t_direccion.dir_sigla, "
            "t_vicemin.vicmin_sigla, t_unidad.cod_vicemin, t_direccion.cod_direc, "
            "t_unidad.cod_unidad, t_producto.pro_fecini, t_producto.pro_fecfin, t_unidad.tipo "
            "FROM t_producto INNER JOIN ((((t_avancepor INNER JOIN t_prodaccion ON "
            "(t_avancepor.id_producto = t_prodaccion.id_proyecto) AND (t_avancepor.gestion = "
            "t_prodaccion.uni_gestion) AND (t_avancepor.cod_area = t_prodaccion.cod_unidad)) "
            "INNER JOIN t_unidad ON (t_prodaccion.uni_gestion = t_unidad.uni_gestion) AND "
            "(t_prodaccion.cod_unidad = t_unidad.cod_unidad)) INNER JOIN t_direccion ON "
            "(t_unidad.uni_gestion = t_direccion.dir_gestion) AND (t_unidad.cod_direc = "
            "t_direccion.cod_direc) AND (t_unidad.cod_vicemin = t_direccion.cod_vicemin)) "
            "INNER JOIN t_vicemin ON (t_direccion.dir_gestion = t_vicemin.vicmin_gestion) AND "
            "(t_direccion.cod_vicemin = t_vicemin.cod_vicemin)) ON (t_producto.pro_gestion = "
            "t_avancepor.gestion) AND (t_producto.id_producto = t_avancepor.id_producto) AND "
            "(t_producto.cod_area = t_avancepor.cod_area) where (t_unidad.cod_vicemin like "
            ":vicmin and t_direccion.cod_direc like :dirmin and t_unidad.cod_unidad like "
            ":unimin and t_unidad.tipo = :tipo) GROUP BY t_avancepor.cod_area, "
            "t_avancepor.id_producto, t_avancepor.gestion, t_prodaccion.proy_descorta, "
            "t_unidad.uni_sigla, t_direccion.dir_sigla, t_vicemin.vicmin_sigla, "
            "t_unidad.cod_vicemin, t_direccion.cod_direc, t_unidad.cod_unidad, "
            "t_producto.pro_fecini, t_producto.pro_fecfin, t_unidad.tipo");
        auto rowsOf = [](Query& q, const QVariantList& params) {
            q.setParams(params);
            q.open();
            QStringList rows;
            for (q.first(); !q.eof(); q.next()) {
                QStringList columns;
                for (int i = 0; i < 16; ++i)
                    columns.append(q.value(i).toString());
                rows.append(columns.join(u'|'));
            }
            rows.sort();
            return rows;
        };
        report("Ministerio1", [&](TFRMavaunidad& f) {
            Query first(f.Qavaunidad->connection(), joinedThenGrouped);
            first.setFieldType("MáxDefecha_avance", ColumnType::DateTime);
            first.setFieldType("MáxDepor_avance", ColumnType::Integer);
            for (const QVariantList& params :
                 {QVariantList{"%", "%", "%", "MN"}, QVariantList{"%", "%", "%", "EX"},
                  QVariantList{"%", "%", "V01D01U02", "MN"}, QVariantList{"V01", "%", "%", "MN"},
                  QVariantList{"%", "V01D01", "V01D01U01", "MN"}}) {
                const QStringList expected = rowsOf(first, params);
                QVERIFY(!expected.isEmpty());
                // The report takes each level's value twice.
                const QVariantList twice{params[0], params[0], params[1], params[1],
                                         params[2], params[2], params[3]};
                QCOMPARE(rowsOf(*f.Qavaunidad, twice), expected);
            }
            // 3 ministry units of two years with two reported products each, one unit
            // twice in 2008.
            QCOMPARE(rowsOf(first, {"%", "%", "%", "MN"}).size(), 3 * 2 * 2 + 2);
        });
    }

    void verMasOpensTheDetailOfTheCurrentRow() {
        product("V01D01U02", 3, "2008", "Local", "2008-01-01", "2008-12-31", {{"2008-02-01", 5}});
        TFRMvermas* detail = program->app().FRMvermas();
        QStringList seen;
        windows->whenShown("FRMvermas", [&](Form&) {
            seen.append(detail->LBLcodigo->text() + "/" + detail->LBLprod->text());
        });
        windows->whenShown("FRMvermas", [&](Form&) {
            seen.append(detail->LBLcodigo->text() + "/" + detail->LBLprod->text());
        });
        report("Ministerio1", [&](TFRMavaunidad& f) {
            CLICK(&f, "Label5");
            CLICK(&f, "Image1");
            // The report is read again when the detail closes.
            QCOMPARE(listed(), QStringList({"Local"}));
            CLICK(&f, "BitBtn2");
        });
        QCOMPARE(seen, QStringList({"V01D01U02/3", "V01D01U02/3"}));
    }
};

MONITOREO_GUI_TEST_MAIN(new TestAvaunidad)
#include "tst_avaunidad.moc"
