#include "query.h"

#include "connection.h"
#include "statement.h"
#include "storeerror.h"
#include "values.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

Query::Query(Connection* connection, const QString& sql, QObject* parent)
    : Dataset(connection, parent)
    , m_sql(sql)
    , m_positional(toPositional(sql)) {
    for (int i = 0; i < m_positional.parameterCount; ++i)
        m_params.append(QVariant());
}

void Query::setParam(int position, const QVariant& value) {
    if (position < 0 || position >= m_params.size())
        throw StoreError(
            QStringLiteral("%1: no existe el parámetro %2").arg(objectName()).arg(position));
    m_params[position] = value;
}

void Query::setParams(const QVariantList& values) {
    for (int i = 0; i < values.size(); ++i)
        setParam(i, values[i]);
}

void Query::setFieldType(const QString& field, ColumnType type) {
    m_fieldTypes.insert(field.toLower(), type);
}

QVariantList Query::boundParams() const {
    QVariantList values;
    for (int i = 0; i < m_params.size(); ++i)
        values.append(
            paramForColumn(m_params[i], columnTypeByName(m_positional.parameterColumns.value(i))));
    return values;
}

void Query::open() {
    close();
    connection()->ensureOpen();
    QSqlQuery q = runStatement(*connection(), m_positional.text, boundParams());
    const QSqlRecord record = q.record();
    QStringList names;
    QVector<std::optional<ColumnType>> columnTypes;
    for (int i = 0; i < record.count(); ++i) {
        const QString name = record.fieldName(i);
        names.append(name);
        const auto it = m_fieldTypes.constFind(name.toLower());
        columnTypes.append(it != m_fieldTypes.cend() ? std::optional(*it) : columnTypeByName(name));
    }
    QVector<Row> rows;
    while (q.next()) {
        Row row;
        row.values.reserve(record.count());
        for (int i = 0; i < record.count(); ++i)
            row.values.append(fromStored(q.value(i), columnTypes[i]));
        rows.append(std::move(row));
    }
    if (q.lastError().isValid())
        throw StoreError(engineMessage(q.lastError()));
    // Keep no statement active: an unfinished read holds a lock on the embedded store.
    q.finish();
    setContent(names, columnTypes, std::move(rows));
    markOpen();
}

void Query::readAgainAfterRollback() {
    const int row = currentRow();
    open();
    moveTo(qMin(row, rowCount() - 1));
}

int Query::exec() {
    close();
    connection()->aboutToWrite();
    QSqlQuery q = runStatement(*connection(), m_positional.text, boundParams());
    const int affected = q.numRowsAffected();
    q.finish();
    return affected;
}
