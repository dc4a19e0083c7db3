#include "fixture/storetest.h"
#include "fixture/testmain.h"
#include "plan/goalentry.h"
#include "store/actionscope.h"
#include "store/query.h"
#include "store/storeerror.h"
#include "store/table.h"

#include <QTest>

namespace {

QDate d(int year, int month, int day) {
    return QDate(year, month, day);
}

} // namespace

// The goals of a product as the entry windows store, undo and cancel them.
class TestGoals : public StoreTest {
    Q_OBJECT

    std::unique_ptr<Table> products;
    std::unique_ptr<GoalEntry> entry;
    const ProductKey key{QStringLiteral("V01D01U01"), 3, QStringLiteral("2008")};

    void makeEntry(Kind kind) {
        products = std::make_unique<Table>(c.get(), QStringLiteral("t_producto"));
        entry = std::make_unique<GoalEntry>(c.get(), products.get(), kind);
        entry->begin();
        entry->abre_hito(key);
    }

    GoalEntry::Outcome store(const QDate& productStart, const QDate& productEnd,
                             const QString& description, const QDate& start, const QDate& end) {
        ActionScope action;
        const auto outcome =
            entry->storeGoal(key, {productStart, productEnd, description, start, end});
        action.commit();
        return outcome;
    }
    GoalEntry::Undone undo() {
        ActionScope action;
        const auto undone = entry->undo(key);
        action.commit();
        return undone;
    }
    GoalEntry::Outcome store2008(const QString& description, const QDate& start, const QDate& end) {
        return store(d(2008, 1, 1), d(2008, 12, 31), description, start, end);
    }

    // The goals as stored: "number descr start end percentage", in number order.
    QStringList goals() const {
        Query q(c.get(), QStringLiteral("select cod_hito, hito_descr, hito_fecini, hito_fecfin, "
                                        "hito_porpro, ava_registro from t_hito where cod_area = "
                                        ":a and id_producto = :p and gestion = :g order by "
                                        "cod_hito"));
        q.setParams({key.unit, key.number, key.year});
        q.open();
        QStringList rows;
        for (q.first(); !q.eof(); q.next()) {
            rows.append(QStringLiteral("%1 %2 %3 %4 %5")
                            .arg(q.integer("cod_hito"))
                            .arg(q.text("hito_descr"),
                                 q.date("hito_fecini").toString(QStringLiteral("dd/MM")),
                                 q.date("hito_fecfin").toString(QStringLiteral("dd/MM")))
                            .arg(q.integer("hito_porpro")));
        }
        return rows;
    }

    // The product rows of the key: "start end".
    QStringList productRows() const {
        Query q(c.get(), QStringLiteral("select * from t_producto where cod_area = :a and "
                                        "id_producto = :p and pro_gestion = :g"));
        q.setParams({key.unit, key.number, key.year});
        q.open();
        QStringList rows;
        for (q.first(); !q.eof(); q.next()) {
            rows.append(q.date("pro_fecini").toString(QStringLiteral("dd/MM/yyyy")) + u' ' +
                        q.date("pro_fecfin").toString(QStringLiteral("dd/MM/yyyy")));
        }
        return rows;
    }

    // Runs `action` as one user action that the engine stops with an error.
    void failingAction(const std::function<void()>& action) {
        bool failed = false;
        try {
            ActionScope scope;
            action();
            scope.commit();
        } catch (const StoreError& e) {
            failed = e.message().contains(QStringLiteral("rechazado por la prueba"));
        }
        QVERIFY(failed);
        QVERIFY(!c->inTransaction());
    }

private slots:
    void eachGoalTakesTheClosingGoalsPlace() {
        makeEntry(Kind::MN);
        QCOMPARE(store2008("Diagnóstico", d(2008, 1, 1), d(2008, 3, 31)),
                 GoalEntry::Outcome::Stored);
        QCOMPARE(goals(), QStringList({"1 Diagnóstico 01/01 31/03 25",
                                       "2 Entrega de producto 01/04 31/12 100"}));
        QCOMPARE(productRows(), QStringList({"01/01/2008 31/12/2008"}));
        QCOMPARE(count(QStringLiteral("t_producto where id_proyecto = 3 and id_producto = 3")),
                 qint64(1));
        QCOMPARE(count(QStringLiteral("t_hito where ava_registro = 'N' and id_proyecto is null")),
                 qint64(2));
        QCOMPARE(entry->productPending(), QStringLiteral("N"));
        QCOMPARE(entry->ADOQhito->rowCount(), 2);

        QCOMPARE(store2008("Talleres", d(2008, 4, 1), d(2008, 6, 30)), GoalEntry::Outcome::Stored);
        QCOMPARE(goals(), QStringList({"1 Diagnóstico 01/01 31/03 25", "2 Talleres 01/04 30/06 50",
                                       "3 Entrega de producto 01/07 31/12 100"}));
        QCOMPARE(productRows().size(), 1);
        // The list the window shows is in number order.
        entry->ADOQhito->last();
        QCOMPARE(entry->ADOQhito->integer("cod_hito"), 3);
    }

