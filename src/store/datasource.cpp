#include "datasource.h"

#include "core/datetext.h"
#include "core/money.h"
#include "dataset.h"
#include "values.h"

DataSource::DataSource(Dataset* dataset, QObject* parent)
    : QAbstractTableModel(parent)
    , m_dataset(dataset) {
    connect(dataset, &Dataset::rowsAboutToReset, this, &DataSource::beginResetModel);
    connect(dataset, &Dataset::rowsReset, this, &DataSource::endResetModel);
    connect(dataset, &Dataset::rowAboutToBeInserted, this,
            [this](int row) { beginInsertRows({}, row, row); });
    connect(dataset, &Dataset::rowInserted, this, &DataSource::endInsertRows);
    connect(dataset, &Dataset::rowAboutToBeRemoved, this,
            [this](int row) { beginRemoveRows({}, row, row); });
    connect(dataset, &Dataset::rowRemoved, this, &DataSource::endRemoveRows);
    connect(dataset, &Dataset::rowValuesChanged, this, [this](int row) {
        if (row >= 0 && row < rowCount())
            emit dataChanged(index(row, 0), index(row, columnCount() - 1));
    });
}

int DataSource::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_dataset->rowCount();
}

int DataSource::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_dataset->fieldCount();
}

QString DataSource::displayText(const QVariant& value) {
    if (value.typeId() == QMetaType::QDateTime)
        return showDate(value.toDateTime().date());
    if (value.typeId() == QMetaType::QDate)
        return showDate(value.toDate());
    return variantText(value);
}

QVariant DataSource::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    // Rows being edited show their new values.
    const bool current = index.row() == m_dataset->currentRow();
    auto cell = [&] {
        return current ? m_dataset->value(index.column())
                       : m_dataset->valueAt(index.row(), index.column());
    };
    switch (role) {
    case Qt::DisplayRole:
        return displayText(cell());
    case Qt::EditRole:
        return cell();
    default:
        return {};
    }
}

QVariant DataSource::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal)
        return QAbstractTableModel::headerData(section, orientation, role);
    return m_dataset->fieldNames().value(section);
}
