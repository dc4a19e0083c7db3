#include "dbgrid.h"

#include "guard.h"
#include "store/dataset.h"
#include "store/datasource.h"

#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QKeyEvent>
#include <QScopeGuard>

// The grid's own titles and colours over a shared data source.
class GridColumns : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QHash<QString, QString> titles;
    DBGrid::Colouring colouring;

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole) {
            const QString field =
                QIdentityProxyModel::headerData(section, orientation, role).toString();
            return titles.value(field.toLower(), field);
        }
        return QIdentityProxyModel::headerData(section, orientation, role);
    }

    QVariant data(const QModelIndex& index, int role) const override {
        if (colouring &&
            (role == Qt::BackgroundRole || role == Qt::ForegroundRole || role == Qt::FontRole)) {
            const QString field =
                QIdentityProxyModel::headerData(index.column(), Qt::Horizontal, Qt::DisplayRole)
                    .toString();
            const DBGrid::CellColours c = colouring(index.row(), field);
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
        return QIdentityProxyModel::data(index, role);
    }
};

DBGrid::DBGrid(QWidget* parent)
    : QTableView(parent)
    , m_proxy(new GridColumns(this)) {
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
    m_proxy->titles.clear();
    QStringList titles;
    for (const Column& c : columns) {
        m_proxy->titles.insert(c.field.toLower(), c.title);
        titles.append(c.title.trimmed());
    }
    const QString name = titles.join(QStringLiteral(", "));
    if (accessibleName().isEmpty() || accessibleName() == m_titlesName)
        setAccessibleName(name);
    m_titlesName = name;
    arrangeColumns();
}

void DBGrid::setColouring(Colouring colouring) {
    m_proxy->colouring = std::move(colouring);
    viewport()->update();
}

void DBGrid::arrangeColumns() {
    if (!m_source || m_columns.isEmpty())
        return;
    const Dataset* d = m_source->dataset();
    QHeaderView* h = horizontalHeader();
    for (int c = 0; c < d->fieldCount(); ++c)
        setColumnHidden(c, true);
    for (int i = 0; i < m_columns.size(); ++i) {
        const int logical = d->fieldIndex(m_columns[i].field);
        if (logical < 0)
            continue;
        setColumnHidden(logical, false);
        h->moveSection(h->visualIndex(logical), i);
        if (m_columns[i].width > 0)
            setColumnWidth(logical, m_columns[i].width);
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

QString DBGrid::cellText(int row, const QString& field) const {
    if (!m_source)
        return {};
    const int column = m_source->dataset()->fieldIndex(field);
    return m_proxy->data(m_proxy->index(row, column), Qt::DisplayRole).toString();
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
