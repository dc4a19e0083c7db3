#pragma once

#include <QAbstractTableModel>

class Dataset;

// The link through which grids and lookup lists show a dataset: one row per row, one
// column per field, following the dataset as it is read, moved and changed. Shown texts
// are the system's: dates "dd/MMM/yyyy", amounts with a decimal comma.
class DataSource : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit DataSource(Dataset* dataset, QObject* parent = nullptr);

    Dataset* dataset() const { return m_dataset; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // The text a cell shows.
    static QString displayText(const QVariant& value);

private:
    Dataset* m_dataset;
};
