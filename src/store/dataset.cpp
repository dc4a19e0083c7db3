#include "dataset.h"

#include "connection.h"
#include "core/money.h"
#include "storeerror.h"
#include "values.h"

Dataset::Dataset(Connection* connection, QObject* parent)
    : QObject(parent)
    , m_connection(connection) {
    // A closing connection closes its datasets, as the rows read through it end with it.
    connect(connection, &Connection::aboutToClose, this, &Dataset::close);
}

Dataset::~Dataset() {
    for (DetailLink* d : m_details)
        d->masterGone();
}

void Dataset::addDetail(DetailLink* detail) {
    if (!m_details.contains(detail))
        m_details.append(detail);
}

void Dataset::removeDetail(DetailLink* detail) {
    m_details.removeAll(detail);
}

void Dataset::moveDetails() {
    for (DetailLink* d : m_details)
        d->masterMoved();
}

void Dataset::rowValuesChangedAt(int row) {
    emit rowValuesChanged(row);
    if (row == m_current)
        moveDetails();
}

void Dataset::close() {
    if (!m_open)
        return;
    clearing();
    emit rowsAboutToReset();
    m_open = false;
    m_rows.clear();
    m_current = -1;
    m_bof = m_eof = true;
    emit rowsReset();
    emit closed();
    moveDetails();
}

void Dataset::setContent(QStringList names, QVector<std::optional<ColumnType>> types,
                         QVector<Row> rows, int current) {
    m_connection->rowsTouched(this); // rows that an undone action may have shaped
    emit rowsAboutToReset();
    m_names = std::move(names);
    m_types = std::move(types);
    m_index.clear();
    for (int i = 0; i < m_names.size(); ++i) // a repeated name finds its first column
        if (!m_index.contains(m_names[i].toLower()))
            m_index.insert(m_names[i].toLower(), i);
    m_rows = std::move(rows);
    m_current = m_rows.isEmpty() ? -1 : qBound(0, current, int(m_rows.size()) - 1);
    emit rowsReset();
    showCurrent(current);
}

void Dataset::insertRow(int at, Row row, int current) {
    m_connection->rowsTouched(this);
    emit rowAboutToBeInserted(at);
    m_rows.insert(at, std::move(row));
    emit rowInserted(at);
    showCurrent(current);
}

void Dataset::removeRow(int at, int current) {
    m_connection->rowsTouched(this);
    emit rowAboutToBeRemoved(at);
    m_rows.removeAt(at);
    emit rowRemoved(at);
    showCurrent(current);
}

void Dataset::showCurrent(int current) {
    m_current = m_rows.isEmpty() ? -1 : qBound(0, current, int(m_rows.size()) - 1);
    m_bof = m_current <= 0;
    m_eof = m_rows.isEmpty();
    emit currentChanged(m_current);
    moveDetails();
}

void Dataset::markOpen() {
    m_open = true;
    emit opened();
    moveDetails();
}

void Dataset::setCurrent(int row) {
    if (row == m_current)
        return;
    m_current = row;
    emit currentChanged(row);
    moveDetails();
}

void Dataset::first() {
    leavingRow();
    m_bof = true;
    m_eof = m_rows.isEmpty();
    setCurrent(m_rows.isEmpty() ? -1 : 0);
}

void Dataset::last() {
    leavingRow();
    m_eof = true;
    m_bof = m_rows.isEmpty();
    setCurrent(int(m_rows.size()) - 1);
}

void Dataset::next() {
    leavingRow();
    m_bof = false;
    if (m_current + 1 >= m_rows.size()) {
        m_eof = true;
        return;
    }
    m_eof = false;
    setCurrent(m_current + 1);
}

void Dataset::prior() {
    leavingRow();
    m_eof = false;
    if (m_current <= 0) {
        m_bof = true;
        return;
    }
    m_bof = false;
    setCurrent(m_current - 1);
}

void Dataset::moveTo(int row) {
    if (row < 0 || row >= m_rows.size())
        return;
    leavingRow();
    m_bof = m_eof = false;
    setCurrent(row);
}

bool Dataset::locate(const QString& field, const QVariant& value) {
    const int column = requireField(field);
    const QString wanted = variantText(value);
    for (int r = 0; r < m_rows.size(); ++r) {
        // As the engines compare texts: without regard to case.
        if (variantText(m_rows[r].values[column]).compare(wanted, Qt::CaseInsensitive) == 0) {
            moveTo(r);
            return true;
        }
    }
    return false;
}

int Dataset::fieldIndex(const QString& field) const {
    return m_index.value(field.toLower(), -1);
}

int Dataset::requireField(const Field& field) const {
    const int i = field.byPosition() ? (field.position() < fieldCount() ? field.position() : -1)
                                     : fieldIndex(field.name());
    if (i < 0)
        throw StoreError(
            QStringLiteral("%1: no existe el campo \"%2\"").arg(objectName(), field.describe()));
    return i;
}

QVariant Dataset::value(const Field& field) const {
    const int column = requireField(field);
    if (m_current < 0)
        return {};
    return m_rows[m_current].values[column];
}

QVariant Dataset::valueAt(int row, int column) const {
    if (row < 0 || row >= m_rows.size() || column < 0 || column >= m_names.size())
        return {};
    return m_rows[row].values[column];
}

QString Dataset::text(const Field& field) const {
    return variantText(value(field));
}

qint64 Dataset::integer(const Field& field) const {
    return variantInteger(value(field));
}

double Dataset::number(const Field& field) const {
    return variantNumber(value(field));
}

Money Dataset::money(const Field& field) const {
    return variantMoney(value(field));
}

QDate Dataset::date(const Field& field) const {
    return variantDateTime(value(field)).date();
}

QDateTime Dataset::dateTime(const Field& field) const {
    return variantDateTime(value(field));
}

bool Dataset::isNull(const Field& field) const {
    return value(field).isNull();
}
