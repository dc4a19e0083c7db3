#include "fixture/storetest.h"
#include "store/actionscope.h"
#include "store/numbers.h"
#include "store/query.h"
#include "store/storeerror.h"

#include <QSet>
#include <QTest>
#include <functional>
#include <mutex>
#include <thread>

// The installation data holds account "1" in the years 2006 to 2009; the tests number
// accounts of other years, and those rows stay outside their scopes.
class TestNumbers : public StoreTest {
    Q_OBJECT

    static QString s(const char* text) { return QString::fromUtf8(text); }

    static void insertHeader(Connection& conn, const QString& unit, const QString& year,
                             qint64 number) {
        Query w(&conn, s("insert into t_prodaccion (cod_unidad, uni_gestion, id_proyecto, "
                         "proy_ok) values (?, ?, ?, 'S')"));
        w.setParams({unit, year, number});
        w.exec();
    }

    static void insertUser(Connection& conn, const QString& year, const QVariant& account) {
        Query w(&conn, s("insert into t_usuario (cod_usuario, usuario, gestion) values (?, ?, ?)"));
        w.setParams({account, s("u") + account.toString(), year});
        w.exec();
    }

    static void insertFlow(Connection& conn, const QString& area, const QString& year,
                           qint64 product, qint64 version) {
        Query w(&conn, s("insert into t_flujofondos (cod_area, gestion, id_producto, activo, "
                         "correlativo) values (?, ?, ?, 'S', ?)"));
        w.setParams({area, year, product, version});
        w.exec();
    }

    static Filter headerScope(const char* unit, const char* year) {
        return Filter::equals(s("cod_unidad"), s(unit)).andEquals(s("uni_gestion"), s(year));
    }

    static Filter flowScope(const char* area, const char* year, const char* product) {
        return Filter::equals(s("cod_area"), s(area))
            .andEquals(s("gestion"), s(year))
            .andEquals(s("id_producto"), s(product));
    }

    static Filter userScope(const QString& year) { return Filter::equals(s("gestion"), year); }

    static qint64 header(Connection& conn, const Filter& scope) {
        return newNumber(conn, s("t_prodaccion"), s("id_proyecto"), scope);
    }
    static qint64 version(Connection& conn, const Filter& scope) {
        return newNumber(conn, s("t_flujofondos"), s("correlativo"), scope, NumberRule::Count);
    }
    static qint64 account(Connection& conn, const Filter& scope) {
        return newNumber(conn, s("t_usuario"), s("cod_usuario"), scope,
                         NumberRule::HighestAsNumber);
    }

    // The numbers the rows of a scope hold, read on a connection of its own.
    QList<qint64> numbersIn(const QString& sql) const {
        auto reader = db->connect();
        Query q(reader.get(), sql);
        q.open();
        QList<qint64> numbers;
        for (q.first(); !q.eof(); q.next())
            numbers.append(q.value(q.fieldNames().first()).toString().toLongLong());
        return numbers;
    }

    static QSet<qint64> oneTo(qint64 last) {
        QSet<qint64> all;
        for (qint64 n = 1; n <= last; ++n)
            all.insert(n);
        return all;
    }

    // Two workstations at once, each with its own connection to the test database, each
    // running `perStation` actions that take a number and store a row holding it.
    // Returns what went wrong on either.
    QStringList twoStations(int perStation, const std::function<void(Connection&)>& takeAndStore) {
        QStringList failures;
        std::mutex failuresLock;
        auto station = [&] {
            Connection conn;
            db->attach(conn);
            try {
                for (int i = 0; i < perStation; ++i) {
                    ActionScope action;
                    takeAndStore(conn);
                    action.commit();
                }
            } catch (const Error& e) {
                const std::lock_guard lock(failuresLock);
                failures.append(e.message());
            }
        };
        std::thread a(station);
        std::thread b(station);
        a.join();
        b.join();
        return failures;
    }

private slots:

    void anEmptyScopeStartsAtOne() {
        ActionScope action;
        QCOMPARE(header(*c, headerScope("U1", "2008")), qint64(1));
        QCOMPARE(version(*c, flowScope("A1", "2008", "3")), qint64(1));
        QCOMPARE(account(*c, userScope(s("2030"))), qint64(1));
    }

