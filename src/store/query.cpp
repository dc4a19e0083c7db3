#include "query.h"

#include "connection.h"
#include "rowreader.h"
#include "statement.h"
#include "storeerror.h"
#include "values.h"

#include <QSqlError>
#include <QSqlQuery>
#include <algorithm>
#include <numeric>

namespace {

// The order of rows by some of their columns, each column looked at once: a column of whole
// numbers or of texts alone is compared as such, any other as QVariant::compare compares it.
template <typename Rows> class RowOrder {
public:
    RowOrder(const Rows& rows, const QList<int>& columns)
        : m_rows(rows) {
        for (int c : columns) {
            Column column{c, {}, {}};
            const auto all = [&](QMetaType::Type type) {
                return std::all_of(rows.cbegin(), rows.cend(), [&](const auto& row) {
                    return !row.values[c].isNull() && row.values[c].typeId() == type;
                });
            };
            if (all(QMetaType::LongLong)) {
                column.numbers.reserve(rows.size());
                for (const auto& row : rows)
                    column.numbers.append(
                        *static_cast<const qlonglong*>(row.values[c].constData()));
            } else if (all(QMetaType::QString)) {
                column.texts.reserve(rows.size());
                for (const auto& row : rows)
                    column.texts.append(static_cast<const QString*>(row.values[c].constData()));
            }
            m_columns.append(std::move(column));
        }
    }

    // The order of the rows at places `a` and `b`.
    QPartialOrdering compare(qsizetype a, qsizetype b) const {
        for (const Column& column : m_columns) {
            int order = 0;
            if (!column.numbers.isEmpty())
                order = column.numbers[a] < column.numbers[b]
                            ? -1
                            : (column.numbers[b] < column.numbers[a] ? 1 : 0);
            else if (!column.texts.isEmpty())
                order = column.texts[a]->compare(*column.texts[b]);
            else {
                const QPartialOrdering o = QVariant::compare(m_rows[a].values[column.index],
                                                             m_rows[b].values[column.index]);
                if (o != QPartialOrdering::Equivalent)
                    return o;
            }
            if (order != 0)
                return order < 0 ? QPartialOrdering::Less : QPartialOrdering::Greater;
        }
        return QPartialOrdering::Equivalent;
    }

private:
    struct Column {
        int index;
        QVector<qlonglong> numbers;
        QVector<const QString*> texts;
    };
    const Rows& m_rows;
    QVector<Column> m_columns;
};

// Whether two rows hold the same first `count` values as the engines group them: texts
// without regard to case.
bool sameGroup(const QVector<QVariant>& a, const QVector<QVariant>& b, qsizetype count) {
    for (qsizetype i = 0; i < count; ++i) {
        const QVariant& x = a[i];
        const QVariant& y = b[i];
        if (x.isNull() || y.isNull()) {
            if (x.isNull() != y.isNull())
                return false;
        } else if (x.typeId() == QMetaType::QString && y.typeId() == QMetaType::QString) {
            if (x.toString().compare(y.toString(), Qt::CaseInsensitive) != 0)
                return false;
        } else if (x != y) {
            return false;
        }
    }
    return true;
}

} // namespace

Query::Query(Connection* connection, const QString& sql, QObject* parent)
    : Dataset(connection, parent)
    , m_sql(sql)
    , m_positional(toPositional(sql)) {
    for (int i = 0; i < m_positional.parameterCount; ++i)
        m_params.append(QVariant());
}

void Query::setTextFor(Engine engine, const QString& sql) {
    const PositionalSql text = toPositional(sql);
    if (text.parameterCount != m_positional.parameterCount)
        throw StoreError(QStringLiteral("%1: la consulta lleva %2 parámetros, no %3")
                             .arg(objectName())
                             .arg(m_positional.parameterCount)
                             .arg(text.parameterCount));
    m_engineTexts.insert(int(engine), text.text);
}

const QString& Query::statementText() const {
    const auto it = m_engineTexts.constFind(int(connection()->engine()));
    return it != m_engineTexts.cend() ? *it : m_positional.text;
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
    auto it = m_columns.constFind(field);
    if (it == m_columns.cend()) // written in another case than the engine names it
        it = m_columns.insert(field, m_columns.value(field.toLower(), -1));
    return *it >= 0 && *it < m_values.size() ? m_values[*it] : QVariant();
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
    QStringList names;
    QVector<std::optional<ColumnType>> columnTypes;
    QVector<Row> rows;
    {
        RowReader reader(*connection(), statementText(), boundParams());
        names = reader.names();
        for (const QString& name : names)
            columnTypes.append(resultType(name));
        const int count = int(names.size());
        while (reader.next()) {
            Row row;
            row.values.reserve(count + m_computed.size());
            for (int i = 0; i < count; ++i)
                row.values.append(fromStored(reader.value(i), columnTypes[i]));
            rows.append(std::move(row));
        }
    }
    const qsizetype readColumns = names.size();
    for (const Computed& field : m_computed) {
        names.append(field.name);
        columnTypes.append(field.type);
    }
    if (!m_computed.isEmpty()) {
        // Each name by its first place, as a name the engine lists twice is read.
        QHash<QString, int> columns;
        for (int i = int(names.size()) - 1; i >= 0; --i) {
            columns.insert(names[i], i);
            columns.insert(names[i].toLower(), i);
        }
        for (Row& row : rows) {
            for (const Computed& field : m_computed) {
                const QVariant value = field.compute(RowValues(columns, row.values));
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
        // The places of the rows are sorted, the rows moved once into their order.
        const RowOrder order(rows, columns);
        QVector<qsizetype> places(rows.size());
        std::iota(places.begin(), places.end(), 0);
        std::stable_sort(places.begin(), places.end(), [&](qsizetype a, qsizetype b) {
            return order.compare(a, b) == QPartialOrdering::Less;
        });
        // A repeated row stands among the rows of its place in the order: each is compared
        // with the rows kept before it there.
        QVector<qsizetype> kept;
        kept.reserve(places.size());
        qsizetype placeStart = 0;
        for (const qsizetype p : places) {
            if (m_distinct) {
                if (kept.isEmpty() || order.compare(kept.last(), p) != QPartialOrdering::Equivalent)
                    placeStart = kept.size();
                bool repeated = false;
                for (qsizetype k = placeStart; k < kept.size() && !repeated; ++k)
                    repeated = sameGroup(rows[kept[k]].values, rows[p].values, readColumns);
                if (repeated)
                    continue;
            }
            kept.append(p);
        }
        QVector<Row> sorted;
        sorted.reserve(kept.size());
        for (const qsizetype p : kept)
            sorted.append(std::move(rows[p]));
        rows = std::move(sorted);
    } else if (m_distinct) {
        throw StoreError(
            QStringLiteral("%1: filas sin repetir sin un orden de filas").arg(objectName()));
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
    QSqlQuery q = runStatement(*connection(), statementText(), boundParams());
    const int affected = q.numRowsAffected();
    q.finish();
    return affected;
}
