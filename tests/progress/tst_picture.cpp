#include "fixture/storetest.h"
#include "fixture/testmain.h"
#include "progress/progresspicture.h"
#include "store/query.h"

#include <QTest>

namespace {

using Point = ProgressPicture::Point;

QList<Point> points(std::initializer_list<std::pair<QDate, qint64>> list) {
    QList<Point> out;
    for (const auto& [day, percentage] : list)
        out.append({day, percentage});
    return out;
}

QDate d(int month, int day, int year = 2008) {
    return QDate(year, month, day);
}

} // namespace

// The picture of a product's year: the programmed steps, the expected line, the goals and
// the reports as the history shows them.
class TestPicture : public StoreTest {
    Q_OBJECT

    const ProductKey key{QStringLiteral("V01D01U01"), 5, QStringLiteral("2008")};

    void exec(const QString& sql, const QVariantList& params) {
        Query q(c.get(), sql);
        q.setParams(params);
        q.exec();
    }
    void product(const ProductKey& k, const QDate& start, const QDate& end) {
        exec(QStringLiteral("insert into t_producto (cod_area, id_producto, pro_gestion, "
                            "pro_fecini, pro_fecfin) values (?, ?, ?, ?, ?)"),
             {k.unit, k.number, k.year, start, end});
    }
    void goal(const ProductKey& k, int number, const QDate& end, int percentage, bool closed) {
        exec(QStringLiteral("insert into t_hito (cod_area, id_producto, gestion, cod_hito, "
                            "hito_fecfin, hito_porpro, ava_registro) values (?, ?, ?, ?, ?, ?, ?)"),
             {k.unit, k.number, k.year, number, end, percentage,
              closed ? QStringLiteral("S") : QStringLiteral("N")});
    }
    void report(const ProductKey& k, int goalNumber, int correla, const QDate& day,
                int percentage) {
        exec(QStringLiteral("insert into t_avancepor (cod_area, id_producto, gestion, cod_hito, "
                            "correla, fecha_avance, por_avance) values (?, ?, ?, ?, ?, ?, ?)"),
             {k.unit, k.number, k.year, goalNumber, correla, day, percentage});
    }

private slots:
    void stepsThroughEveryGoalsEnd() {
        // Goals handed over out of order; the closing goal ends on the product's last day.
        const ProgressPicture p = ProgressPicture::of(
            d(1, 1), d(12, 31),
            {{3, d(12, 31), 100, false}, {1, d(3, 31), 25, true}, {2, d(6, 30), 50, false}},
            {{d(5, 1), 30, 2, false}, {d(2, 15), 10, 1, false}, {d(3, 31), 25, 1, false}}, d(7, 1));
        QCOMPARE(p.programmed, points({{d(1, 1), 0},
                                       {d(3, 31), 0},
                                       {d(3, 31), 25},
                                       {d(6, 30), 25},
                                       {d(6, 30), 50},
                                       {d(12, 31), 50},
                                       {d(12, 31), 100}}));
        QCOMPARE(p.expected, points({{d(1, 1), 0}, {d(12, 31), 100}}));
        QCOMPARE(p.goals.size(), 3);
        QCOMPARE(p.goals.at(0).number, 1);
        QCOMPARE(p.goals.at(2).number, 3);
        QVERIFY(p.goals.at(0).closed);
        // Reports by day; only the one that reached its closed goal's percentage closes it.
        QCOMPARE(p.reports.size(), 3);
        QCOMPARE(p.reports.at(0).day, d(2, 15));
        QCOMPARE(p.reports.at(2).percentage, 30);
        QVERIFY(!p.reports.at(0).closesGoal);
        QVERIFY(p.reports.at(1).closesGoal);
        QVERIFY(!p.reports.at(2).closesGoal);
        QCOMPARE(p.today, std::optional<QDate>(d(7, 1)));
        QCOMPARE(p.from, d(1, 1));
        QCOMPARE(p.to, d(12, 31));
        QVERIFY(!p.isEmpty());
    }

