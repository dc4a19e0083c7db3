#pragma once

#include <QString>
#include <QStringList>
#include <QVariantList>

class Connection;

// Rows of one table gathered and written many to a statement ("insert ... values (...),
// (...)"), so that a store across the network takes one round trip for hundreds of rows.
// The values are bound as in any other statement of the program, and written inside the
// current user action like any other write. Rows still gathered are written by flush(), not
// by the destructor: a failed write must reach the caller.
class BulkRows {
public:
    BulkRows(Connection& connection, const QString& table, const QStringList& columns);

    void add(const QVariantList& row);
    void flush();
    qsizetype written() const { return m_written; }

private:
    void write(qsizetype rows);

    Connection& m_connection;
    QString m_head;
    QString m_oneRow;
    qsizetype m_columns;
    qsizetype m_perStatement;
    QVariantList m_pending;
    qsizetype m_written = 0;
};
