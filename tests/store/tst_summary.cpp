#include "fixture/storetest.h"
#include "store/actionscope.h"
#include "store/query.h"
#include "store/storeerror.h"

#include <QTest>
#include <mutex>
#include <random>
#include <thread>

// The store keeps one row of latest progress per product (t_avanceresumen) from the
// progress reports, whoever writes them.
class TestSummary : public StoreTest {
    Q_OBJECT

    static constexpr const char* summary = "select lower(cod_area), gestion, id_producto, "
                                           "hito_max, por_max, cast(fecha_max as text) f "
                                           "from t_avanceresumen order by 1, 2, 3";
    static constexpr const char* grouping =
        "select lower(cod_area), gestion, id_producto, max(cod_hito), max(por_avance), "
        "cast(max(fecha_avance) as text) f from t_avancepor where cod_area is not null and "
        "gestion is not null and id_producto is not null group by cod_area, gestion, "
        "id_producto order by 1, 2, 3";

    void sameAsGrouping() const {
        const QStringList kept = db->rows(QString::fromLatin1(summary));
        QCOMPARE(kept, db->rows(QString::fromLatin1(grouping)));
    }

    // One action of a workstation's: a report added, changed, moved to another product or
    // removed, on one of a few products of two units, with NULLs now and then.
    static void randomChange(Connection& conn, std::mt19937& random) {
        const auto pick = [&](int from, int to) {
            return std::uniform_int_distribution<int>(from, to)(random);
        };
        const QString area = pick(0, 1) ? QStringLiteral("U1") : QStringLiteral("u2");
        const int product = pick(1, 3);
        const QVariant percentage = pick(0, 9) ? QVariant(pick(0, 100)) : QVariant();
        const QDate day = QDate(2008, 1, 1).addDays(pick(0, 360));
        QString sql;
        QVariantList params;
        switch (pick(0, 5)) {
        case 0:
            sql = QStringLiteral("update t_avancepor set por_avance = ?, fecha_avance = ? where "
                                 "cod_area = ? and id_producto = ? and correla = ?");
            params = {percentage, day, area, product, pick(1, 20)};
            break;
        case 1:
            sql = QStringLiteral("update t_avancepor set id_producto = ? where cod_area = ? and "
                                 "id_producto = ? and correla = ?");
            params = {pick(1, 3), area, product, pick(1, 20)};
            break;
        case 2:
            sql = QStringLiteral("delete from t_avancepor where cod_area = ? and id_producto = ? "
                                 "and correla = ?");
            params = {area, product, pick(1, 20)};
            break;
        default:
            sql = QStringLiteral("insert into t_avancepor (cod_area, id_producto, gestion, "
                                 "cod_hito, correla, fecha_avance, por_avance) values (?, ?, "
                                 "'2008', ?, ?, ?, ?)");
            params = {area, product, pick(1, 8), pick(1, 20), day, percentage};
        }
        Query q(&conn, sql);
        q.setParams(params);
        q.exec();
    }

private slots:
    void theSummaryFollowsEveryChangeOfTwoWorkstations() {
        QStringList failures;
        std::mutex failuresLock;
        auto station = [&](quint32 seed) {
            std::mt19937 random(seed);
            Connection conn;
            db->attach(conn);
            try {
                for (int i = 0; i < 150; ++i) {
                    ActionScope action;
                    randomChange(conn, random);
                    std::this_thread::yield();
                    action.commit();
                }
            } catch (const Error& e) {
                const std::lock_guard lock(failuresLock);
                failures.append(e.message());
            }
        };
        std::thread a(station, 1);
        std::thread b(station, 2);
        a.join();
        b.join();
        QVERIFY2(failures.isEmpty(), qPrintable(failures.join(u'\n')));
        QVERIFY(count(QStringLiteral("t_avanceresumen")) > 0);
        sameAsGrouping();
        // One change after another, each seen at once: a change that misses a product shows
        // before a later report of that product would mend it.
        std::mt19937 random(3);
        for (int i = 0; i < 60; ++i) {
            randomChange(*c, random);
            sameAsGrouping();
        }
        // A key written in another case is the same product, as the report groups it; the
        // summary names it as one of its reports does.
        c->execDirect(QStringLiteral("update t_avancepor set cod_area = 'U2' where cod_area = "
                                     "'u2' and correla = 1"));
        sameAsGrouping();
        c->execDirect(
            QStringLiteral("update t_avancepor set id_producto = 1 where id_producto = 3"));
        sameAsGrouping();
        c->execDirect(QStringLiteral("delete from t_avancepor where id_producto = 2"));
        sameAsGrouping();
    }

    void aStoreMadeBeforeTheSummaryGetsItFilledAtItsNextOpening() {
        c->execDirect(QStringLiteral("insert into t_avancepor (cod_area, id_producto, gestion, "
                                     "cod_hito, correla, fecha_avance, por_avance) values ('U1', "
                                     "1, '2008', 2, 1, '2008-03-01', 40), ('U1', 1, '2008', 3, 2, "
                                     "'2008-02-01', 55), ('U1', 2, '2008', 1, 1, null, null)"));
        c.reset();
        db->exec(QStringLiteral("drop table t_avanceresumen"));
        if (db->engine() == Engine::PostgreSQL)
            db->exec(QStringLiteral("drop trigger t_avanceresumen_alta on t_avancepor"));
        else
            db->exec(QStringLiteral("drop trigger t_avanceresumen_alta"));
        db->exec(QStringLiteral("insert into t_avancepor (cod_area, id_producto, gestion, "
                                "cod_hito, correla, fecha_avance, por_avance) values ('U1', 3, "
                                "'2009', 1, 1, '2009-01-05', 7)"));
        c = db->connect();
        QCOMPARE(count(QStringLiteral("t_avanceresumen")), qint64(3));
        sameAsGrouping();
        c->execDirect(QStringLiteral("insert into t_avancepor (cod_area, id_producto, gestion, "
                                     "cod_hito, correla, fecha_avance, por_avance) values ('U1', "
                                     "3, '2009', 4, 2, '2009-01-04', 9)"));
        sameAsGrouping();
    }
};

QObject* summaryTests() {
    return new TestSummary;
}
#include "tst_summary.moc"