    void theDaysShownWidenToEveryReport() {
        // The last goal ends before the product does: the steps hold its level to the end.
        // A report after the end widens the days shown; today lies beyond them.
        const ProgressPicture p = ProgressPicture::of(d(3, 1), d(6, 30), {{1, d(5, 31), 100, true}},
                                                      {{d(7, 20), 100, 1, false}}, d(9, 1));
        QCOMPARE(p.programmed,
                 points({{d(3, 1), 0}, {d(5, 31), 0}, {d(5, 31), 100}, {d(6, 30), 100}}));
        QCOMPARE(p.from, d(3, 1));
        QCOMPARE(p.to, d(7, 20));
        QVERIFY(!p.today.has_value());
        QVERIFY(p.reports.at(0).closesGoal);
    }

    void withoutReportsNothingIsDrawn() {
        const ProgressPicture p =
            ProgressPicture::of(d(1, 1), d(12, 31), {{1, d(12, 31), 100, false}}, {}, d(7, 1));
        QVERIFY(p.isEmpty());
        QVERIFY(p.programmed.isEmpty());
        QVERIFY(p.expected.isEmpty());
        QVERIFY(p.goals.isEmpty());
        QVERIFY(!p.today.has_value());
    }

    void aProductWithoutDatesShowsItsReportsOnly() {
        const ProgressPicture p =
            ProgressPicture::of(QDate(), QDate(), {{1, QDate(), 100, false}},
                                {{d(4, 2), 20, 1, false}, {d(2, 1), 5, 1, false}}, d(3, 1));
        QVERIFY(p.programmed.isEmpty());
        QVERIFY(p.expected.isEmpty());
        QVERIFY(p.goals.isEmpty()); // a goal without an end has no place on the days
        QCOMPARE(p.from, d(2, 1));
        QCOMPARE(p.to, d(4, 2));
        QCOMPARE(p.today, std::optional<QDate>(d(3, 1)));
    }

    void readsTheProductsYearFromTheStore() {
        product(key, d(1, 1), d(12, 31));
        goal(key, 1, d(4, 30), 33, true);
        goal(key, 2, d(12, 31), 100, false);
        report(key, 1, 1, d(3, 1), 20);
        report(key, 1, 2, d(4, 30), 33);
        report(key, 2, 1, d(8, 15), 60);
        // Not this product's picture: a report of a goal that is gone, another product's,
        // the same product's in another year.
        report(key, 7, 1, d(6, 1), 80);
        const ProductKey other{key.unit, 6, key.year};
        product(other, d(1, 1), d(12, 31));
        goal(other, 1, d(12, 31), 100, false);
        report(other, 1, 1, d(5, 5), 45);
        const ProductKey earlier{key.unit, 5, QStringLiteral("2007")};
        goal(earlier, 1, d(12, 31, 2007), 100, true);
        report(earlier, 1, 1, d(12, 31, 2007), 100);

        ProgressPictures pictures(c.get());
        const ProgressPicture p = pictures.read(key, d(9, 1));
        QCOMPARE(p.reports.size(), 3);
        QCOMPARE(p.reports.at(0).percentage, 20);
        QCOMPARE(p.reports.at(1).day, d(4, 30));
        QVERIFY(p.reports.at(1).closesGoal);
        QCOMPARE(p.reports.at(2).percentage, 60);
        QCOMPARE(
            p.programmed,
            points(
                {{d(1, 1), 0}, {d(4, 30), 0}, {d(4, 30), 33}, {d(12, 31), 33}, {d(12, 31), 100}}));
        QCOMPARE(p.today, std::optional<QDate>(d(9, 1)));

        const ProductKey silent{key.unit, 9, key.year};
        product(silent, d(1, 1), d(12, 31));
        goal(silent, 1, d(12, 31), 100, false);
        QVERIFY(pictures.read(silent, d(9, 1)).isEmpty());
    }
};

MONITOREO_TEST_MAIN(new TestPicture)
#include "tst_picture.moc"
