#include "showncolumns.h"

#include <QFont>
#include <QHash>
#include <algorithm>

void ShownColumns::setSourceModel(QAbstractItemModel* source) {
    if (source == sourceModel())
        return;
    beginResetModel();
    if (sourceModel())
        disconnect(sourceModel(), nullptr, this, nullptr);
    QAbstractProxyModel::setSourceModel(source);
    if (source) {
        connect(source, &QAbstractItemModel::modelAboutToBeReset, this,
                &ShownColumns::beginResetModel);
        connect(source, &QAbstractItemModel::modelReset, this, [this] {
            arrange();
            endResetModel();
        });
        connect(
            source, &QAbstractItemModel::rowsAboutToBeInserted, this,
            [this](const QModelIndex&, int first, int last) { beginInsertRows({}, first, last); });
        connect(source, &QAbstractItemModel::rowsInserted, this, &ShownColumns::endInsertRows);
        connect(
            source, &QAbstractItemModel::rowsAboutToBeRemoved, this,
            [this](const QModelIndex&, int first, int last) { beginRemoveRows({}, first, last); });
        connect(source, &QAbstractItemModel::rowsRemoved, this, &ShownColumns::endRemoveRows);
        connect(source, &QAbstractItemModel::dataChanged, this,
                [this](const QModelIndex& from, const QModelIndex& to) {
                    if (!m_shown.isEmpty())
                        emit dataChanged(index(from.row(), 0),
                                         index(to.row(), int(m_shown.size()) - 1));
                });
    }
    arrange();
    endResetModel();
}

void ShownColumns::setColumns(const QList<DBGrid::Column>& columns) {
    const auto same = [](const DBGrid::Column& a, const DBGrid::Column& b) {
        return a.field == b.field && a.title == b.title && a.width == b.width;
    };
    if (std::equal(columns.cbegin(), columns.cend(), m_columns.cbegin(), m_columns.cend(), same))
        return; // the view keeps its row and place
    beginResetModel();
    m_columns = columns;
    arrange();
    endResetModel();
}

int ShownColumns::columnOf(const QString& field) const {
    for (int i = 0; i < m_shown.size(); ++i)
        if (fieldName(i).compare(field, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

int ShownColumns::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || !sourceModel() ? 0 : sourceModel()->rowCount();
}

int ShownColumns::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_shown.size());
}

QModelIndex ShownColumns::index(int row, int column, const QModelIndex& parent) const {
    if (parent.isValid() || row < 0 || column < 0 || row >= rowCount() || column >= columnCount())
        return {};
    return createIndex(row, column);
}

QModelIndex ShownColumns::mapToSource(const QModelIndex& proxy) const {
    if (!proxy.isValid() || !sourceModel() || proxy.column() >= m_shown.size())
        return {};
    return sourceModel()->index(proxy.row(), m_shown[proxy.column()]);
}

QModelIndex ShownColumns::mapFromSource(const QModelIndex& source) const {
    if (!source.isValid())
        return {};
    const int column = int(m_shown.indexOf(source.column()));
    return column < 0 ? QModelIndex() : index(source.row(), column);
}

QVariant ShownColumns::headerData(int section, Qt::Orientation orientation, int role) const {
    if (!sourceModel())
        return {};
    if (orientation == Qt::Vertical)
        return sourceModel()->headerData(section, orientation, role);
    if (section < 0 || section >= m_shown.size())
        return {};
    if (role == Qt::DisplayRole && !m_columns.isEmpty())
        return m_columns[m_titleOf[section]].title;
    return sourceModel()->headerData(m_shown[section], orientation, role);
}

QVariant ShownColumns::data(const QModelIndex& index, int role) const {
    if (colouring && index.isValid() &&
        (role == Qt::BackgroundRole || role == Qt::ForegroundRole || role == Qt::FontRole)) {
        const DBGrid::CellColours c = colouring(index.row(), fieldName(index.column()));
        if (role == Qt::BackgroundRole && c.background)
            return *c.background;
        if (role == Qt::ForegroundRole && c.text)
            return *c.text;
        if (role == Qt::FontRole && c.bold) {
            QFont f;
            f.setBold(true);
            return f;
        }
    }
    return QAbstractProxyModel::data(index, role);
}

QString ShownColumns::fieldName(int column) const {
    return sourceModel()->headerData(m_shown[column], Qt::Horizontal, Qt::DisplayRole).toString();
}

void ShownColumns::arrange() {
    m_shown.clear();
    m_titleOf.clear();
    if (!sourceModel())
        return;
    const int fields = sourceModel()->columnCount();
    if (m_columns.isEmpty()) {
        for (int c = 0; c < fields; ++c)
            m_shown.append(c);
        return;
    }
    QHash<QString, int> byName;
    for (int c = fields - 1; c >= 0; --c) // a name a join repeats is its first column's
        byName.insert(
            sourceModel()->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString().toLower(), c);
    for (int i = 0; i < m_columns.size(); ++i) {
        const auto found = byName.constFind(m_columns[i].field.toLower());
        if (found == byName.constEnd())
            continue;
        m_shown.append(*found);
        m_titleOf.append(i);
    }
}
