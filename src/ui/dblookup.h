#pragma once

#include <QComboBox>
#include <QVariant>

class DataSource;
class ShownColumns;

// A lookup list over a dataset: it lists one field of every row and is keyed by another.
// Picking an entry moves the dataset to that row (so that its details follow).
class DBLookupComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit DBLookupComboBox(QWidget* parent = nullptr);

    void setListSource(DataSource* source, const QString& keyField, const QString& listField);
    DataSource* listSource() const { return m_source; }

    // The key of the entry shown; invalid when none is.
    QVariant keyValue() const { return m_key; }
    // Shows the entry with this key, if the list holds it; the dataset does not move.
    void setKeyValue(const QVariant& key);

    // Picks the entry at `row` as the user does. Throws what moving the dataset throws; a
    // pick by the user shows it in the error box.
    void pick(int row);

signals:
    // The user picked an entry.
    void picked();

private:
    void showKey();

    DataSource* m_source = nullptr;
    ShownColumns* m_entries;
    QString m_keyField;
    QString m_listField;
    QVariant m_key;
};
