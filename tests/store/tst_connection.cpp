#include "fixture/testdb.h"
#include "store/actionscope.h"
#include "store/query.h"
#include "store/storeerror.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTest>
#include <atomic>
#include <chrono>
#include <thread>

class TestConnection : public QObject {
    Q_OBJECT
private slots:
    void serverTextNamesTheStore_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("embedded");
        QTest::addColumn<QString>("where");
        QTest::addColumn<int>("port");
        QTest::newRow("folder") << "/srv/plan" << true << "/srv/plan/TAVRO/QUV.db" << -1;
        QTest::newRow("home") << "~" << true << QDir::homePath() + "/TAVRO/QUV.db" << -1;
        QTest::newRow("under home")
            << "~/datos" << true << QDir::homePath() + "/datos/TAVRO/QUV.db" << -1;
        QTest::newRow("relative") << "./datos" << true << "datos/TAVRO/QUV.db" << -1;
        QTest::newRow("host") << "servidor" << false << "servidor" << -1;
        QTest::newRow("address and port") << "192.168.1.20:5433" << false << "192.168.1.20" << 5433;
        QTest::newRow("bracketed IPv6") << "[::1]:5433" << false << "::1" << 5433;
        QTest::newRow("bare IPv6") << "fe80::1" << false << "fe80::1" << -1;
        QTest::newRow("bad port kept for the engine")
            << "servidor:abc" << false << "servidor:abc" << -1;
        QTest::newRow("not trimmed") << " /srv/plan" << false << " /srv/plan" << -1;
    }
    void serverTextNamesTheStore() {
        QFETCH(QString, text);
        QFETCH(bool, embedded);
        QFETCH(QString, where);
        QFETCH(int, port);
        const ConnectionTarget t = resolveServer(text);
        QCOMPARE(t.engine == Engine::SQLite, embedded);
        QCOMPARE(embedded ? t.sqliteFile : t.host, where);
        QCOMPARE(t.port, port);
        if (!embedded)
            QCOMPARE(t.database, QStringLiteral("quv"));
    }

    void missingFolderFailsAndACorrectedOneWorks() {
        TestDatabase db(Engine::SQLite);
        Connection c;
        const QString missing = db.serverText() + QStringLiteral("/no/existe");
        c.setServer(missing);
        try {
            c.open();
            QFAIL("a missing folder opened");
        } catch (const StoreError& e) {
            QVERIFY2(e.message().contains(QStringLiteral("unable to open database")),
                     qPrintable(e.message()));
            QVERIFY(e.message().contains(missing));
        }
        QVERIFY(!c.isOpen());
        QVERIFY(!QDir(missing).exists());
        c.setServer(db.serverText());
        c.open();
        QVERIFY(c.isOpen());
        QVERIFY(QFile::exists(db.serverText() + QStringLiteral("/TAVRO/QUV.db")));
    }

    void unreachableServerFailsWithTheEnginesMessage_data() {
        QTest::addColumn<QString>("server");
        QTest::addColumn<QString>("says");
        QTest::newRow("unknown name") << unresolvableServer() << "servidor-inexistente";
        QTest::newRow("refused") << "127.0.0.1:1"
                                 << "127.0.0.1";
        QTest::newRow("empty") << ""
                               << "servidor";
    }
    void unreachableServerFailsWithTheEnginesMessage() {
        QFETCH(QString, server);
        QFETCH(QString, says);
        TestDatabase db;
        Connection c;
        c.setResolver(db.resolver());
        c.setServer(server);
        try {
            c.open();
            QFAIL("an unreachable server opened");
        } catch (const StoreError& e) {
            QVERIFY2(e.message().contains(says), qPrintable(e.message()));
        }
        QVERIFY(!c.isOpen());
        c.setServer(db.serverText());
        c.open();
        Query q(&c, QStringLiteral("select count(*) as n from t_mes"));
        q.open();
        QCOMPARE(q.integer(QStringLiteral("n")), qint64(12));
    }

    void reopensWithANewServerText() {
        TestDatabase first(Engine::SQLite);
        TestDatabase second(Engine::SQLite);
        Connection c;
        c.setServer(first.serverText());
        c.open();
        c.execDirect(QStringLiteral("update t_mes set mes = 'Primero' where num = 1"));
        c.setServer(second.serverText());
        c.open();
        Query q(&c, QStringLiteral("select mes from t_mes where num = 1"));
        q.open();
        QCOMPARE(q.text(QStringLiteral("mes")), QStringLiteral("Enero"));
    }

    void aDatasetOpensTheConnectionAgainAndClosingClosesIt() {
        TestDatabase db;
        Connection c;
        db.attach(c);
        Query q(&c, QStringLiteral("select * from t_mes"));
        QVERIFY(!c.isOpen());
        q.open();
        QVERIFY(c.isOpen());
        QCOMPARE(q.rowCount(), 12);
        c.close();
        QVERIFY(!q.isOpen());
        QCOMPARE(q.rowCount(), 0);
        q.open();
        QVERIFY(c.isOpen());
        QCOMPARE(q.rowCount(), 12);
    }

    void embeddedStoreWaitsForAnotherWriter() {
        TestDatabase db(Engine::SQLite);
        auto holder = db.connect();
        std::atomic<bool> started = false;
        QString failure = QStringLiteral("not run");
        {
            ActionScope scope;
            holder->aboutToWrite(); // holds the write lock
            holder->execDirect(QStringLiteral("update t_mes set mes = 'Enero' where num = 1"));
            const quint64 waitsBefore = Connection::lockWaitsBegun();
            std::thread other([&] {
                Connection c;
                db.attach(c);
                try {
                    c.open();
                    started = true;
                    c.execDirect(QStringLiteral("update t_mes set mes = 'Febrero' where num = 2"));
                    failure.clear();
                } catch (const Error& e) {
                    failure = e.message();
                }
            });
            const bool waited = db.awaitWaitingStatement(waitsBefore) && started;
            scope.commit();
            other.join();
            QVERIFY(waited);
        }
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
    }

    void embeddedStoreLetsAWaitingWriterInBetweenAnotherOnesActions() {
        using namespace std::chrono_literals;
        TestDatabase db(Engine::SQLite);
        db.connect(); // the tables, before both
        std::atomic<bool> stop = false;
        std::atomic<int> actions = 0;
        std::atomic<bool> ranOut = false;
        QString failure;
        // One workstation stores action after action, each holding the store for 50 ms,
        // with a millisecond between them.
        std::thread busy([&] {
            try {
                Connection c;
                db.attach(c);
                c.open();
                QElapsedTimer running;
                running.start();
                while (!stop) {
                    if (running.elapsed() > 15000) { // nobody got in between
                        ranOut = true;
                        break;
                    }
                    ActionScope action;
                    c.aboutToWrite(); // holds the write lock
                    c.execDirect(QStringLiteral("update t_mes set mes = mes where num = 1"));
                    std::this_thread::sleep_for(50ms);
                    action.commit();
                    ++actions;
                    std::this_thread::sleep_for(1ms);
                }
            } catch (const Error& e) {
                failure = e.message();
            }
        });
        while (actions < 2)
            QTest::qWait(5);
        // Another one's action gets the store in one of those moments, long before its
        // waiting would run out.
        Connection other;
        db.attach(other);
        other.open();
        {
            ActionScope action;
            other.aboutToWrite();
            other.execDirect(QStringLiteral("update t_mes set mes = mes where num = 2"));
            action.commit();
        }
        // It got in between the busy one's actions: that one goes on storing after it.
        const int after = actions;
        while (actions == after && !ranOut)
            QTest::qWait(5);
        const bool wentOn = actions > after;
        stop = true;
        busy.join();
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
        QVERIFY(wentOn);
    }
};

QObject* connectionTests() {
    return new TestConnection;
}

#include "tst_connection.moc"
