#include "dblookup.h"

#include "guard.h"
#include "showncolumns.h"
#include "store/dataset.h"
#include "store/datasource.h"
#include "store/values.h"

DBLookupComboBox::DBLookupComboBox(QWidget* parent)
    : QComboBox(parent)
    , m_entries(new ShownColumns(this)) {
    connect(this, qOverload<int>(&QComboBox::activated), this, [this](int row) {
        if (!runGuarded(this, [&] { pick(row); }))
            showKey(); // the pick did not take
    });
}

void DBLookupComboBox::setListSource(DataSource* source, const QString& keyField,
                                     const QString& listField) {
    if (m_source)
        disconnect(m_source, nullptr, this, nullptr);
    m_source = source;
    m_keyField = keyField;
    m_listField = listField;
    // The entries are the listed field alone, so that the open list hands assistive
    // technology what it shows.
    m_entries->setColumns({{listField, QString()}});
    m_entries->setSourceModel(source);
    if (model() != m_entries)
        setModel(m_entries);
    connect(source, &QAbstractItemModel::modelReset, this, &DBLookupComboBox::showKey);
    connect(source, &QAbstractItemModel::rowsInserted, this, &DBLookupComboBox::showKey);
    connect(source, &QAbstractItemModel::rowsRemoved, this, &DBLookupComboBox::showKey);
    showKey();
}

void DBLookupComboBox::setKeyValue(const QVariant& key) {
    m_key = key;
    showKey();
}

void DBLookupComboBox::showKey() {
    if (!m_source)
        return;
    const Dataset* d = m_source->dataset();
    const int keyColumn = d->fieldIndex(m_keyField);
    int found = -1;
    if (m_key.isValid() && keyColumn >= 0) {
        const QString wanted = variantText(m_key);
        for (int r = 0; r < d->rowCount() && found < 0; ++r)
            if (variantText(d->valueAt(r, keyColumn)) == wanted)
                found = r;
    }
    setCurrentIndex(found);
}

void DBLookupComboBox::pick(int row) {
    if (!m_source || row < 0 || row >= m_source->rowCount())
        return;
    Dataset* d = m_source->dataset();
    const QVariant key = d->valueAt(row, d->fieldIndex(m_keyField));
    d->moveTo(row);
    m_key = key;
    showKey(); // the move may have re-read this list
    emit picked();
}
