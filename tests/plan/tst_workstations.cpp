#include "fixture/storetest.h"
#include "fixture/testmain.h"
#include "plan/goalentry.h"
#include "store/actionscope.h"
#include "store/query.h"
#include "store/table.h"

#include <QMutex>
#include <QSet>
#include <QTest>
#include <thread>

// Two workstations storing goals on the same product at the same moment, each through its
// own connection: every goal keeps a number of its own and the list ends in one closing
// goal after the last entered goal.
class TestWorkstations : public StoreTest {
    Q_OBJECT

    static constexpr int goalsEach = 30;

private slots:
    void twoWorkstationsStoreGoalsOnOneProduct() {
        const ProductKey key{QStringLiteral("V01D01U01"), 7, QStringLiteral("2008")};
        QStringList failures;
        QMutex failing;
        auto workstation = [&](int which) {
            try {
                auto own = db->connect();
                Table products(own.get(), QStringLiteral("t_producto"));
                GoalEntry entry(own.get(), &products, Kind::MN);
                entry.begin();
                for (int i = 0; i < goalsEach; ++i) {
                    ActionScope action;
                    const QDate start = QDate(2008, 1, 1).addDays(i * 5);
                    entry.storeGoal(key, {QDate(2008, 1, 1), QDate(2008, 12, 31),
                                          QStringLiteral("Meta %1-%2").arg(which).arg(i), start,
                                          start.addDays(4)});
                    action.commit();
                }
            } catch (const std::exception& e) {
                const QMutexLocker lock(&failing);
                failures.append(QString::fromUtf8(e.what()));
            }
        };
        std::thread first(workstation, 1);
        std::thread second(workstation, 2);
        first.join();
        second.join();
        QCOMPARE(failures, QStringList());

        Query goals(c.get(), QStringLiteral("select cod_hito, hito_descr from t_hito where "
                                            "cod_area = ? and id_producto = ? and gestion = ? "
                                            "order by cod_hito"));
        goals.setParams({key.unit, key.number, key.year});
        goals.open();
        QSet<qint64> numbers;
        QStringList closing;
        for (goals.first(); !goals.eof(); goals.next()) {
            numbers.insert(goals.integer("cod_hito"));
            if (goals.text("hito_descr") == closingGoalDescription)
                closing.append(QString::number(goals.integer("cod_hito")));
        }
        // Every entered goal and the closing goal, each with its own number, 1 to n.
        QCOMPARE(goals.rowCount(), 2 * goalsEach + 1);
        QCOMPARE(numbers.size(), goals.rowCount());
        QCOMPARE(closing, QStringList({QString::number(2 * goalsEach + 1)}));
        QCOMPARE(count("t_producto where cod_area = 'V01D01U01' and id_producto = 7"), 1);
    }
};

MONITOREO_TEST_MAIN(new TestWorkstations)
#include "tst_workstations.moc"
