#include "core/error.h"
#include "fixture/guimain.h"
#include "fixture/pdf.h"
#include "fixture/storetest.h"
#include "store/datasource.h"
#include "store/query.h"
#include "ui/daychart.h"
#include "ui/dbgrid.h"
#include "ui/sheet.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// Listings as they leave the program (CSV, PDF) and the chart of percentages over days.
class TestOutputs : public StoreTest {
    Q_OBJECT

    static DayChart::Series line(const QString& name, QList<DayChart::Point> points,
                                 const QColor& colour) {
        return {name, points, colour, Qt::SolidLine, 2, DayChart::Marker::Circle, true};
    }

private slots:
    void aGridsRowsWithTheirColours() {
        Query q(c.get(), QStringLiteral("select cod_depto, depto_nombre from t_depar where "
                                        "cod_depto in ('01', '02', '03')"));
        q.setRowOrder({QStringLiteral("cod_depto")});
        q.open();
        DataSource source(&q);
        DBGrid grid;
        grid.setDataSource(&source);
        grid.setColumns({{QStringLiteral("depto_nombre"), QStringLiteral("Departamento ")},
                         {QStringLiteral("cod_depto"), QStringLiteral("Código")}});
        grid.setColouring([&](int row, const QString&) {
            DBGrid::CellColours colours;
            if (row == 1) {
                colours.background = QColor(255, 255, 0);
                colours.bold = true;
            }
            return colours;
        });
        const Sheet all = Sheet::ofGrid(grid);
        QCOMPARE(all.columns, QStringList({"Departamento", "Código"}));
        QCOMPARE(all.rows.size(), 3);
        QCOMPARE(all.rows.at(0).at(1).text, QStringLiteral("01"));
        QCOMPARE(all.rows.at(1).at(0).text, grid.cellText(1, QStringLiteral("depto_nombre")));
        QVERIFY(!all.rows.at(0).at(0).background);
        QCOMPARE(*all.rows.at(1).at(1).background, QColor(255, 255, 0));
        QVERIFY(all.rows.at(1).at(0).bold);
        const Sheet codes = Sheet::ofGrid(grid, {QStringLiteral("cod_depto")});
        QCOMPARE(codes.columns, QStringList({"Código"}));
        QCOMPARE(codes.rows.at(2).size(), 1);
    }

    void csvQuotesWhatMustBeQuoted() {
        Sheet sheet;
        sheet.title = QStringLiteral("Título; con punto y coma");
        sheet.heading = {QStringLiteral("Usuario: Ñandú")};
        sheet.columns = {QStringLiteral("A"), QStringLiteral("B")};
        sheet.rows = {
            {{QStringLiteral("dos\nlíneas"), {}, false}, {QStringLiteral("1,5"), {}, false}},
            {{QStringLiteral("dice \"sí\""), {}, false}, {QString(), {}, false}}};
        QCOMPARE(sheet.csv(),
                 QStringLiteral("\"Título; con punto y coma\"\r\nUsuario: Ñandú\r\n\r\n"
                                "A;B\r\n\"dos\nlíneas\";1,5\r\n\"dice \"\"sí\"\"\";\r\n"));
    }

    void aFileThatCannotBeWrittenIsAnError() {
        QTemporaryDir dir;
        Sheet sheet;
        sheet.title = QStringLiteral("Lista");
        for (const char* name : {"falta/lista.csv", "falta/lista.pdf"}) {
            const QString path = dir.filePath(QString::fromLatin1(name));
            try {
                sheet.save(path);
                QFAIL(name);
            } catch (const Error& e) {
                QVERIFY2(e.message().startsWith("No se pudo guardar el archivo " + path),
                         qPrintable(e.message()));
            }
        }
        DayChart chart;
        try {
            chart.save(dir.filePath("falta/grafico.png"), QStringLiteral("Gráfico"));
            QFAIL("the picture was said to be saved");
        } catch (const Error&) {
        }
        // Written where it can be: a PDF of as many pages as the rows need.
        sheet.columns = {QStringLiteral("N")};
        for (int i = 0; i < 120; ++i)
            sheet.rows.append({{QString::number(i), {}, false}});
        sheet.save(dir.filePath("lista.pdf"));
        QVERIFY(Pdf::pages(dir.filePath("lista.pdf")) >= 2);
        QVERIFY(Pdf::text(dir.filePath("lista.pdf")).contains("119"));
    }

    void theChartDrawsItsSeriesOrItsEmptyText() {
        DayChart chart;
        chart.setEmptyText(QStringLiteral("Nada que mostrar"));
        const QColor blue(0, 114, 178);
        QImage picture = chart.picture(QSize(400, 300));
        QCOMPARE(Pdf::pixels(picture, blue), 0);
        QVERIFY(Pdf::pixels(picture, Qt::white) < 400 * 300); // the words

        // One day only: the point is drawn where the days would divide by nothing.
        const QDate day(2008, 5, 1);
        chart.setChart(day, day, {line(QStringLiteral("Uno"), {{day, 50}}, blue)}, day,
                       QStringLiteral("Hoy"));
        picture = chart.picture(QSize(400, 300));
        QVERIFY(Pdf::pixels(picture, blue) > 10);

        // A line over a year: more of it drawn than a point, whatever the size asked for.
        chart.setChart(QDate(2008, 1, 1), QDate(2008, 12, 31),
                       {line(QStringLiteral("Año"),
                             {{QDate(2008, 1, 1), 0}, {QDate(2008, 12, 31), 100}}, blue)});
        const int small = Pdf::pixels(chart.picture(QSize(400, 300)), blue);
        QVERIFY(small > 200);
        QVERIFY(Pdf::pixels(chart.picture(QSize(60, 40)), blue) < small); // too small to plot
    }
};

MONITOREO_GUI_TEST_MAIN(new TestOutputs)
#include "tst_outputs.moc"
