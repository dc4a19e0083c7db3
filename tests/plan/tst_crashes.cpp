#include "fixture/storetest.h"
#include "fixture/testmain.h"
#include "planchecks.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QTest>

// A workstation killed at any moment while it adds headers, stores and undoes goals,
// records reports, adds attribute lines, saves budget versions and deletes headers again:
// each action it was in is stored whole or not at all, alone and while another
// workstation writes to the same embedded store.
class TestCrashes : public StoreTest {
    Q_OBJECT

    QRandomGenerator random{QRandomGenerator::global()->generate()};

    // A workstation working on products of its own until it is killed.
    void start(QProcess& worker, const QString& name) {
        worker.start(QStringLiteral(STATION_WORKER),
                     {db->connectionText(), QStringLiteral("crash"), name});
        QVERIFY(worker.waitForStarted());
        QVERIFY2(worker.waitForReadyRead(20000), qPrintable(worker.readAllStandardError()));
    }

    // Kills a workstation `wanted` times at a random moment of its work (a workstation that
    // ended before its moment came is started again, a few times at most); after each kill
    // the store holds only whole actions. Returns how many were killed while working.
    int killAtRandom(int wanted) {
        int kills = 0;
        for (int round = 0; round < wanted + 10 && kills < wanted; ++round) {
            QProcess worker;
            start(worker, QStringLiteral("victima"));
            if (QTest::currentTestFailed())
                return kills;
            QTest::qWait(int(random.bounded(20, 600)));
            if (worker.state() == QProcess::Running) {
                worker.kill();
                ++kills;
            }
            worker.waitForFinished(20000);
            const QByteArray said = worker.readAllStandardOutput();
            m_deleted += int(said.count("\ndelete "));
            // A failed action is a fault of its own, not a kill.
            [&] { QVERIFY2(!said.contains("error"), said.constData()); }();
            if (QTest::currentTestFailed())
                return kills;
            const QStringList found = planInconsistencies(c.get());
            [&] { QVERIFY2(found.isEmpty(), qPrintable(found.join(u'\n'))); }();
            if (QTest::currentTestFailed())
                return kills;
        }
        return kills;
    }

    // A hundred kills alone and a hundred beside another workstation.
    static constexpr int wantedKills = 100;

    // Headers deleted by the killed workstations, all rounds together.
    int m_deleted = 0;

    // The workstations did work: headers deleted, goals, reports and budgets left.
    void workWasDone() {
        QVERIFY(m_deleted > 0);
        QVERIFY(count(QStringLiteral("t_hito")) > 0);
        QVERIFY(count(QStringLiteral("t_avancepor")) > 0);
        QVERIFY(count(QStringLiteral("t_flujofondos")) > 0);
        QVERIFY(count(QStringLiteral("p_responsable")) > 0);
    }

private slots:
    void init() {
        StoreTest::init();
        m_deleted = 0;
        c->open(); // the store's tables, before any workstation
    }

    void killedAlone() {
        const int killed = killAtRandom(wantedKills);
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(killed, wantedKills);
        workWasDone();
    }

    void killedWhileAnotherWrites() {
        QProcess other;
        start(other, QStringLiteral("otra"));
        if (QTest::currentTestFailed())
            return;
        const int killed = killAtRandom(wantedKills);
        QVERIFY(other.state() == QProcess::Running);
        other.kill();
        other.waitForFinished(20000);
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(killed, wantedKills);
        const QByteArray said = other.readAllStandardOutput();
        QVERIFY2(!said.contains("error"), said.constData());
        // The other workstation went on through every kill.
        QVERIFY(said.count("delete") >= 2);
        const QStringList found = planInconsistencies(c.get());
        QVERIFY2(found.isEmpty(), qPrintable(found.join(u'\n')));
        workWasDone();
    }
};

MONITOREO_TEST_MAIN(new TestCrashes)
#include "tst_crashes.moc"