    void highestPlusOneWithinItsScope() {
        insertHeader(*c, s("U1"), s("2008"), 1);
        insertHeader(*c, s("U1"), s("2008"), 4);
        insertHeader(*c, s("U1"), s("2009"), 7); // another year
        insertHeader(*c, s("U2"), s("2008"), 9); // another unit
        ActionScope action;
        QCOMPARE(header(*c, headerScope("U1", "2008")), qint64(5));
        QCOMPARE(header(*c, headerScope("U1", "2009")), qint64(8));
        QCOMPARE(header(*c, headerScope("U2", "2008")), qint64(10));
        QCOMPARE(header(*c, headerScope("U2", "2009")), qint64(1));
        // Without a scope the whole table counts.
        QCOMPARE(header(*c, Filter()), qint64(10));
    }

    void countPlusOneIgnoresTheNumbersHeld() {
        insertFlow(*c, s("A1"), s("2008"), 3, 1);
        insertFlow(*c, s("A1"), s("2008"), 3, 5);
        insertFlow(*c, s("A1"), s("2008"), 4, 1); // another product
        insertFlow(*c, s("A1"), s("2009"), 3, 1); // another year
        insertFlow(*c, s("A2"), s("2008"), 3, 1); // another area
        ActionScope action;
        QCOMPARE(version(*c, flowScope("A1", "2008", "3")), qint64(3));
        QCOMPARE(version(*c, flowScope("A1", "2008", "4")), qint64(2));
        QCOMPARE(version(*c, flowScope("A1", "2008", "5")), qint64(1));
        // The highest rule on the same rows gives the next after 5.
        QCOMPARE(newNumber(*c, s("t_flujofondos"), s("correlativo"), flowScope("A1", "2008", "3")),
                 qint64(6));
    }

    void textNumbersCompareAsNumbers() {
        const QString year = s("2020");
        insertUser(*c, year, s("9"));
        insertUser(*c, year, s("10"));
        insertUser(*c, year, s("x"));
        insertUser(*c, s("2021"), s("500")); // another year
        {
            ActionScope action;
            QCOMPARE(account(*c, userScope(year)), qint64(11));
        }
        // Texts that are not whole numbers are left out, however high they read.
        insertUser(*c, year, s("12.5"));
        insertUser(*c, year, s("1e3"));
        insertUser(*c, year, s("99x"));
        insertUser(*c, year, s(""));
        insertUser(*c, year, QVariant());
        {
            ActionScope action;
            QCOMPARE(account(*c, userScope(year)), qint64(11));
        }
        // A whole number with blanks around is that number.
        insertUser(*c, year, s(" 12 "));
        ActionScope action;
        QCOMPARE(account(*c, userScope(year)), qint64(13));
        QCOMPARE(account(*c, userScope(s("2021"))), qint64(501));
        QCOMPARE(account(*c, userScope(s("2022"))), qint64(1));
    }

    void aScopeWithOnlyOtherTextsStartsAtOne() {
        insertUser(*c, s("2020"), s("x"));
        insertUser(*c, s("2020"), s("-"));
        ActionScope action;
        QCOMPARE(account(*c, userScope(s("2020"))), qint64(1));
    }

    void orTermsWidenTheScope() {
        insertHeader(*c, s("U1"), s("2008"), 3);
        insertHeader(*c, s("U2"), s("2008"), 6);
        insertHeader(*c, s("U3"), s("2008"), 20);
        ActionScope action;
        Filter either = Filter::equals(s("cod_unidad"), s("U1"));
        either.orEquals(s("cod_unidad"), s("U2"));
        QCOMPARE(header(*c, either), qint64(7));
        QCOMPARE(header(*c, Filter::parse(s("cod_unidad='U1' or cod_unidad='U3'"))), qint64(21));
    }

