#include "dbedit.h"

#include "guard.h"
#include "store/dataset.h"
#include "store/datasource.h"
#include "store/schema.h"
#include "store/table.h"

#include <optional>

namespace {

// The characters the field's column holds: a table's own column, or for a query the text
// columns of that name. Empty for any other field.
std::optional<int> textWidth(const DataSource* source, const QString& field) {
    if (!source)
        return std::nullopt;
    if (const auto* table = qobject_cast<const Table*>(source->dataset())) {
        const ColumnDef* column = table->definition().column(field);
        if (column && column->type == ColumnType::Text)
            return column->size;
        return std::nullopt;
    }
    return textWidthByName(field);
}

// What a line edit takes when nothing limits it.
constexpr int unlimited = 32767;

} // namespace

FieldLink::FieldLink(QWidget* box, std::function<QString()> read,
                     std::function<void(const QString&)> show)
    : QObject(box)
    , m_box(box)
    , m_read(std::move(read))
    , m_show(std::move(show)) {}

void FieldLink::bind(DataSource* source, const QString& field) {
    if (m_source)
        disconnect(m_source->dataset(), nullptr, this, nullptr);
    m_source = source;
    m_field = field;
    if (source) {
        Dataset* d = source->dataset();
        connect(d, &Dataset::currentChanged, this, &FieldLink::refresh);
        connect(d, &Dataset::rowsReset, this, &FieldLink::refresh);
        connect(d, &Dataset::rowValuesChanged, this, [this](int row) {
            if (row == m_source->dataset()->currentRow())
                refresh();
        });
    }
    refresh();
}

void FieldLink::refresh() {
    if (m_showing)
        return;
    m_showing = true;
    QString text;
    if (m_source) {
        const Dataset* d = m_source->dataset();
        if (d->currentRow() >= 0 && d->fieldIndex(m_field) >= 0)
            text = DataSource::displayText(d->value(m_field));
    }
    m_show(text);
    m_showing = false;
}

void FieldLink::write() {
    if (!m_source || m_showing)
        return;
    auto* table = qobject_cast<Table*>(m_source->dataset());
    if (!table || table->currentRow() < 0)
        return;
    const QString text = m_read();
    if (text == DataSource::displayText(table->value(m_field)))
        return;
    const bool ok = runGuarded(m_box, [&] {
        table->edit();
        table->setField(m_field, text);
    });
    if (!ok)
        refresh();
}

DBEdit::DBEdit(QWidget* parent)
    : QLineEdit(parent)
    , m_link(new FieldLink(
          this, [this] { return text(); }, [this](const QString& t) { setText(t); })) {
    connect(this, &QLineEdit::editingFinished, m_link, [this] {
        if (!isReadOnly())
            m_link->write();
    });
}

void DBEdit::setDataSource(DataSource* source, const QString& field) {
    setMaxLength(textWidth(source, field).value_or(unlimited));
    m_link->bind(source, field);
}

DBMemo::DBMemo(QWidget* parent)
    : QPlainTextEdit(parent)
    , m_link(new FieldLink(
          this, [this] { return toPlainText(); }, [this](const QString& t) { setPlainText(t); })) {}

void DBMemo::focusOutEvent(QFocusEvent* event) {
    if (!isReadOnly())
        m_link->write();
    QPlainTextEdit::focusOutEvent(event);
}
