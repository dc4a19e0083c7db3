#include "query.h"

#include "connection.h"
#include "statement.h"
#include "storeerror.h"
#include "values.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <algorithm>

Query::Query(Connection* connection, const QString& sql, QObject* parent)
    : Dataset(connection, parent)
    , m_sql(sql)
    , m_positional(toPositional(sql)) {
    for (int i = 0; i < m_positional.parameterCount; ++i)
        m_params.append(QVariant());
}

Query* Query::make(Connection* connection, const char* name, const char* sql, QObject* parent) {
    auto* q = new Query(connection, QString::fromUtf8(sql), parent);
    q->setObjectName(QString::fromUtf8(name));
    return q;
}

void Query::setParam(int position, const QVariant& value) {
    if (position < 0 || position >= m_params.size())
        throw StoreError(
            QStringLiteral("%1: no existe el parámetro %2").arg(objectName()).arg(position));
    m_params[position] = value;
}

void Query::setParams(const QVariantList& values) {
    // All at once: a value left over from the previous caller would be bound silently.
    if (values.size() != m_params.size())
        throw StoreError(QStringLiteral("%1: la consulta lleva %2 parámetros, no %3")
                             .arg(objectName())
                             .arg(m_params.size())
                             .arg(values.size()));
    for (int i = 0; i < values.size(); ++i)
        setParam(i, values[i]);
}

void Query::setFieldType(const QString& field, ColumnType type) {
    m_fieldTypes.insert(field.toLower(), type);
}

QVariant Query::RowValues::value(const QString& field) const {
    for (int i = 0; i < m_names.size() && i < m_values.size(); ++i)
        if (m_names[i].compare(field, Qt::CaseInsensitive) == 0)
            return m_values[i];
    return {};
}

void Query::addComputedField(const QString& name, ColumnType type, Compute compute) {
    m_computed.append({name, type, std::move(compute)});
}

QVariantList Query::boundParams() const {
    QVariantList values;
    for (int i = 0; i < m_params.size(); ++i)
        values.append(
            paramForColumn(m_params[i], columnTypeByName(m_positional.parameterColumns.value(i))));
    return values;
}

std::optional<ColumnType> Query::resultType(const QString& name) const {
    const QString key = name.toLower();
    if (const auto it = m_fieldTypes.constFind(key); it != m_fieldTypes.cend())
        return *it;
    // A computed column holds what the column it is made from holds.
    if (const auto it = m_positional.resultSources.constFind(key);
        it != m_positional.resultSources.cend()) {
        if (*it == QLatin1String("count(*)"))
            return ColumnType::Integer;
        if (const auto type = columnTypeByName(*it))
            return type;
    }
    return columnTypeByName(name);
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
        columnTypes.append(resultType(name));
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
    for (const Computed& field : m_computed) {
        names.append(field.name);
        columnTypes.append(field.type);
    }
    if (!m_computed.isEmpty()) {
        for (Row& row : rows) {
            for (const Computed& field : m_computed) {
                const QVariant value = field.compute(RowValues(names, row.values));
                row.values.append(value.isNull() ? QVariant() : fromStored(value, field.type));
            }
        }
    }
    if (!m_rowOrder.isEmpty()) {
        QList<int> columns;
        for (const QString& field : m_rowOrder) {
            const auto found = std::find_if(names.cbegin(), names.cend(), [&](const QString& n) {
                return n.compare(field, Qt::CaseInsensitive) == 0;
            });
            const int column = found == names.cend() ? -1 : int(found - names.cbegin());
            if (column < 0)
                throw StoreError(
                    QStringLiteral("%1: no existe el campo %2").arg(objectName(), field));
            columns.append(column);
        }
        std::stable_sort(rows.begin(), rows.end(), [&](const Row& a, const Row& b) {
            for (int column : columns) {
                const QPartialOrdering order =
                    QVariant::compare(a.values[column], b.values[column]);
                if (order == QPartialOrdering::Less)
                    return true;
                if (order == QPartialOrdering::Greater)
                    return false;
            }
            return false;
        });
    }
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
