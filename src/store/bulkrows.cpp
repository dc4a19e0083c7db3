#include "bulkrows.h"

#include "connection.h"
#include "statement.h"

#include <algorithm>

namespace {

// PostgreSQL takes 32,767 bound values in one statement. On SQLite, Qt's driver asks the
// name of every parameter as it binds it, which SQLite finds by walking the list of them:
// the time grows with the square of their number, so its statements stay short.
constexpr qsizetype maxBoundValuesPostgres = 30000;
constexpr qsizetype maxBoundValuesSqlite = 400;
constexpr qsizetype maxRows = 1000;

} // namespace

BulkRows::BulkRows(Connection& connection, const QString& table, const QStringList& columns)
    : m_connection(connection)
    , m_head(QStringLiteral("insert into %1 (%2) values ")
                 .arg(table, columns.join(QStringLiteral(", "))))
    , m_columns(columns.size())
    , m_perStatement(std::clamp<qsizetype>(
          (connection.engine() == Engine::SQLite ? maxBoundValuesSqlite : maxBoundValuesPostgres) /
              std::max<qsizetype>(1, m_columns),
          1, maxRows)) {
    QStringList marks(m_columns, QStringLiteral("?"));
    m_oneRow = QLatin1Char('(') + marks.join(QStringLiteral(", ")) + QLatin1Char(')');
}

void BulkRows::add(const QVariantList& row) {
    Q_ASSERT(row.size() == m_columns);
    m_pending += row;
    if (m_pending.size() >= m_perStatement * m_columns)
        write(m_perStatement);
}

void BulkRows::flush() {
    if (!m_pending.isEmpty())
        write(m_pending.size() / m_columns);
}

void BulkRows::write(qsizetype rows) {
    QString sql = m_head;
    sql.reserve(m_head.size() + rows * (m_oneRow.size() + 2));
    for (qsizetype r = 0; r < rows; ++r) {
        if (r > 0)
            sql += QStringLiteral(", ");
        sql += m_oneRow;
    }
    m_connection.aboutToWrite();
    runStatement(m_connection, sql, m_pending);
    m_pending.clear();
    m_written += rows;
}
