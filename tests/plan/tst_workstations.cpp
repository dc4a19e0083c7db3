#include "fixture/storetest.h"
#include "fixture/testmain.h"
#include "plan/goalentry.h"
#include "plan/headers.h"
#include "store/actionscope.h"
#include "store/query.h"
#include "store/table.h"

#include <QMutex>
#include <QSet>
#include <QTest>
#include <atomic>
#include <thread>

// Two workstations working on the goals of the same product at the same moment, each
// through its own connection: every goal keeps a number of its own, the list ends in one
// closing goal after the last entered goal, and what one workstation does is not undone by
// what the other still shows.
class TestWorkstations : public StoreTest {
    Q_OBJECT

    static constexpr int goalsEach = 30;

    // A workstation with the entry window open on a product.
    struct Station {
        std::unique_ptr<Connection> connection;
        std::unique_ptr<Table> products;
        std::unique_ptr<GoalEntry> entry;
    };
    Station station(const ProductKey& key) const {
        Station s;
        s.connection = db->connect();
        s.products = std::make_unique<Table>(s.connection.get(), QStringLiteral("t_producto"));
        s.entry = std::make_unique<GoalEntry>(s.connection.get(), s.products.get(), Kind::MN);
        s.entry->begin();
        s.entry->abre_hito(key);
        return s;
    }
    static void store(Station& s, const ProductKey& key, int month) {
        ActionScope action;
        QCOMPARE(s.entry->storeGoal(key, {QDate(2008, 1, 1), QDate(2008, 12, 31),
                                          QStringLiteral("Meta %1").arg(month),
                                          QDate(2008, month, 1), QDate(2008, month, 20)}),
                 GoalEntry::Outcome::Stored);
        action.commit();
    }
    static GoalEntry::Undone undo(Station& s, const ProductKey& key) {
        ActionScope action;
        const auto undone = s.entry->undo(key);
        action.commit();
        return undone;
    }
    // The product's goals as stored, "number description", in number order.
    QStringList goals(const ProductKey& key) const {
        return db->rows(QStringLiteral("select cod_hito, hito_descr from t_hito where cod_area "
                                       "= '%1' and id_producto = %2 and gestion = '%3' order "
                                       "by cod_hito")
                            .arg(key.unit)
                            .arg(key.number)
                            .arg(key.year));
    }

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

    void undoFollowsTheGoalsAsStoredNotAsShown() {
        const ProductKey key{QStringLiteral("V01D01U01"), 8, QStringLiteral("2008")};
        Station here = station(key);
        Station there = station(key);

        // Here shows one goal and the closing goal; there two more goals are stored since.
        store(here, key, 1);
        store(there, key, 2);
        store(there, key, 3);
        // "Deshacer" here takes back the last entered goal, not every goal of the product.
        QCOMPARE(undo(here, key), GoalEntry::Undone::LastGoal);
        QCOMPARE(goals(key), QStringList({QStringLiteral("1 Meta 1"), QStringLiteral("2 Meta 2"),
                                          QStringLiteral("3 Entrega de producto")}));
        QCOMPARE(count("t_producto where id_producto = 8"), 1);

        // There still shows three goals; here two are taken back meanwhile.
        QCOMPARE(undo(here, key), GoalEntry::Undone::LastGoal);
        QCOMPARE(undo(here, key), GoalEntry::Undone::Product);
        store(here, key, 4);
        // "Deshacer" there takes back the only goal with the product row, leaving no closing
        // goal without a goal before it.
        QCOMPARE(undo(there, key), GoalEntry::Undone::Product);
        QCOMPARE(goals(key), QStringList());
        QCOMPARE(count("t_producto where id_producto = 8"), 0);
    }

    void aHeaderDeletedWhileItsGoalsAreStoredTakesThemAll() {
        const ProductKey key{QStringLiteral("V01D01U01"), 9, QStringLiteral("2008")};
        {
            Table headers(c.get(), QStringLiteral("t_prodaccion"));
            ProductHeaders rules(c.get());
            ActionScope action;
            for (int n = 1; n <= key.number; ++n)
                rules.add(&headers, key.unit, key.year, {});
            action.commit();
        }
        Station here = station(key);
        std::atomic<bool> deleted = false;
        bool waited = false;
        QString failure;
        {
            // Here a goal is being stored, its product row written, when there the header
            // is deleted: the deletion waits for the goal and then takes it with the rest.
            ActionScope action;
            QCOMPARE(here.entry->storeGoal(key, {QDate(2008, 1, 1), QDate(2008, 12, 31),
                                                 QStringLiteral("Meta"), QDate(2008, 2, 1),
                                                 QDate(2008, 2, 20)}),
                     GoalEntry::Outcome::Stored);
            const quint64 waitsBefore = Connection::lockWaitsBegun();
            std::thread there([&] {
                try {
                    auto own = db->connect();
                    ProductHeaders rules(own.get());
                    ActionScope deletion;
                    rules.remove(key, key.unit);
                    deletion.commit();
                } catch (const std::exception& e) {
                    failure = QString::fromUtf8(e.what());
                }
                deleted = true;
            });
            waited = db->awaitWaitingStatement(waitsBefore) && !deleted;
            action.commit();
            there.join();
        }
        QCOMPARE(failure, QString());
        QVERIFY(waited);
        QCOMPARE(count("t_prodaccion where id_proyecto = 9"), 0);
        QCOMPARE(count("t_producto where id_producto = 9"), 0);
        QCOMPARE(count("t_hito where id_producto = 9"), 0);
    }
};

MONITOREO_TEST_MAIN(new TestWorkstations)
#include "tst_workstations.moc"
