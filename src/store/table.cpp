#include "table.h"

#include "connection.h"
#include "core/datetext.h"
#include "core/error.h"
#include "core/money.h"
#include "statement.h"
#include "storeerror.h"
#include "values.h"

#include <QSqlError>
#include <QSqlQuery>

namespace {

// A value set into a field, turned into the form the column holds.
QVariant toColumnValue(const QVariant& value, const ColumnDef& column) {
    if (value.isNull() || !value.isValid())
        return {};
    const bool isText = value.typeId() == QMetaType::QString;
    switch (column.type) {
    case ColumnType::DateTime:
        if (isText) {
            const QString t = value.toString();
            if (t.isEmpty())
                return {};
            return variantDateTime(dateFromText(t));
        }
        return variantDateTime(value);
    case ColumnType::Money:
        if (isText) {
            if (value.toString().trimmed().isEmpty())
                return {};
            return QVariant::fromValue(Money::parse(value.toString()));
        }
        return QVariant::fromValue(variantMoney(value));
    case ColumnType::Integer:
        if (isText && value.toString().trimmed().isEmpty())
            return {};
        return qlonglong(variantInteger(value));
    case ColumnType::Float:
        if (isText && value.toString().trimmed().isEmpty())
            return {};
        return variantNumber(value);
    case ColumnType::Text:
    case ColumnType::Memo:
        return variantText(value);
    }
    return value;
}

StoreError rowGone() {
    return StoreError(QStringLiteral(
        "El registro fue cambiado o eliminado desde otro puesto; vuelva a leer los datos"));
}

} // namespace

Table::Table(Connection* connection, const QString& tableName, QObject* parent)
    : Dataset(connection, parent)
    , m_def(findTable(tableName)) {
    if (!m_def)
        throw StoreError(QStringLiteral("No existe la tabla %1").arg(tableName));
}

Table::~Table() {
    if (m_master)
        m_master->removeDetail(this);
}

