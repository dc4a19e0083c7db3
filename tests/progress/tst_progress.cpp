#include "core/today.h"
#include "fixture/storetest.h"
#include "fixture/testmain.h"
#include "progress/progress.h"
#include "store/actionscope.h"
#include "store/query.h"

#include <QTest>

// Expected progress, the checks of a reported percentage, and storing reports on goals.
class TestProgress : public StoreTest {
    Q_OBJECT

    const ProductKey key{QStringLiteral("V01D01U01"), 5, QStringLiteral("2008")};

    void goal(int number, int percentage, const QString& closed = QStringLiteral("N")) {
        Query q(c.get(), QStringLiteral("insert into t_hito (cod_area, id_producto, gestion, "
                                        "cod_hito, hito_porpro, ava_registro) values (?, ?, ?, "
                                        "?, ?, ?)"));
        q.setParams({key.unit, key.number, key.year, number, percentage, closed});
        q.exec();
    }

    ProgressReports::Outcome report(ProgressReports& reports, int goalNumber, int goalPercentage,
                                    int percentage, const QDate& day = QDate(2008, 7, 1)) {
        ActionScope action;
        const auto outcome = reports.store(
            key, {goalNumber, goalPercentage, percentage, day, QStringLiteral("planifica"),
                  QStringLiteral("Avance de O'Brien"), QString(), 50});
        action.commit();
        return outcome;
    }

    // "goal/correla percentage", in goal and number order.
    QStringList stored() const {
        Query q(c.get(), QStringLiteral("select cod_hito, correla, por_avance from t_avancepor "
                                        "order by cod_hito, correla"));
        q.open();
        QStringList rows;
        for (q.first(); !q.eof(); q.next())
            rows.append(QStringLiteral("%1/%2 %3")
                            .arg(q.integer("cod_hito"))
                            .arg(q.integer("correla"))
                            .arg(q.integer("por_avance")));
        return rows;
    }

private slots:
    void expectedProgressIsNotLimited_data() {
        QTest::addColumn<QDate>("day");
        QTest::addColumn<qint64>("expected");
        QTest::newRow("1 July") << QDate(2008, 7, 1) << qint64(50);
        QTest::newRow("1 January") << QDate(2008, 1, 1) << qint64(0);
        QTest::newRow("the end") << QDate(2008, 12, 31) << qint64(100);
        QTest::newRow("a day after") << QDate(2009, 1, 1) << qint64(100);
        QTest::newRow("two days after") << QDate(2009, 1, 2) << qint64(101);
        QTest::newRow("before the start") << QDate(2007, 12, 1) << qint64(-8);
    }
    void expectedProgressIsNotLimited() {
        QFETCH(QDate, day);
        QFETCH(qint64, expected);
        QCOMPARE(expectedProgress(day, QDate(2008, 1, 1), QDate(2008, 12, 31)), expected);
    }

    void aProductWithoutLengthExpectsNothing() {
        QCOMPARE(expectedProgress(QDate(2008, 7, 1), QDate(2008, 5, 1), QDate(2008, 4, 30)), 0);
        QCOMPARE(expectedProgress(QDate(2008, 7, 1), QDate(2008, 5, 1), QDate(2008, 1, 1)), 0);
        // Halves go to the even neighbour: 1 of 8 days is 12.5 %.
        QCOMPARE(expectedProgress(QDate(2008, 1, 1), QDate(2008, 1, 1), QDate(2008, 1, 8)), 12);
    }

    void theDayComesFromOneSeam() {
        fixToday(QDate(2008, 7, 1));
        QCOMPARE(today(), QDate(2008, 7, 1));
        fixToday(QDate());
        QCOMPARE(today(), QDate::currentDate());
    }

    void theChecksOfAReportedPercentage() {
        // Last report 40, open goal programmed at 60.
        QVERIFY(!passesExitCheck(39, 40));
        QVERIFY(passesExitCheck(40, 40) && passesExitCheck(100, 40));
        QVERIFY(!passesExitCheck(101, 40));
        QVERIFY(!acceptable(61, 40, 60) && !acceptable(39, 40, 60) && !acceptable(100, 40, 60));
        QVERIFY(acceptable(40, 40, 60) && acceptable(60, 40, 60));
    }

