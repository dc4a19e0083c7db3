#pragma once

#include <QSqlQuery>
#include <QStringList>
#include <QVariant>
#include <QVariantList>

class Connection;
struct pg_conn;
struct sqlite3;
struct sqlite3_stmt;
struct pg_result;

// The rows of one statement, read forward, each value as runStatement's query gives it:
// whole numbers as such, real numbers as their exact text, texts, bytes, NULL as null.
// The statement runs at construction; a failure throws StoreError with the engine's
// message, as runStatement does, and so does one met while reading on.
//
// The rows are read through the engine's own library. On the embedded store Qt's driver
// has the engine turn every text into UTF-16 and wraps every value twice: on a report of
// thousands of rows that took as long again as the engine's own work. On PostgreSQL it
// prepares, runs and drops each statement, three trips to the server instead of one, and
// reads every date through the local time. Without the engine's link (a driver that does
// not hand it out) the rows are read through Qt's driver.
class RowReader {
public:
    RowReader(Connection& connection, const QString& sql, const QVariantList& params);
    ~RowReader();
    RowReader(const RowReader&) = delete;
    RowReader& operator=(const RowReader&) = delete;

    // The columns' names as the engine gives them.
    const QStringList& names() const { return m_names; }
    // Moves to the next row; false after the last.
    bool next();
    // A text the same as the row before's in its column is that row's text, shared: a
    // report's rows repeat their unit's names and codes row after row.
    QVariant value(int column);

private:
    void runEmbedded(sqlite3* link, const QString& sql, const QVariantList& bound);
    void runOnServer(pg_conn* link, const QString& sql, const QVariantList& bound);
    QVariant serverValue(int column);
    // The text `text`, shared with the row before's value in the column when it is the same.
    QVariant shared(int column, const char* text, int size);

    Connection& m_connection;
    QStringList m_names;
    sqlite3_stmt* m_statement = nullptr;
    pg_result* m_result = nullptr;
    int m_row = -1;
    int m_rows = 0;
    QVector<unsigned> m_types; // each column's type on the server
    bool m_pending = false;    // the embedded store's first row, read at construction
    bool m_done = false;
    struct LastText {
        QByteArray bytes;
        QVariant value;
    };
    QVector<LastText> m_last; // each column's latest text
    QSqlQuery m_query;
};