    void scopeValuesAreNeverPartOfTheStatement() {
        insertHeader(*c, s("U1"), s("2008"), 4);
        insertHeader(*c, s("O'Brien"), s("2008"), 2);
        ActionScope action;
        // Pasted into the statement, this value would match every row or break it.
        QCOMPARE(header(*c, headerScope("x' or '1'='1", "2008")), qint64(1));
        QCOMPARE(header(*c, headerScope("O'Brien", "2008")), qint64(3));
        // Names are found whatever their case.
        QCOMPARE(newNumber(*c, s("T_PRODACCION"), s("ID_Proyecto"),
                           Filter::equals(s("COD_UNIDAD"), s("U1"))),
                 qint64(5));
    }

    void anIntegerScopeValueMustBeAWholeNumber() {
        insertFlow(*c, s("A1"), s("2008"), 3, 1);
        ActionScope action;
        QVERIFY_THROWS_EXCEPTION(ConversionError, version(*c, flowScope("A1", "2008", "tres")));
        QVERIFY(!c->inTransaction()); // refused before anything was locked
        QCOMPARE(version(*c, flowScope("A1", "2008", " 3 ")), qint64(2));
    }

    void aNumberIsTakenOnlyInsideAnAction() {
        insertHeader(*c, s("U1"), s("2008"), 1);
        QVERIFY_THROWS_EXCEPTION(StoreError, header(*c, headerScope("U1", "2008")));
        QVERIFY_THROWS_EXCEPTION(StoreError, version(*c, flowScope("A1", "2008", "3")));
        QVERIFY_THROWS_EXCEPTION(StoreError, account(*c, userScope(s("2020"))));
        QVERIFY(!c->inTransaction());
        ActionScope action;
        QCOMPARE(header(*c, headerScope("U1", "2008")), qint64(2));
        // The action's transaction is open from the number on, and the table locked.
        QVERIFY(c->inTransaction());
        if (c->engine() == Engine::PostgreSQL) {
            const QString locks = s("pg_locks l join pg_class t on t.oid = l.relation where "
                                    "l.database = (select oid from pg_database where datname = "
                                    "current_database()) and t.relname = 't_prodaccion' and "
                                    "l.granted and "
                                    "l.mode = 'ShareRowExclusiveLock'");
            QCOMPARE(count(locks), qint64(1));
            insertHeader(*c, s("U1"), s("2008"), 2);
            action.commit();
            QCOMPARE(count(locks), qint64(0));
        }
    }

    void whatCannotBeNumberedIsRefused() {
        ActionScope action;
        const auto refused = [&](const char* table, const char* column, const Filter& scope,
                                 NumberRule rule) {
            try {
                newNumber(*c, s(table), s(column), scope, rule);
            } catch (const StoreError&) {
                return !c->inTransaction();
            }
            return false;
        };
        const Filter none;
        QVERIFY(refused("no_such_table", "id_proyecto", none, NumberRule::Highest));
        QVERIFY(refused("t_prodaccion", "no_such_column", none, NumberRule::Highest));
        QVERIFY(refused("t_prodaccion", "id_proyecto", Filter::equals(s("no_such_column"), s("1")),
                        NumberRule::Highest));
        // Amounts and dates are not numbered; a text is numbered only as a number.
        QVERIFY(refused("t_producto", "pro_montotot", none, NumberRule::Highest));
        QVERIFY(refused("t_producto", "pro_fecini", none, NumberRule::Highest));
        QVERIFY(refused("t_producto", "pro_fecini", none, NumberRule::Count));
        QVERIFY(refused("t_usuario", "cod_usuario", none, NumberRule::Highest));
        QVERIFY(refused("t_usuario", "cod_usuario", none, NumberRule::Count));
        QVERIFY(refused("t_prodaccion", "id_proyecto", none, NumberRule::HighestAsNumber));
        QVERIFY(refused("t_prodaccion", "proy_descripcion", none, NumberRule::HighestAsNumber));
        // The accepted ones, for contrast.
        QCOMPARE(newNumber(*c, s("t_producto"), s("id_producto"), none, NumberRule::Count),
                 qint64(1));
        QCOMPARE(newNumber(*c, s("t_prodaccion"), s("proy_ok"), none, NumberRule::HighestAsNumber),
                 qint64(1));
    }

