#include "fixture/storetest.h"
#include "fixture/testmain.h"
#include "reports/bands.h"

#include <QTest>

// The expected progress at a product's latest report and the colour bands of the report by
// executing unit.
class TestBands : public StoreTest {
    Q_OBJECT

    void replaceBands(const QStringList& rows) {
        db->exec(QStringLiteral("delete from t_rango"));
        int codigo = 10;
        for (const QString& row : rows)
            db->exec(QStringLiteral("insert into t_rango (codigo, inicio, final) values (%1, %2)")
                         .arg(codigo--)
                         .arg(row));
    }

private slots:
    void expectedAtTheLatestReport() {
        // A 100-day product reported on its first day; a 30-day one on its 15th.
        QCOMPARE(expectedAtLastReport(QDate(2008, 1, 1), QDate(2008, 1, 1), QDate(2008, 4, 9)), 1);
        QCOMPARE(10 - expectedAtLastReport(QDate(2008, 1, 1), QDate(2008, 1, 1), QDate(2008, 4, 9)),
                 9);
        QCOMPARE(expectedAtLastReport(QDate(2008, 4, 15), QDate(2008, 4, 1), QDate(2008, 4, 30)),
                 50);
        // Halves to even; a product without length expects nothing.
        QCOMPARE(expectedAtLastReport(QDate(2008, 1, 3), QDate(2008, 1, 1), QDate(2008, 1, 8)), 38);
        QCOMPARE(expectedAtLastReport(QDate(2008, 1, 3), QDate(2008, 1, 8), QDate(2008, 1, 1)), 0);
    }

    void theInstalledBands() {
        const Bands bands = Bands::read(*c);
        QCOMPARE(bands.bands().size(), 4);
        QCOMPARE(bands.bandOf(0), std::optional<int>(1));
        QCOMPARE(bands.bandOf(-5), std::optional<int>(2));
        QCOMPARE(bands.bandOf(-30), std::optional<int>(4));
    }

    void boundsAreStrictAndTheLaterBandWins() {
        const Bands bands({{0, -10}, {-10, -20}, {5, -15}, {-30, -40}});
        QCOMPARE(bands.bandOf(-5), std::optional<int>(3));
        QCOMPARE(bands.bandOf(-15), std::optional<int>(2));
        QCOMPARE(bands.bandOf(-10), std::optional<int>(3));
        QCOMPARE(bands.bandOf(3), std::optional<int>(3));
        QCOMPARE(bands.bandOf(5), std::nullopt);
        QCOMPARE(bands.bandOf(-35), std::optional<int>(4));
        QCOMPARE(Bands({{0, -10}, {-10, -20}}).bandOf(-10), std::nullopt);
    }

    void fewerThanFourRowsRepeatTheLast() {
        replaceBands({"0, -10", "-10, -20"});
        Bands bands = Bands::read(*c);
        QCOMPARE(bands.bands().size(), 4);
        // Stored order, not the order of the codes.
        QCOMPARE(bands.bands()[0].start, 0);
        QCOMPARE(bands.bands()[3].start, -10);
        QCOMPARE(bands.bands()[3].end, -20);
        QCOMPARE(bands.bandOf(-15), std::optional<int>(4));
        replaceBands({});
        bands = Bands::read(*c);
        QCOMPARE(bands.bands().size(), 4);
        QCOMPARE(bands.bands()[2].start, 0);
        QCOMPARE(bands.bandOf(0), std::nullopt);
    }

    void theColours() {
        QCOMPARE(Bands::colour(1).blue, 255);
        QCOMPARE(Bands::colour(2).blue, 0);
        QCOMPARE(Bands::colour(3).green, 197);
        QCOMPARE(Bands::colour(4).green, 183);
    }
};

MONITOREO_TEST_MAIN(new TestBands)
#include "tst_bands.moc"
