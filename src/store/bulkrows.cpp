#include "bulkrows.h"

#include "connection.h"
#include "statement.h"

#include <algorithm>

namespace {

// Both engines take at least 32,766 bound values in one statement.
constexpr qsizetype maxBoundValues = 30000;
constexpr qsizetype maxRows = 1000;

} // namespace

BulkRows::BulkRows(Connection& connection, const QString& table, const QStringList& columns)
    : m_connection(connection)
    , m_head(QStringLiteral("insert into %1 (%2) values ")
                 .arg(table, columns.join(QStringLiteral(", "))))
    , m_columns(columns.size())
    , m_perStatement(
          std::clamp<qsizetype>(maxBoundValues / std::max<qsizetype>(1, m_columns), 1, maxRows)) {
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
