#include "dbgrid.h"

#include "guard.h"
#include "showncolumns.h"
#include "store/dataset.h"
#include "store/datasource.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QScopeGuard>

DBGrid::DBGrid(QWidget* parent)
    : QTableView(parent)
    , m_proxy(new ShownColumns(this)) {
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setAlternatingRowColors(false);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    setModel(m_proxy);
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (m_syncing || !m_source || !current.isValid())
                    return;
                bool moved = false;
                {
                    m_syncing = true;
                    const auto done = qScopeGuard([this] { m_syncing = false; });
                    moved = runGuarded(this, [&] { m_source->dataset()->moveTo(current.row()); });
                }
                if (!moved)
                    followDataset(); // the dataset stayed where it was
            });
    connect(m_proxy, &QAbstractItemModel::modelReset, this, [this] {
        arrangeColumns();
        followDataset();
    });
}

void DBGrid::setDataSource(DataSource* source) {
    if (m_source)
        disconnect(m_source->dataset(), nullptr, this, nullptr);
    m_source = source;
    m_proxy->setSourceModel(source);
    if (source)
        connect(source->dataset(), &Dataset::currentChanged, this, &DBGrid::followDataset);
    arrangeColumns();
    followDataset();
}

void DBGrid::setColumns(const QList<Column>& columns) {
    m_columns = columns;
    QStringList titles;
    for (const Column& c : columns)
        titles.append(c.title.trimmed());
    const QString name = titles.join(QStringLiteral(", "));
    if (accessibleName().isEmpty() || accessibleName() == m_titlesName)
        setAccessibleName(name);
    m_titlesName = name;
    m_proxy->setColumns(columns);
    arrangeColumns();
}

void DBGrid::setColouring(Colouring colouring) {
    m_proxy->colouring = std::move(colouring);
    viewport()->update();
}

void DBGrid::arrangeColumns() {
    for (int i = 0; i < m_columns.size(); ++i) {
        const int column = m_proxy->columnOf(m_columns[i].field);
        if (column >= 0 && m_columns[i].width > 0)
            setColumnWidth(column, m_columns[i].width);
    }
}

void DBGrid::followDataset() {
    if (m_syncing || !m_source)
        return;
    m_syncing = true;
    const int row = m_source->dataset()->currentRow();
    if (row >= 0 && row < m_proxy->rowCount())
        selectRow(row);
    else
        clearSelection();
    m_syncing = false;
}

int DBGrid::columnOf(const QString& field) const {
    return m_proxy->columnOf(field);
}

QModelIndex DBGrid::cellIndex(int row, const QString& field) const {
    return m_proxy->index(row, m_proxy->columnOf(field));
}

QString DBGrid::cellText(int row, const QString& field) const {
    if (!m_source)
        return {};
    const int column = m_source->dataset()->fieldIndex(field);
    return m_source->data(m_source->index(row, column), Qt::DisplayRole).toString();
}

int DBGrid::rowCount() const {
    return m_proxy->rowCount();
}

DBGrid::CellColours DBGrid::cellColours(int row, const QString& field) const {
    return m_proxy->colouring ? m_proxy->colouring(row, field) : CellColours();
}

void DBGrid::keyPressEvent(QKeyEvent* event) {
    emit keyDown();
    QTableView::keyPressEvent(event);
}

void DBGrid::keyReleaseEvent(QKeyEvent* event) {
    QTableView::keyReleaseEvent(event);
    emit keyUp();
}