    void aNumberStaysAboveTheRowsThatStillCarryIt() {
        insertHeader(*c, s("U1"), s("2008"), 2);
        insertFlow(*c, s("U1"), s("2008"), 6, 1);
        insertFlow(*c, s("U1"), s("2009"), 9, 1); // another year
        ActionScope action;
        const auto next = [&](const char* column) {
            return newNumber(
                *c, s("t_prodaccion"), s("id_proyecto"), headerScope("U1", "2008"),
                {{s("t_flujofondos"), s(column),
                  Filter::equals(s("cod_area"), s("U1")).andEquals(s("gestion"), s("2008"))}});
        };
        QCOMPARE(next("id_producto"), qint64(7));
        QCOMPARE(next("correlativo"), qint64(3)); // the headers' own number is higher
    }

    void noNumberPastTheLargest() {
        insertHeader(*c, s("U1"), s("2008"), 2147483646);
        insertHeader(*c, s("U2"), s("2008"), 2147483647);
        insertUser(*c, s("2020"), s("9223372036854775806"));
        insertUser(*c, s("2021"), s("9223372036854775807"));
        ActionScope action;
        QCOMPARE(header(*c, headerScope("U1", "2008")), qint64(2147483647));
        QVERIFY_THROWS_EXCEPTION(ConversionError, header(*c, headerScope("U2", "2008")));
        QCOMPARE(account(*c, userScope(s("2020"))), qint64(9223372036854775807));
        QVERIFY_THROWS_EXCEPTION(ConversionError, account(*c, userScope(s("2021"))));
    }

    void twoWorkstationsNeverTakeTheSameHeaderNumber() {
        insertHeader(*c, s("U1"), s("2009"), 50); // another year
        insertHeader(*c, s("U2"), s("2008"), 70); // another unit
        constexpr int perStation = 15;
        const QStringList failures = twoStations(perStation, [](Connection& conn) {
            const qint64 number = header(conn, headerScope("U1", "2008"));
            std::this_thread::yield();
            insertHeader(conn, s("U1"), s("2008"), number);
        });
        QVERIFY2(failures.isEmpty(), qPrintable(failures.join(u'\n')));
        const QList<qint64> taken = numbersIn(
            s("select id_proyecto from t_prodaccion where cod_unidad = 'U1' and uni_gestion = "
              "'2008'"));
        QCOMPARE(taken.size(), qsizetype(2 * perStation));
        QCOMPARE(QSet<qint64>(taken.begin(), taken.end()), oneTo(2 * perStation));
    }

    void twoWorkstationsNeverTakeTheSameAccountNumber() {
        insertUser(*c, s("2031"), s("400")); // another year
        constexpr int perStation = 15;
        const QStringList failures = twoStations(perStation, [](Connection& conn) {
            const qint64 number = account(conn, userScope(s("2030")));
            std::this_thread::yield();
            insertUser(conn, s("2030"), QString::number(number));
        });
        QVERIFY2(failures.isEmpty(), qPrintable(failures.join(u'\n')));
        const QList<qint64> taken =
            numbersIn(s("select cod_usuario from t_usuario where gestion = '2030'"));
        QCOMPARE(taken.size(), qsizetype(2 * perStation));
        // Past "9" the accounts go on as numbers: 10 follows 9, not "9" itself again.
        QCOMPARE(QSet<qint64>(taken.begin(), taken.end()), oneTo(2 * perStation));
    }

    void twoWorkstationsNeverTakeTheSameVersionNumber() {
        insertFlow(*c, s("A1"), s("2009"), 3, 1); // another year
        constexpr int perStation = 10;
        const QStringList failures = twoStations(perStation, [](Connection& conn) {
            const qint64 number = version(conn, flowScope("A1", "2008", "3"));
            std::this_thread::yield();
            insertFlow(conn, s("A1"), s("2008"), 3, number);
        });
        QVERIFY2(failures.isEmpty(), qPrintable(failures.join(u'\n')));
        const QList<qint64> taken = numbersIn(
            s("select correlativo from t_flujofondos where cod_area = 'A1' and gestion = '2008'"));
        QCOMPARE(taken.size(), qsizetype(2 * perStation));
        QCOMPARE(QSet<qint64>(taken.begin(), taken.end()), oneTo(2 * perStation));
    }
};

QObject* numberTests() {
    return new TestNumbers;
}

#include "tst_numbers.moc"
