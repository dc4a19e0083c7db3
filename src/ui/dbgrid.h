#pragma once

#include <QColor>
#include <QList>
#include <QTableView>
#include <functional>
#include <optional>

class DataSource;
class ShownColumns;

// A grid over a dataset: one line per row, the columns a window chooses, with their
// titles. The selected line is the dataset's current row, both ways. Cell colours come
// from the window (per row or per cell).
class DBGrid : public QTableView {
    Q_OBJECT
public:
    struct Column {
        QString field;
        QString title;
        int width = -1;
    };
    struct CellColours {
        std::optional<QColor> background;
        std::optional<QColor> text;
        bool bold = false;
    };
    using Colouring = std::function<CellColours(int row, const QString& field)>;

    explicit DBGrid(QWidget* parent = nullptr);

    void setDataSource(DataSource* source);
    DataSource* dataSource() const { return m_source; }
    // Shows these fields, in this order; without columns every field shows. Until a caption
    // names the grid (Form::caption), a screen reader calls it by the titles of its columns.
    void setColumns(const QList<Column>& columns);
    void setColouring(Colouring colouring);

    const QList<Column>& columns() const { return m_columns; }
    // The rows the grid shows.
    int rowCount() const;
    // The column a field shows in, -1 when the grid does not show it; where a field's cell
    // of a row shows, invalid when the grid does not show that field.
    int columnOf(const QString& field) const;
    QModelIndex cellIndex(int row, const QString& field) const;
    // The text a cell shows (also of a field the grid does not show), and its colours.
    QString cellText(int row, const QString& field) const;
    CellColours cellColours(int row, const QString& field) const;

signals:
    // A key goes down in the grid, before the grid moves to the row it leads to; a key
    // came up, after the move.
    void keyDown();
    void keyUp();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    void arrangeColumns();
    void followDataset();

    DataSource* m_source = nullptr;
    ShownColumns* m_proxy;
    QList<Column> m_columns;
    QString m_titlesName;
    bool m_syncing = false;
};