    void percentagesRoundHalvesToEven() {
        makeEntry(Kind::MN);
        // An 8-day product: day 1 is 12.5 %, day 3 is 37.5 %.
        store(d(2008, 1, 1), d(2008, 1, 8), QString(), d(2008, 1, 1), d(2008, 1, 1));
        store(d(2008, 1, 1), d(2008, 1, 8), QStringLiteral("O'Brien «ñandú»"), d(2008, 1, 2),
              d(2008, 1, 3));
        QCOMPARE(goals(), QStringList({"1  01/01 01/01 12", "2 O'Brien «ñandú» 02/01 03/01 38",
                                       "3 Entrega de producto 04/01 08/01 100"}));
        // An empty description is stored as empty, not as nothing.
        QCOMPARE(count(QStringLiteral("t_hito where hito_descr = ''")), qint64(1));
    }

    void oneDayOfSlackOnEachSide_data() {
        QTest::addColumn<QDate>("start");
        QTest::addColumn<QDate>("end");
        QTest::addColumn<bool>("stored");
        QTest::newRow("a day before the start") << d(2008, 2, 29) << d(2008, 3, 10) << true;
        QTest::newRow("two days before") << d(2008, 2, 28) << d(2008, 3, 10) << false;
        QTest::newRow("ends on the product's end") << d(2008, 3, 1) << d(2008, 3, 31) << true;
        QTest::newRow("a day after the end") << d(2008, 3, 1) << d(2008, 4, 1) << true;
        QTest::newRow("two days after") << d(2008, 3, 1) << d(2008, 4, 2) << false;
    }
    void oneDayOfSlackOnEachSide() {
        QFETCH(QDate, start);
        QFETCH(QDate, end);
        QFETCH(bool, stored);
        makeEntry(Kind::MN);
        QCOMPARE(store(d(2008, 3, 1), d(2008, 3, 31), QStringLiteral("Meta"), start, end),
                 stored ? GoalEntry::Outcome::Stored : GoalEntry::Outcome::OutsideProduct);
        QCOMPARE(goals().size(), stored ? (end.day() == 1 ? 1 : 2) : 0);
        // The product row is written in any case.
        QCOMPARE(productRows(), QStringList({"01/03/2008 31/03/2008"}));
    }

    void theClosingGoalOfAGoalEndingWithTheProduct() {
        makeEntry(Kind::MN);
        store(d(2008, 1, 1), d(2008, 1, 10), QStringLiteral("Todo"), d(2008, 1, 1), d(2008, 1, 10));
        // It starts after it ends.
        QCOMPARE(goals(),
                 QStringList({"1 Todo 01/01 10/01 100", "2 Entrega de producto 11/01 10/01 100"}));
    }

    void aGoalEndingAfterTheProductIsNeverTakenForTheClosingGoal() {
        makeEntry(Kind::MN);
        store(d(2008, 1, 1), d(2008, 1, 10), QStringLiteral("Primera"), d(2008, 1, 1),
              d(2008, 1, 5));
        store(d(2008, 1, 1), d(2008, 1, 10), QStringLiteral("Tarde"), d(2008, 1, 6),
              d(2008, 1, 11));
        QCOMPARE(goals(), QStringList({"1 Primera 01/01 05/01 50", "2 Tarde 06/01 11/01 110"}));
        // Another goal follows it instead of replacing it.
        QCOMPARE(store(d(2008, 1, 1), d(2008, 1, 10), QStringLiteral("Otra"), d(2008, 1, 10),
                       d(2008, 1, 11)),
                 GoalEntry::Outcome::Stored);
        QCOMPARE(goals(), QStringList({"1 Primera 01/01 05/01 50", "2 Tarde 06/01 11/01 110",
                                       "3 Otra 10/01 11/01 110"}));
        // "Deshacer" removes the last entered goal and leaves the list as it was before it:
        // the closing goal follows the goal now last when that one ends within the product.
        QCOMPARE(undo(), GoalEntry::Undone::LastGoal);
        QCOMPARE(goals(), QStringList({"1 Primera 01/01 05/01 50", "2 Tarde 06/01 11/01 110"}));
        QCOMPARE(undo(), GoalEntry::Undone::LastGoal);
        QCOMPARE(goals(), QStringList({"1 Primera 01/01 05/01 50",
                                       "2 Entrega de producto 06/01 10/01 100"}));
        QCOMPARE(entry->ADOQhito->rowCount(), 2);
        // The next goal takes the closing goal's place; the entered goal stays.
        store(d(2008, 1, 1), d(2008, 1, 10), QStringLiteral("Luego"), d(2008, 1, 6), d(2008, 1, 8));
        QCOMPARE(goals(), QStringList({"1 Primera 01/01 05/01 50", "2 Luego 06/01 08/01 80",
                                       "3 Entrega de producto 09/01 10/01 100"}));

        // Alone, such a goal is the only entered goal: it goes with the product row.
        entry->cancel(key);
        store(d(2008, 1, 1), d(2008, 1, 10), QStringLiteral("Tarde"), d(2008, 1, 1),
              d(2008, 1, 11));
        QCOMPARE(goals(), QStringList({"1 Tarde 01/01 11/01 110"}));
        QCOMPARE(undo(), GoalEntry::Undone::Product);
        QVERIFY(goals().isEmpty());
        QVERIFY(productRows().isEmpty());
    }

