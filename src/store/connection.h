#pragma once

#include "numbers.h"
#include "schema.h"
#include "storeerror.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QSqlDatabase>
#include <QString>
#include <functional>

// Where the shared database lives, resolved from the text of the login window's server box.
struct ConnectionTarget {
    Engine engine = Engine::SQLite;
    QString sqliteFile; // <folder>/TAVRO/QUV.db
    QString host;       // PostgreSQL host name or address
    int port = -1;      // -1: the libpq default
    QString database;   // PostgreSQL database
    QString user;       // empty: the libpq way (PGUSER, the login name)
    QString password;   // empty: the libpq way (PGPASSWORD, ~/.pgpass)

    QString describe() const;
};

// A folder (text starting with '/', '~' or '.') names the embedded store; anything else is
// a host name or address, optionally ":port", of a PostgreSQL server holding "quv".
// The text is used as typed: no trimming.
ConnectionTarget resolveServer(const QString& serverText);

// The one connection to the shared database. It is opened from a server text, closed at
// each return to the login window, and opened again by the first dataset that needs it.
// A new empty database gets the tables and the installation data on first opening.
class Dataset;
struct sqlite3;
struct pg_conn;

class Connection : public QObject {
    Q_OBJECT
public:
    using Resolver = std::function<ConnectionTarget(const QString&)>;

    explicit Connection(QObject* parent = nullptr);
    ~Connection() override;

    void setServer(const QString& serverText);
    const QString& server() const { return m_server; }

    // Tests point the connection at their own database through this.
    void setResolver(Resolver resolver);

    // Closes, then opens the database the server text names. Throws StoreError with the
    // engine's message.
    void open();
    void close();
    bool isOpen() const;
    // Refuses an embedded store the engine finds damaged (PRAGMA quick_check), with a
    // message that says so and where the last copy would be, instead of the engine's error
    // in the middle of some later action. Checked once per file in a run of the program: a
    // large store takes a few seconds. Nothing to check on a server.
    void checkIntegrity();
    void ensureOpen();

    Engine engine() const { return m_target.engine; }
    const ConnectionTarget& target() const { return m_target; }
    QSqlDatabase database() const;
    // SQLite's own handle of an open embedded store; null for a server or when closed.
    sqlite3* sqliteLink() const;
    // libpq's link of an open PostgreSQL session; null for the embedded store or when closed.
    pg_conn* postgresLink() const;

    // Writes: the first write of a user action begins its transaction (see ActionScope).
    void aboutToWrite();
    bool inTransaction() const { return m_inTransaction; }
    // A dataset read or changed its rows inside the current transaction: if the
    // transaction is rolled back, the dataset reads again what is stored.
    void rowsTouched(Dataset* dataset);
    // A statement failed: the transaction it ran in can no longer be committed.
    void statementFailed();
    void commitTransaction();
    void rollbackTransaction();

    // Whether the server has dropped this connection (it restarted, an administrator ended
    // the session): a PostgreSQL connection whose link is broken. The embedded store is
    // never lost.
    bool lost() const;
    // After an action failed: every connection the server dropped is let go without a
    // word, its datasets keeping what they show, and the next statement opens it again
    // with the same server and credentials. True when one was dropped since the last call:
    // the action failed because the server went away.
    static bool takeLoss();

    // Runs one statement that returns no rows; throws StoreError.
    void execDirect(const QString& sql);

    // The connections of the calling thread.
    static const QList<Connection*>& all();
    // How many times a statement of this program has begun to wait for another program's
    // lock on the embedded store.
    static quint64 lockWaitsBegun();

signals:
    void aboutToClose();

private:
    // New numbers are taken only through newNumber (numbers.h), which holds this lock
    // while it reads the highest number.
    friend qint64 newNumber(Connection& connection, const QString& table, const QString& column,
                            const Filter& scope, NumberRule rule);
    friend void lockForOwnNumbers(Connection& connection, const QString& table);
    // Begins the action's write transaction, with the table locked against the numbering
    // and the writes of other workstations until the action ends.
    void lockForNumbering(const QString& table);

    void beginTransaction();
    void prepareDatabase();
    // What the engine's quick check finds wrong in the embedded store; empty when nothing.
    QString damage();
    StoreError damaged(const QString& detail) const;

    QString m_server;
    QString m_name;
    Resolver m_resolver;
    ConnectionTarget m_target;
    bool m_open = false;
    bool m_inTransaction = false;
    bool m_failed = false;
    QList<QPointer<Dataset>> m_touched;
    QStringList m_locked;
    bool m_wasLost = false;

    void dropLost();
    // Whether the server has closed this PostgreSQL session: Qt's driver let it go, or its
    // link reads as broken once what the server sent is read (without waiting).
    bool endedByServer() const;
};
