#pragma once

#include "dbgrid.h"

#include <QAbstractProxyModel>
#include <QList>

// What a grid or a lookup list shows of a shared data source: exactly the fields it shows,
// in their order, with its titles and colours. What the view and assistive technology are
// handed is what a person sees: no hidden column has a place in it, and each cell's column
// is where it shows.
class ShownColumns : public QAbstractProxyModel {
public:
    explicit ShownColumns(QObject* parent)
        : QAbstractProxyModel(parent) {}

    DBGrid::Colouring colouring;

    void setSourceModel(QAbstractItemModel* source) override;
    // Shows these fields with these titles, those the source has; without any, every field.
    void setColumns(const QList<DBGrid::Column>& columns);
    // The place of a field among the shown columns; -1 when it is not shown.
    int columnOf(const QString& field) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex&) const override { return {}; }
    QModelIndex mapToSource(const QModelIndex& proxy) const override;
    QModelIndex mapFromSource(const QModelIndex& source) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    QString fieldName(int column) const;
    void arrange();

    QList<DBGrid::Column> m_columns;
    QList<int> m_shown;   // the source column of each shown column
    QList<int> m_titleOf; // the chosen column each shown column is
};