int Table::column(const QString& name) const {
    for (int i = 0; i < m_def->columns.size(); ++i)
        if (m_def->columns[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    throw StoreError(QStringLiteral("%1: no existe el campo \"%2\"").arg(m_def->name, name));
}

QStringList Table::keyColumns() const {
    return m_def->indexes.isEmpty() ? QStringList() : m_def->indexes.first().columns;
}

QString Table::rowIdSelect() const {
    return connection()->engine() == Engine::SQLite ? QStringLiteral("rowid")
                                                    : QStringLiteral("ctid::text");
}

QString Table::rowIdExpression() const {
    return connection()->engine() == Engine::SQLite ? QStringLiteral("rowid")
                                                    : QStringLiteral("ctid");
}

void Table::setState(State state) {
    if (m_state == state)
        return;
    m_state = state;
    emit stateChanged(state);
}

void Table::open() {
    close();
    connection()->ensureOpen();
    read(0);
    setState(State::Browse);
    markOpen();
}

QString Table::selectSql(QVariantList& params, bool& noRows) const {
    QStringList columns{rowIdSelect()};
    for (const ColumnDef& c : m_def->columns)
        columns.append(quotedName(c.name));
    QStringList conditions;
    if (m_filtered && !m_filter.isEmpty()) {
        QString expr;
        for (const Filter::Term& t : m_filter.terms()) {
            if (!expr.isEmpty())
                expr += t.orWithPrevious ? QStringLiteral(" OR ") : QStringLiteral(" AND ");
            expr += quotedName(m_def->columns[column(t.field)].name) + QStringLiteral(" = ?");
            params.append(t.value);
        }
        conditions.append(QLatin1Char('(') + expr + QLatin1Char(')'));
    }
    noRows = false;
    if (m_master) {
        const std::optional<QVariantList> link = masterLink();
        if (!link) {
            noRows = true;
        } else {
            for (int i = 0; i < m_detailFields.size(); ++i) {
                conditions.append(quotedName(m_def->columns[column(m_detailFields[i])].name) +
                                  QStringLiteral(" = ?"));
                params.append(link->at(i));
            }
        }
    }
    QString sql = QStringLiteral("SELECT %1 FROM %2")
                      .arg(columns.join(QStringLiteral(", ")), quotedName(m_def->name));
    if (!conditions.isEmpty())
        sql += QStringLiteral(" WHERE ") + conditions.join(QStringLiteral(" AND "));
    // Rows come in the order asked for, else in key order, as both engines keep it.
    QStringList order;
    for (const QString& c : m_order.isEmpty() ? keyColumns() : m_order)
        order.append(quotedName(m_def->columns[column(c)].name));
    order.append(rowIdExpression());
    sql += QStringLiteral(" ORDER BY ") + order.join(QStringLiteral(", "));
    return sql;
}

void Table::read(int keepRow) {
    m_linkValues = m_master ? masterLink() : std::nullopt;
    m_linkRead = true;
    QVariantList params;
    bool noRows = false;
    const QString sql = selectSql(params, noRows);
    QVector<std::optional<ColumnType>> columnTypes;
    for (const ColumnDef& c : m_def->columns)
        columnTypes.append(c.type);
    QVector<Row> rows;
    if (!noRows) {
        QSqlQuery q = runStatement(*connection(), sql, params);
        const int n = int(m_def->columns.size());
        while (q.next()) {
            Row row;
            row.rowId = q.value(0);
            row.values.reserve(n);
            for (int i = 0; i < n; ++i)
                row.values.append(fromStored(q.value(i + 1), m_def->columns[i].type));
            rows.append(std::move(row));
        }
        if (q.lastError().isValid())
            throw StoreError(engineMessage(q.lastError()));
        q.finish();
    }
    setContent(m_def->columnNames(), columnTypes, std::move(rows), keepRow);
}

void Table::refresh() {
    if (!isOpen()) {
        open();
        return;
    }
    leavingRow();
    readKeepingRow();
}

void Table::readAgainAfterRollback() {
    if (!isOpen())
        return;
    if (m_state == State::Edit || m_state == State::Insert) {
        m_buffer.clear();
        setState(State::Browse);
    }
    readKeepingRow();
}

void Table::readKeepingRow() {
    const int keep = currentRow();
    const Row before = keep >= 0 ? rows()[keep] : Row();
    read(0);
    if (keep < 0)
        return;
    // The same row by its identity, else (changed elsewhere, the engine gave it a new
    // one) by its key.
    auto sameKey = [&](const Row& r) {
        for (const QString& k : keyColumns()) {
            const int i = column(k);
            if (r.values[i] != before.values[i])
                return false;
        }
        return true;
    };
    int found = -1;
    for (int r = 0; r < rowCount() && found < 0; ++r)
        if (rows()[r].rowId == before.rowId)
            found = r;
    for (int r = 0; r < rowCount() && found < 0; ++r)
        if (sameKey(rows()[r]))
            found = r;
    moveTo(found >= 0 ? found : qMin(keep, rowCount() - 1));
}

void Table::setFilter(const Filter& filter) {
    for (const Filter::Term& t : filter.terms())
        column(t.field); // an unknown column is refused now, not at the next read
    const bool changed = !(filter == m_filter);
    m_filter = filter;
    if (changed && m_filtered && isOpen()) {
        leavingRow();
        read(0);
    }
}

void Table::setFilterText(const QString& expression) {
    setFilter(Filter::parse(expression));
}

void Table::setFiltered(bool filtered) {
    if (filtered == m_filtered)
        return;
    m_filtered = filtered;
    if (isOpen()) {
        leavingRow();
        read(0);
    }
}

void Table::setOrder(const QStringList& columns) {
    for (const QString& c : columns)
        column(c);
    m_order = columns;
}

void Table::setMaster(Dataset* master, const QStringList& masterFields,
                      const QStringList& detailFields) {
    if (masterFields.size() != detailFields.size())
        throw StoreError(QStringLiteral("%1: enlace con campos desiguales").arg(m_def->name));
    for (const QString& f : detailFields)
        column(f);
    if (m_master)
        m_master->removeDetail(this);
    m_master = master;
    m_masterFields = masterFields;
    m_detailFields = detailFields;
    m_linkRead = false;
    if (master)
        master->addDetail(this);
}

std::optional<QVariantList> Table::masterLink() const {
    if (!m_master || !m_master->isOpen() || m_master->currentRow() < 0)
        return std::nullopt;
    QVariantList values;
    for (const QString& f : m_masterFields)
        values.append(m_master->value(f));
    return values;
}

void Table::masterMoved() {
    if (!isOpen())
        return;
    const std::optional<QVariantList> link = masterLink();
    if (m_linkRead && link == m_linkValues)
        return; // the same rows
    leavingRow();
    read(0);
}

void Table::masterGone() {
    m_master = nullptr;
}

QVariant Table::value(const Field& field) const {
    if (m_state == State::Edit || m_state == State::Insert)
        return m_buffer.value(requireField(field));
    return Dataset::value(field);
}

void Table::append() {
    if (!isOpen())
        throw StoreError(QStringLiteral("%1: la tabla no está abierta").arg(m_def->name));
    leavingRow();
    m_rowBeforeAppend = currentRow();
    Row row;
    row.values.resize(m_def->columns.size());
    m_buffer = row.values;
    const int at = rowCount();
    insertRow(at, std::move(row), at);
    setState(State::Insert);
}

void Table::edit() {
    if (m_state == State::Edit || m_state == State::Insert)
        return;
    if (!isOpen() || currentRow() < 0)
        throw StoreError(QStringLiteral("%1: no hay registro para modificar").arg(m_def->name));
    m_buffer = rows()[currentRow()].values;
    setState(State::Edit);
}

void Table::setField(const QString& field, const QVariant& value) {
    if (m_state != State::Edit && m_state != State::Insert)
        throw StoreError(
            QStringLiteral("%1: el registro no está en modificación").arg(m_def->name));
    const int c = column(field);
    m_buffer[c] = toColumnValue(value, m_def->columns[c]);
    rowValuesChangedAt(currentRow());
}

void Table::post() {
    if (m_state != State::Edit && m_state != State::Insert)
        return;
    Connection& conn = *connection();
    const int n = int(m_def->columns.size());
    Row& row = rows()[currentRow()];
    QString sql;
    QVariantList params;
    if (m_state == State::Insert) {
        QStringList names, marks;
        for (int i = 0; i < n; ++i) {
            names.append(quotedName(m_def->columns[i].name));
            marks.append(QStringLiteral("?"));
            params.append(m_buffer[i]);
        }
        sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                  .arg(quotedName(m_def->name), names.join(QStringLiteral(", ")),
                       marks.join(QStringLiteral(", ")));
    } else {
        QStringList sets;
        QList<int> changed;
        for (int i = 0; i < n; ++i) {
            if (m_buffer[i] == row.values[i] && m_buffer[i].isNull() == row.values[i].isNull())
                continue;
            sets.append(quotedName(m_def->columns[i].name) + QStringLiteral(" = ?"));
            params.append(m_buffer[i]);
            changed.append(i);
        }
        if (sets.isEmpty()) {
            setState(State::Browse);
            return;
        }
        sql = QStringLiteral("UPDATE %1 SET %2 WHERE ")
                  .arg(quotedName(m_def->name), sets.join(QStringLiteral(", "))) +
              sameRow(row, changed, params);
    }
    sql += QStringLiteral(" RETURNING ") + rowIdSelect();
    conn.aboutToWrite();
    QSqlQuery q = runStatement(conn, sql, params);
    QVariant newId;
    if (q.next())
        newId = q.value(0);
    q.finish();
    if (!newId.isValid() || newId.isNull())
        throw rowGone();
    row.rowId = newId;
    row.values = m_buffer;
    conn.rowsTouched(this);
    setState(State::Browse);
    rowValuesChangedAt(currentRow());
}

void Table::cancel() {
    if (m_state == State::Insert) {
        setState(State::Browse);
        removeRow(currentRow(), m_rowBeforeAppend);
    } else if (m_state == State::Edit) {
        setState(State::Browse);
        rowValuesChangedAt(currentRow());
    }
    m_buffer.clear();
}

void Table::remove() {
    if (m_state == State::Insert) {
        cancel();
        return;
    }
    if (m_state == State::Edit)
        cancel();
    if (!isOpen() || currentRow() < 0)
        throw StoreError(QStringLiteral("%1: no hay registro para eliminar").arg(m_def->name));
    Connection& conn = *connection();
    conn.aboutToWrite();
    const int at = currentRow();
    QVariantList params;
    const QString where = sameRow(rows()[at], {}, params);
    QSqlQuery q =
        runStatement(conn,
                     QStringLiteral("DELETE FROM %1 WHERE ").arg(quotedName(m_def->name)) + where +
                         QStringLiteral(" RETURNING ") + rowIdSelect(),
                     params);
    const bool removed = q.next();
    q.finish();
    if (!removed)
        throw rowGone();
    removeRow(at, qMin(at, rowCount() - 2));
}

QString Table::sameRow(const Row& row, const QList<int>& alsoColumns, QVariantList& params) const {
    QList<int> columns;
    for (const QString& k : keyColumns())
        columns.append(column(k));
    for (int c : alsoColumns)
        if (!columns.contains(c))
            columns.append(c);
    const bool pg = connection()->engine() == Engine::PostgreSQL;
    const QString same = pg ? QStringLiteral(" IS NOT DISTINCT FROM ?") : QStringLiteral(" IS ?");
    QString criteria;
    QVariantList values;
    for (int c : columns) {
        // Texts and whole numbers compare exactly on both engines; amounts, dates and
        // floats may be written in more than one form. A text changed elsewhere only in
        // its capitals is changed too, so texts compare here with regard to case.
        const ColumnType type = m_def->columns[c].type;
        const bool text = type == ColumnType::Text || type == ColumnType::Memo;
        if (!text && type != ColumnType::Integer)
            continue;
        QString column = quotedName(m_def->columns[c].name);
        if (text)
            column += pg ? QStringLiteral("::text") : QStringLiteral(" COLLATE BINARY");
        criteria += QStringLiteral(" AND ") + column + same;
        values.append(row.values[c]);
    }
    const QString id = rowIdExpression();
    params.append(row.rowId);
    if (criteria.isEmpty())
        return id + QStringLiteral(" = ?");
    // The row read, if it still holds what was read; else (the engine gave it a new row
    // number when another workstation changed other columns) a row that does.
    params += values;
    params += values;
    const QString table = quotedName(m_def->name);
    return QStringLiteral("%1 = COALESCE((SELECT %1 FROM %2 WHERE %1 = ?%3), (SELECT %1 FROM %2 "
                          "WHERE 1 = 1%3 LIMIT 1))")
        .arg(id, table, criteria);
}

void Table::leavingRow() {
    if (m_state == State::Edit || m_state == State::Insert)
        post();
}

void Table::clearing() {
    if (m_state == State::Edit || m_state == State::Insert) {
        m_state = State::Browse;
        m_buffer.clear();
    }
    setState(State::Inactive);
}