    void reportsNumberPerGoalAndCloseIt() {
        goal(1, 40);
        goal(2, 60);
        goal(3, 100);
        ProgressReports reports(c.get());
        QCOMPARE(reports.openGoal(key), std::optional<qint64>(1));
        QCOMPARE(reports.lastPercentage(key), 0);
        QVERIFY(!reports.lastReportDate(key).has_value());

        // Only the open goal takes a report, and a closed goal no more.
        QCOMPARE(report(reports, 2, 60, 30), ProgressReports::Outcome::NotOpen);
        QCOMPARE(report(reports, 1, 40, 20), ProgressReports::Outcome::Stored);
        QCOMPARE(report(reports, 1, 40, 40, QDate(2008, 8, 4)),
                 ProgressReports::Outcome::StoredAndClosed);
        QCOMPARE(report(reports, 1, 40, 40), ProgressReports::Outcome::NotOpen);
        QCOMPARE(reports.openGoal(key), std::optional<qint64>(2));
        QCOMPARE(report(reports, 2, 60, 39), ProgressReports::Outcome::Refused);
        QCOMPARE(report(reports, 2, 60, 61), ProgressReports::Outcome::Refused);
        QCOMPARE(report(reports, 2, 60, 40), ProgressReports::Outcome::Stored);
        QCOMPARE(report(reports, 2, 60, 60), ProgressReports::Outcome::StoredAndClosed);
        QCOMPARE(stored(), QStringList({"1/1 20", "1/2 40", "2/1 40", "2/2 60"}));
        QCOMPARE(reports.openGoal(key), std::optional<qint64>(3));
        QCOMPARE(reports.lastPercentage(key), 60);
        QCOMPARE(reports.lastReportDate(key), std::optional<QDate>(QDate(2008, 8, 4)));
        QCOMPARE(db->scalar(QStringLiteral("select count(*) from t_hito where ava_registro = "
                                           "'S'"))
                     .toInt(),
                 2);
        QCOMPARE(db->scalar(QStringLiteral("select usuario || '|' || descr || '|' || avance_dia "
                                           "from t_avancepor where correla = 1 and cod_hito = 1"))
                     .toString(),
                 QStringLiteral("planifica|Avance de O'Brien|50"));
    }

    void aLongLoginNameIsCutToWhatTheReportHolds() {
        goal(1, 60);
        ProgressReports reports(c.get());
        ActionScope action;
        reports.store(key, {1, 60, 10, QDate(2008, 7, 1), QStringLiteral("seguimiento_rural"),
                            QString(), QString(), 0});
        action.commit();
        QCOMPARE(db->scalar(QStringLiteral("select usuario from t_avancepor")).toString(),
                 QStringLiteral("seguimient"));
    }

    void anotherWorkstationsReportIsCounted() {
        goal(1, 60);
        ProgressReports here(c.get());
        auto other = db->connect();
        ProgressReports there(other.get());
        QCOMPARE(report(there, 1, 60, 50), ProgressReports::Outcome::Stored);
        // 40 after the other workstation's 50 would go back in time.
        QCOMPARE(report(here, 1, 60, 40), ProgressReports::Outcome::Refused);
        QCOMPARE(report(here, 1, 60, 55), ProgressReports::Outcome::Stored);
        QCOMPARE(stored(), QStringList({"1/1 50", "1/2 55"}));
    }

    void aReportTheEngineRefusesClosesNothing() {
        goal(1, 40);
        db->refuse(QStringLiteral("t_hito"), QStringLiteral("update"));
        ProgressReports reports(c.get());
        QVERIFY_THROWS_EXCEPTION(std::exception, report(reports, 1, 40, 40));
        QVERIFY(stored().isEmpty());
        QCOMPARE(reports.openGoal(key), std::optional<qint64>(1));
    }
};

MONITOREO_TEST_MAIN(new TestProgress)
#include "tst_progress.moc"