    void refusedGoalsStoreNothingButTheProduct() {
        makeEntry(Kind::MN);
        // A product that ends before it starts is not written at all.
        QCOMPARE(store(d(2008, 6, 1), d(2008, 5, 1), QStringLiteral("Producto al revés"),
                       d(2008, 5, 1), d(2008, 5, 1)),
                 GoalEntry::Outcome::ProductEndsBeforeStart);
        QVERIFY(productRows().isEmpty());
        // Written with its corrected dates, even when the goal is refused then.
        QCOMPARE(store2008(QStringLiteral("Al revés"), d(2008, 5, 2), d(2008, 5, 1)),
                 GoalEntry::Outcome::StartAfterEnd);
        QCOMPARE(store(d(2008, 6, 1), d(2008, 5, 1), QStringLiteral("Producto al revés"),
                       d(2008, 5, 1), d(2008, 5, 1)),
                 GoalEntry::Outcome::ProductEndsBeforeStart);
        QVERIFY(goals().isEmpty());
        QCOMPARE(productRows(), QStringList({"01/01/2008 31/12/2008"}));
    }

    void undoingTheOnlyGoalRemovesTheProduct() {
        makeEntry(Kind::MN);
        QCOMPARE(undo(), GoalEntry::Undone::Nothing); // an empty list
        store2008(QStringLiteral("Única"), d(2008, 1, 1), d(2008, 6, 30));
        QCOMPARE(undo(), GoalEntry::Undone::Product);
        QVERIFY(goals().isEmpty());
        QVERIFY(productRows().isEmpty());
        QCOMPARE(entry->ADOQhito->rowCount(), 0);
        // The next goal of the same opening writes the product row again.
        store(d(2008, 2, 1), d(2008, 12, 31), QStringLiteral("Otra vez"), d(2008, 2, 1),
              d(2008, 6, 30));
        QCOMPARE(productRows(), QStringList({"01/02/2008 31/12/2008"}));
        QCOMPARE(goals().size(), 2);
    }

    void undoingAGoalRechainsAndRecomputesTheOthers() {
        makeEntry(Kind::MN);
        store2008(QStringLiteral("A"), d(2008, 1, 1), d(2008, 3, 31));
        store2008(QStringLiteral("B"), d(2008, 4, 1), d(2008, 6, 30));
        store2008(QStringLiteral("C"), d(2008, 7, 1), d(2008, 9, 30));
        QCOMPARE(undo(), GoalEntry::Undone::LastGoal);
        QCOMPARE(goals(), QStringList({"1 A 01/01 31/03 25", "2 B 01/04 30/06 50",
                                       "3 Entrega de producto 01/07 31/12 100"}));
        QCOMPARE(entry->ADOQhito->rowCount(), 3);
        QCOMPARE(undo(), GoalEntry::Undone::LastGoal);
        QCOMPARE(goals(),
                 QStringList({"1 A 01/01 31/03 25", "2 Entrega de producto 01/04 31/12 100"}));
    }

    void undoingComputesAgainstTheEarliestStartAndLatestEnd() {
        makeEntry(Kind::MN);
        // The goals start before the product (the day of slack): the span is 11 days.
        store(d(2008, 1, 2), d(2008, 1, 11), QStringLiteral("A"), d(2008, 1, 1), d(2008, 1, 3));
        store(d(2008, 1, 2), d(2008, 1, 11), QStringLiteral("B"), d(2008, 1, 4), d(2008, 1, 6));
        QCOMPARE(goals(), QStringList({"1 A 01/01 03/01 20", "2 B 04/01 06/01 50",
                                       "3 Entrega de producto 07/01 11/01 100"}));
        undo();
        // 3 of 11 days is 27.27 %; the closing goal starts the day after goal 1.
        QCOMPARE(goals(),
                 QStringList({"1 A 01/01 03/01 27", "2 Entrega de producto 04/01 11/01 100"}));
    }

