#include "fixture/storetest.h"
#include "fixture/testmain.h"
#include "plan/goalmath.h"
#include "store/query.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QTest>

// A workstation killed at any moment while it stores goals, undoes them, records reports
// and saves budget versions: each action it was in is stored whole or not at all.
class TestCrashes : public StoreTest {
    Q_OBJECT

    QStringList rows(const QString& sql) const { return db->rows(sql); }

    // What must hold after any kill; the failures found, none when all holds.
    QStringList inconsistencies() const {
        QStringList found;
        if (db->scalar(QStringLiteral("pragma integrity_check")).toString() != u"ok")
            found.append(QStringLiteral("the file fails the integrity check"));
        // Every product with goals ends in exactly one closing goal, the highest number,
        // and no number is used twice.
        const QStringList products = rows(QStringLiteral(
            "select id_producto, count(*), count(distinct cod_hito), max(cod_hito), sum(case "
            "when hito_descr = 'Entrega de producto' then 1 else 0 end) from t_hito group by "
            "id_producto"));
        for (const QString& p : products) {
            const QStringList f = p.split(u' ');
            if (f[1] != f[2] || f[4] != u"1")
                found.append(QStringLiteral("goals of product %1: %2").arg(f[0], p));
            const QString last = db->rows(QStringLiteral("select hito_descr from t_hito where "
                                                         "id_producto = %1 and cod_hito = %2")
                                              .arg(f[0], f[3]))
                                     .value(0);
            if (last != closingGoalDescription)
                found.append(QStringLiteral("product %1 ends in \"%2\"").arg(f[0], last));
        }
        // A product with goals has its row; a budget has one current version.
        for (const QString& p : rows(QStringLiteral(
                 "select distinct id_producto from t_hito where id_producto not in (select "
                 "id_producto from t_producto)")))
            found.append(QStringLiteral("product %1 has goals but no row").arg(p));
        for (const char* table : {"t_flujofondos", "t_distribucion"})
            for (const QString& p :
                 rows(QStringLiteral("select id_producto, sum(case when activo = 'S' then 1 else "
                                     "0 end) from %1 group by id_producto")
                          .arg(QLatin1String(table))))
                if (!p.endsWith(QStringLiteral(" 1")))
                    found.append(QStringLiteral("%1: %2").arg(QLatin1String(table), p));
        for (const QString& p : rows(QStringLiteral(
                 "select id_producto, cod_hito, correla, count(*) from t_avancepor group by "
                 "id_producto, cod_hito, correla having count(*) > 1")))
            found.append(QStringLiteral("report number used twice: %1").arg(p));
        return found;
    }

private slots:
    void everyActionIsStoredWholeOrNotAtAll() {
        c->open(); // the store's tables
        auto* random = QRandomGenerator::global();
        int kills = 0;
        for (int round = 0; round < 20; ++round) {
            QProcess worker;
            worker.start(QStringLiteral(CRASH_WORKER), {db->serverText()});
            QVERIFY(worker.waitForStarted());
            // Killed after some actions, at a moment of no particular action.
            QVERIFY2(worker.waitForReadyRead(20000), qPrintable(worker.readAllStandardError()));
            QTest::qWait(int(random->bounded(20, 300)));
            if (worker.state() == QProcess::Running) {
                worker.kill();
                ++kills;
            }
            worker.waitForFinished(20000);
            const QStringList found = inconsistencies();
            QVERIFY2(found.isEmpty(), qPrintable(found.join(u'\n')));
        }
        QVERIFY(kills >= 15);
        // The worker did work: goals, reports and budget versions are there.
        QVERIFY(db->scalar(QStringLiteral("select count(*) from t_avancepor")).toInt() > 0);
        QVERIFY(db->scalar(QStringLiteral("select count(*) from t_flujofondos")).toInt() > 0);
    }
};

MONITOREO_TEST_MAIN(new TestCrashes)
#include "tst_crashes.moc"
