#include "fixture/storetest.h"
#include "store/actionscope.h"
#include "store/datasource.h"
#include "store/numbers.h"
#include "store/query.h"
#include "store/storeerror.h"
#include "store/table.h"

#include <QAbstractItemModelTester>
#include <QTest>
#include <functional>

class TestTransactions : public StoreTest {
    Q_OBJECT

    void insertHeader(Connection& conn, int number) {
        Query w(&conn, QStringLiteral("insert into t_prodaccion (cod_unidad, uni_gestion, "
                                      "id_proyecto, proy_ok) values ('U1', '2008', ?, 'S')"));
        w.setParam(0, number);
        w.exec();
    }

    // Runs `action` as one user action that ends in a failing statement.
    void failingAction(const std::function<void()>& action) {
        try {
            ActionScope scope;
            action();
            c->execDirect(QStringLiteral("insert into no_such_table values (1)"));
            scope.commit();
            QFAIL("the action did not fail");
        } catch (const StoreError&) {
        }
        QVERIFY(!c->inTransaction());
    }

private slots:

    void anActionThatFailsLeavesNothingBehind() {
        try {
            ActionScope action;
            insertHeader(*c, 1);
            QVERIFY(c->inTransaction());
            c->execDirect(QStringLiteral("insert into no_such_table values (1)"));
            action.commit();
        } catch (const StoreError&) {
        }
        QVERIFY(!c->inTransaction());
        QCOMPARE(count(QStringLiteral("t_prodaccion")), qint64(0));
        // The connection goes on working after the rollback.
        insertHeader(*c, 2);
        QCOMPARE(count(QStringLiteral("t_prodaccion")), qint64(1));
    }

    void anActionWithAFailedStatementIsNeverCommitted() {
        // Code that goes on after a failed statement (it caught the error) cannot commit
        // what was written before it: on PostgreSQL that transaction is already lost.
        ActionScope action;
        insertHeader(*c, 1);
        try {
            c->execDirect(QStringLiteral("insert into no_such_table values (1)"));
        } catch (const StoreError&) {
        }
        QVERIFY_THROWS_EXCEPTION(StoreError, action.commit());
        QVERIFY(!c->inTransaction());
        QCOMPARE(count(QStringLiteral("t_prodaccion")), qint64(0));
    }

    void aCommittedActionStaysAndInnerScopesJoinIt() {
        {
            ActionScope outer;
            {
                ActionScope inner;
                insertHeader(*c, 1);
                inner.commit(); // the outer scope decides
            }
            QVERIFY(c->inTransaction());
            insertHeader(*c, 2);
            outer.commit();
        }
        QVERIFY(!c->inTransaction());
        QCOMPARE(count(QStringLiteral("t_prodaccion")), qint64(2));
        {
            ActionScope reading;
            Query q(c.get(), QStringLiteral("select * from t_prodaccion"));
            q.open();
            QVERIFY(!c->inTransaction()); // reads alone begin nothing
        }
    }

    void aCheckpointKeepsWhatWasWrittenBefore() {
        {
            ActionScope action;
            insertHeader(*c, 1);
            ActionScope::checkpoint(); // as before a message box
            QVERIFY(!c->inTransaction());
            insertHeader(*c, 2);
        } // ends without commit: an error stopped it
        QCOMPARE(count(QStringLiteral("t_prodaccion")), qint64(1));
        QCOMPARE(count(QStringLiteral("t_prodaccion where id_proyecto = 1")), qint64(1));
    }

    void withoutAnActionEveryStatementCommitsAtOnce() {
        insertHeader(*c, 1);
        QVERIFY(!c->inTransaction());
        QCOMPARE(count(QStringLiteral("t_prodaccion")), qint64(1));
        // A number taken outside an action would not be safe from other workstations.
        QVERIFY_THROWS_EXCEPTION(StoreError, newNumber(*c, QStringLiteral("t_prodaccion"),
                                                       QStringLiteral("id_proyecto")));
        QVERIFY(!c->inTransaction());
        ActionScope action;
        QCOMPARE(newNumber(*c, QStringLiteral("t_prodaccion"), QStringLiteral("id_proyecto")),
                 qint64(2));
        QVERIFY(c->inTransaction());
    }

