#pragma once

#include "dataset.h"
#include "filter.h"

// A whole table as an updatable row set: filter, master/detail link, order, and the
// append / edit / post / cancel / delete / refresh of single rows. Rows are found again
// by the engine's own row identity, so that rows with equal values stay apart.
class Table : public Dataset, private DetailLink {
    Q_OBJECT
public:
    enum class State { Inactive, Browse, Edit, Insert };

    Table(Connection* connection, const QString& tableName, QObject* parent = nullptr);
    ~Table() override;

    const TableDef& definition() const { return *m_def; }

    void open() override;
    // Posts an edit in progress, then reads the rows again, staying on the same row where
    // it still exists.
    void refresh();
    // Drops an edit in progress (it belonged to the undone action) and reads again.
    void readAgainAfterRollback() override;

    // The filter applies while the table is filtered; changing either re-reads an open table.
    void setFilter(const Filter& filter);
    void setFilterText(const QString& expression);
    const Filter& filter() const { return m_filter; }
    void setFiltered(bool filtered);
    bool isFiltered() const { return m_filtered; }

    // Rows are listed in key order unless an order is set.
    void setOrder(const QStringList& columns);

    // Shows only the rows whose detail fields equal the master fields of the master's
    // current row, following the master as it moves (an edit in progress is posted
    // first). No master row, no rows.
    void setMaster(Dataset* master, const QStringList& masterFields,
                   const QStringList& detailFields);
    Dataset* master() const { return m_master; }

    State state() const { return m_state; }
    void append();
    void edit();
    // Sets a field of the row being edited or appended. A date field takes a QDate or a
    // date text ("05/03/2008", "05/mar/2008"), an amount a Money or its text ("1500,5").
    // ConversionError for a value that does not fit the column.
    void setField(const QString& field, const QVariant& value);
    void post();
    void cancel();
    void remove();

    QVariant value(const Field& field) const override;

signals:
    void stateChanged(Table::State state);

protected:
    void leavingRow() override;
    void clearing() override;

private:
    void read(int keepRow);
    void readKeepingRow();
    QString selectSql(QVariantList& params, bool& noRows) const;
    QString rowIdExpression() const; // the engine's own row identity, in a condition
    QString rowIdSelect() const;     // and as read
    QStringList keyColumns() const;
    int column(const QString& name) const;
    void setState(State state);
    void masterMoved() override;
    void masterGone() override;
    // The master's values the detail rows must match; none without a master row.
    std::optional<QVariantList> masterLink() const;
    // The condition that finds the row as it was read (its key and the columns being
    // changed still holding what was read), so that a row changed or removed elsewhere
    // is not taken for it.
    QString sameRow(const Row& row, const QList<int>& alsoColumns, QVariantList& params) const;

    const TableDef* m_def;
    Filter m_filter;
    bool m_filtered = false;
    QStringList m_order;
    Dataset* m_master = nullptr;
    QStringList m_masterFields;
    QStringList m_detailFields;
    State m_state = State::Inactive;
    QVector<QVariant> m_buffer;
    int m_rowBeforeAppend = -1;
    bool m_linkRead = false;
    std::optional<QVariantList> m_linkValues;
};
