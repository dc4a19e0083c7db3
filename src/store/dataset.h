#pragma once

#include "schema.h"

#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QObject>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <optional>

class Connection;
class Money;

// A dataset that follows the current row of another (a detail of a master). The master
// calls it directly, so that what reading the detail throws reaches the master's caller.
class DetailLink {
public:
    virtual void masterMoved() = 0;
    virtual void masterGone() = 0;

protected:
    ~DetailLink() = default;
};

// A field of the current row, by name (found whatever its case; a repeated name finds its
// first column) or by position, 0 being the first column: a query that joins tables with
// columns of the same name reads the later ones by position.
class Field {
public:
    Field(const QString& name)
        : m_name(name) {}
    Field(const char* name)
        : m_name(QString::fromUtf8(name)) {}
    Field(int position)
        : m_position(position) {}
    bool byPosition() const { return m_position >= 0; }
    int position() const { return m_position; }
    const QString& name() const { return m_name; }
    QString describe() const { return byPosition() ? QString::number(m_position) : m_name; }

private:
    QString m_name;
    int m_position = -1;
};

// Rows read into memory at open, with a current row and the usual moves. The base of
// queries and table row sets. Field names are found whatever their case.
class Dataset : public QObject {
    Q_OBJECT
public:
    explicit Dataset(Connection* connection, QObject* parent = nullptr);
    ~Dataset() override;

    void addDetail(DetailLink* detail);
    void removeDetail(DetailLink* detail);

    Connection* connection() const { return m_connection; }

    virtual void open() = 0;
    void close();
    // The action that read or changed these rows was undone: read again what is stored,
    // staying on the same row where it still exists. Bound widgets follow.
    virtual void readAgainAfterRollback() = 0;
    bool isOpen() const { return m_open; }

    int rowCount() const { return int(m_rows.size()); }
    bool isEmpty() const { return m_rows.isEmpty(); }
    // -1 when there is no row.
    int currentRow() const { return m_current; }
    // At the start or past the end after a move that found no further row, or on no rows.
    bool bof() const { return m_bof; }
    bool eof() const { return m_eof; }

    void first();
    void next();
    void prior();
    void last();
    void moveTo(int row);
    // Moves to the first row whose field holds the value (texts compared without regard to
    // case); false, not moving, when none does.
    bool locate(const QString& field, const QVariant& value);

    int fieldCount() const { return int(m_names.size()); }
    const QStringList& fieldNames() const { return m_names; }
    int fieldIndex(const QString& field) const;
    std::optional<ColumnType> fieldType(int column) const { return m_types.value(column); }

    // Values of the current row; StoreError for a field the rows do not hold. An empty
    // field reads as "" and 0; a date's text is "dd/mm/yyyy".
    virtual QVariant value(const Field& field) const;
    QString text(const Field& field) const;
    qint64 integer(const Field& field) const;
    double number(const Field& field) const;
    Money money(const Field& field) const;
    QDate date(const Field& field) const;
    QDateTime dateTime(const Field& field) const;
    bool isNull(const Field& field) const;

    QVariant valueAt(int row, int column) const;

signals:
    void opened();
    void closed();
    void rowsAboutToReset();
    void rowsReset();
    // One row added at or removed from `row`; the others stay as they were.
    void rowAboutToBeInserted(int row);
    void rowInserted(int row);
    void rowAboutToBeRemoved(int row);
    void rowRemoved(int row);
    void rowValuesChanged(int row);
    void currentChanged(int row);

protected:
    struct Row {
        QVector<QVariant> values;
        QVariant rowId; // how the engine finds the row again (table row sets only)
    };

    // Replaces the rows; the current row becomes `current` (clamped), or the first.
    void setContent(QStringList names, QVector<std::optional<ColumnType>> types, QVector<Row> rows,
                    int current = 0);
    // Adds one row at `at`, or removes the row at `at`, without reading or copying the
    // others; the current row becomes `current` (clamped).
    void insertRow(int at, Row row, int current);
    void removeRow(int at, int current);
    void markOpen();
    int requireField(const Field& field) const;
    void setCurrent(int row);
    // The values of a row changed; details of the current row follow.
    void rowValuesChangedAt(int row);

    // Called before the current row moves or the rows close; a table posts its edits.
    virtual void leavingRow() {}
    virtual void clearing() {}

    QVector<Row>& rows() { return m_rows; }
    const QVector<Row>& rows() const { return m_rows; }
    const QVector<std::optional<ColumnType>>& types() const { return m_types; }

private:
    void moveDetails();
    // Makes `current` (clamped) the current row and tells those who show it.
    void showCurrent(int current);

    Connection* m_connection;
    QList<DetailLink*> m_details;
    bool m_open = false;
    QStringList m_names;
    QHash<QString, int> m_index;
    QVector<std::optional<ColumnType>> m_types;
    QVector<Row> m_rows;
    int m_current = -1;
    bool m_bof = true;
    bool m_eof = true;
};
