#include "numbers.h"

#include "connection.h"
#include "core/error.h"
#include "core/numbering.h"
#include "core/wholenumber.h"
#include "schema.h"
#include "statement.h"
#include "storeerror.h"
#include "values.h"

#include <QSqlError>
#include <QSqlQuery>
#include <limits>
#include <optional>

namespace {

// An integer column holds what a 32-bit integer holds on both engines (PostgreSQL's
// INTEGER, the check of the embedded store's column).
constexpr qint64 largestInteger = std::numeric_limits<qint32>::max();

const ColumnDef& requireColumn(const TableDef& table, const QString& name) {
    const ColumnDef* column = table.column(name);
    if (!column)
        throw StoreError(QStringLiteral("%1: no existe el campo \"%2\"").arg(table.name, name));
    return *column;
}

const char* ruleName(NumberRule rule) {
    switch (rule) {
    case NumberRule::Highest:
        return "el mayor número más uno";
    case NumberRule::Count:
        return "la cantidad de registros más uno";
    case NumberRule::HighestAsNumber:
        return "el mayor número escrito más uno";
    }
    return "";
}

void requireNumberable(const TableDef& table, const ColumnDef& column, NumberRule rule) {
    const ColumnType wanted =
        rule == NumberRule::HighestAsNumber ? ColumnType::Text : ColumnType::Integer;
    if (column.type != wanted)
        throw StoreError(QStringLiteral("%1.%2 no se numera como %3")
                             .arg(table.name, column.name, QLatin1String(ruleName(rule))));
}

// A scope value as the column it is compared with holds it, so that both engines compare
// alike: a whole number for an integer column.
QVariant scopeValue(const TableDef& table, const ColumnDef& column, const QString& value) {
    if (column.type == ColumnType::Integer) {
        const auto number = tryParseWhole(value);
        if (!number)
            throw ConversionError(QStringLiteral("%1.%2: \"%3\" no es un número entero")
                                      .arg(table.name, column.name, value));
        return qlonglong(*number);
    }
    return paramForColumn(value, column.type);
}

// " WHERE (...)" for the scope, its terms joined as a table's filter joins them.
QString whereClause(const TableDef& table, const Filter& scope, QVariantList& params) {
    if (scope.isEmpty())
        return {};
    QString expression;
    for (const Filter::Term& term : scope.terms()) {
        const ColumnDef& column = requireColumn(table, term.field);
        if (!expression.isEmpty())
            expression += term.orWithPrevious ? QStringLiteral(" OR ") : QStringLiteral(" AND ");
        expression += quotedName(column.name) + QStringLiteral(" = ?");
        params.append(scopeValue(table, column, term.value));
    }
    return QStringLiteral(" WHERE (") + expression + QLatin1Char(')');
}

// A read that ended in an error: the action cannot be committed.
[[noreturn]] void readFailed(Connection& connection, const QSqlQuery& q) {
    const QString message = engineMessage(q.lastError());
    connection.statementFailed();
    throw StoreError(message);
}

// The one value a statement reads (a max or a count); null for the max of no rows.
QVariant readValue(Connection& connection, const QString& sql, const QVariantList& params) {
    QSqlQuery q = runStatement(connection, sql, params);
    if (!q.next())
        readFailed(connection, q);
    const QVariant value = q.value(0);
    q.finish();
    return value;
}

} // namespace

qint64 newNumber(Connection& connection, const QString& table, const QString& column,
                 const Filter& scope, NumberRule rule) {
    const TableDef* def = findTable(table);
    if (!def)
        throw StoreError(QStringLiteral("No existe la tabla %1").arg(table));
    const ColumnDef& numbered = requireColumn(*def, column);
    requireNumberable(*def, numbered, rule);
    QVariantList params;
    const QString where = whereClause(*def, scope, params);

    connection.lockForNumbering(def->name);

    const QString from = QStringLiteral(" FROM ") + quotedName(def->name) + where;
    const QString name = quotedName(numbered.name);
    std::optional<qint64> highest;
    switch (rule) {
    case NumberRule::Highest:
    case NumberRule::Count: {
        const QString select = rule == NumberRule::Highest
                                   ? QStringLiteral("SELECT max(%1)").arg(name)
                                   : QStringLiteral("SELECT count(*)");
        const QVariant value = readValue(connection, select + from, params);
        if (!value.isNull())
            highest = variantInteger(value);
        break;
    }
    case NumberRule::HighestAsNumber: {
        // Compared here, not by the engine, so that both engines read a text as the same
        // number (or as none).
        QSqlQuery q = runStatement(
            connection,
            QStringLiteral("SELECT %1").arg(name) + from +
                (where.isEmpty() ? QStringLiteral(" WHERE ") : QStringLiteral(" AND ")) + name +
                QStringLiteral(" IS NOT NULL"),
            params);
        while (q.next())
            if (const auto number = tryParseWhole(q.value(0).toString()))
                highest = highest ? qMax(*highest, *number) : *number;
        if (q.lastError().isValid())
            readFailed(connection, q);
        q.finish();
        break;
    }
    }

    const qint64 next = nextNumber(highest);
    if (numbered.type == ColumnType::Integer && next > largestInteger)
        throw ConversionError(
            QStringLiteral("%1.%2: no quedan números libres").arg(def->name, numbered.name));
    return next;
}

qint64 newNumber(Connection& connection, const QString& table, const QString& column,
                 const Filter& scope, const QList<NumberHolders>& holders) {
    // The numbered table first: its lock keeps other workstations from the same number
    // while the holders are read.
    qint64 next = newNumber(connection, table, column, scope, NumberRule::Highest);
    for (const NumberHolders& holder : holders) {
        const TableDef* def = findTable(holder.table);
        if (!def)
            throw StoreError(QStringLiteral("No existe la tabla %1").arg(holder.table));
        const ColumnDef& held = requireColumn(*def, holder.column);
        requireNumberable(*def, held, NumberRule::Highest);
        QVariantList params;
        const QString where = whereClause(*def, holder.scope, params);
        const QVariant value =
            readValue(connection,
                      QStringLiteral("SELECT max(%1) FROM %2")
                              .arg(quotedName(held.name), quotedName(def->name)) +
                          where,
                      params);
        if (!value.isNull())
            next = qMax(next, nextNumber(variantInteger(value)));
    }
    if (next > largestInteger)
        throw ConversionError(QStringLiteral("%1.%2: no quedan números libres").arg(table, column));
    return next;
}

void lockForOwnNumbers(Connection& connection, const QString& table) {
    connection.lockForNumbering(table);
}