    void afterAFailedActionTheScreenShowsWhatIsStored() {
        Table months(c.get(), QStringLiteral("t_mes"));
        DataSource source(&months);
        QAbstractItemModelTester tester(&source,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        Query counted(c.get(), QStringLiteral("select count(*) as n from t_mes"));
        months.open();
        QCOMPARE(source.rowCount(), 12);

        // An append and a post, then a read that saw the new row: all undone.
        failingAction([&] {
            months.append();
            months.setField(QStringLiteral("num"), 13);
            months.setField(QStringLiteral("mes"), QStringLiteral("Trece"));
            months.post();
            counted.open();
            QCOMPARE(counted.integer("n"), qint64(13));
        });
        QCOMPARE(months.rowCount(), 12);
        QCOMPARE(source.rowCount(), 12);
        QVERIFY(!months.locate(QStringLiteral("mes"), QStringLiteral("Trece")));
        QCOMPARE(counted.integer("n"), qint64(12));
        QCOMPARE(months.state(), Table::State::Browse);

        // An edit: the row shows its stored value and can be edited again at once (it is
        // not taken for a row changed at another workstation).
        QVERIFY(months.locate(QStringLiteral("num"), 3));
        failingAction([&] {
            months.edit();
            months.setField(QStringLiteral("mes"), QStringLiteral("MARZO"));
            months.post();
        });
        QCOMPARE(months.integer("num"), qint64(3));
        QCOMPARE(months.text("mes"), QStringLiteral("Marzo"));
        QCOMPARE(source.data(source.index(months.currentRow(), 1)).toString(),
                 QStringLiteral("Marzo"));
        months.edit();
        months.setField(QStringLiteral("mes"), QStringLiteral("Tercero"));
        months.post();
        QCOMPARE(count(QStringLiteral("t_mes where mes = 'Tercero'")), qint64(1));

        // A delete: the row, still stored, is shown again; the current row stays where it
        // was when the action failed.
        QVERIFY(months.locate(QStringLiteral("num"), 5));
        failingAction([&] {
            months.remove();
            QCOMPARE(months.rowCount(), 11);
            QCOMPARE(months.integer("num"), qint64(6));
        });
        QCOMPARE(months.rowCount(), 12);
        QCOMPARE(source.rowCount(), 12);
        QCOMPARE(months.integer("num"), qint64(6));
        QVERIFY(months.locate(QStringLiteral("num"), 5));
        QCOMPARE(months.text("mes"), QStringLiteral("Mayo"));
        months.remove(); // and it can be deleted for real
        QCOMPARE(count(QStringLiteral("t_mes")), qint64(11));
    }

    void anEditWhosePostFailedIsKeptToBeCorrected() {
        Table months(c.get(), QStringLiteral("t_mes"));
        months.open();
        try {
            ActionScope scope;
            months.edit();
            months.setField(QStringLiteral("mes"), QStringLiteral("Un nombre demasiado largo"));
            months.post();
            scope.commit();
        } catch (const StoreError&) {
        }
        // Nothing was written: what the user typed is still there to correct.
        QCOMPARE(months.state(), Table::State::Edit);
        QCOMPARE(months.text("mes"), QStringLiteral("Un nombre demasiado largo"));
        months.setField(QStringLiteral("mes"), QStringLiteral("Primero"));
        months.post();
        QCOMPARE(count(QStringLiteral("t_mes where mes = 'Primero'")), qint64(1));
    }
};

QObject* transactionTests() {
    return new TestTransactions;
}

#include "tst_transactions.moc"