    void cancellingRemovesTheProductAndItsGoals() {
        makeEntry(Kind::MN);
        store2008(QStringLiteral("A"), d(2008, 1, 1), d(2008, 3, 31));
        db->exec(QStringLiteral("insert into p_responsable (cod_unidad, cod_producto, gestion, "
                                "correlativo, cod_responsable, ok) values ('V01D01U01', 3, "
                                "'2008', 1, '1', 'S')"));
        entry->cancel(key);
        QVERIFY(goals().isEmpty());
        QVERIFY(productRows().isEmpty());
        QCOMPARE(count(QStringLiteral("p_responsable")), qint64(1));
        // A goal stored after cancelling writes the product row again.
        store2008(QStringLiteral("B"), d(2008, 1, 1), d(2008, 3, 31));
        QCOMPARE(productRows().size(), 1);
    }

    void aProductRowWrittenEarlierIsNotRepeated() {
        db->exec(QStringLiteral("insert into t_producto (cod_area, id_proyecto, id_producto, "
                                "pro_gestion, pro_fecini, pro_fecfin) values ('V01D01U01', 3, 3, "
                                "'2008', '2008-02-01', '2008-02-28')"));
        makeEntry(Kind::MN);
        store2008(QStringLiteral("A"), d(2008, 1, 1), d(2008, 3, 31));
        // It gets the dates its goals are computed against.
        QCOMPARE(productRows(), QStringList({"01/01/2008 31/12/2008"}));
        // Another year and another product are other products.
        QCOMPARE(count(QStringLiteral("t_producto")), qint64(1));
    }

    void territorialActionsNumberFromZero() {
        makeEntry(Kind::EX);
        entry->setProductColumns({{QStringLiteral("pro_municipio"), QStringLiteral("S")},
                                  {QStringLiteral("pro_sector"), QStringLiteral("N")}});
        store2008(QStringLiteral("A"), d(2008, 1, 1), d(2008, 3, 31));
        QCOMPARE(goals(),
                 QStringList({"0 A 01/01 31/03 25", "1 Entrega de producto 01/04 31/12 100"}));
        store2008(QStringLiteral("B"), d(2008, 4, 1), d(2008, 6, 30));
        store2008(QStringLiteral("C"), d(2008, 7, 1), d(2008, 9, 30));
        undo();
        QCOMPARE(goals(), QStringList({"0 A 01/01 31/03 25", "1 B 01/04 30/06 50",
                                       "2 Entrega de producto 01/07 31/12 100"}));
        QCOMPARE(db->scalar(QStringLiteral("select pro_municipio from t_producto")).toString(),
                 QStringLiteral("S"));
    }

    void anActionStoppedByTheEngineLeavesTheProductAsItWas_data() {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<QString>("when");
        QTest::addColumn<bool>("storing");
        QTest::newRow("store: the closing goal")
            << "insert"
            << "NEW.hito_descr = 'Entrega de producto'" << true;
        QTest::newRow("undo: the chaining") << "update"
                                            << "NEW.hito_fecini <> OLD.hito_fecini" << false;
        QTest::newRow("undo: the percentages") << "update"
                                               << "NEW.hito_porpro <> OLD.hito_porpro" << false;
    }
    void anActionStoppedByTheEngineLeavesTheProductAsItWas() {
        QFETCH(QString, operation);
        QFETCH(QString, when);
        QFETCH(bool, storing);
        makeEntry(Kind::MN);
        // Undoing B moves the closing goal's start and changes A's percentage.
        store(d(2008, 1, 2), d(2008, 1, 11), QStringLiteral("A"), d(2008, 1, 1), d(2008, 1, 3));
        store(d(2008, 1, 2), d(2008, 1, 11), QStringLiteral("B"), d(2008, 1, 4), d(2008, 1, 6));
        const QStringList before = goals();
        db->refuse(QStringLiteral("t_hito"), operation, when);
        failingAction([&] {
            if (storing)
                store(d(2008, 1, 2), d(2008, 1, 11), QStringLiteral("C"), d(2008, 1, 7),
                      d(2008, 1, 9));
            else
                entry->undo(key);
        });
        QCOMPARE(goals(), before);
        QCOMPARE(productRows().size(), 1);
        // The list shows what is stored.
        QCOMPARE(entry->ADOQhito->rowCount(), 3);
    }

    void cancellingStoppedByTheEngineKeepsEverything() {
        makeEntry(Kind::MN);
        store2008(QStringLiteral("A"), d(2008, 1, 1), d(2008, 3, 31));
        db->refuse(QStringLiteral("t_hito"), QStringLiteral("delete"));
        failingAction([&] { entry->cancel(key); });
        QCOMPARE(goals().size(), 2);
        QCOMPARE(productRows().size(), 1);
    }
};

MONITOREO_TEST_MAIN(new TestGoals)
#include "tst_goals.moc"
