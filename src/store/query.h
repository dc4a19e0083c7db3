#pragma once

#include "dataset.h"
#include "sqltext.h"

#include <QHash>
#include <functional>

// A fixed statement with positional parameters. open() runs a SELECT and reads its rows
// into memory; exec() runs a statement that returns no rows.
class Query : public Dataset {
    Q_OBJECT
public:
    Query(Connection* connection, const QString& sql, QObject* parent = nullptr);
    // A query with its name, owned by `parent`: Query::make(conn, "Qhito", "select ...", this).
    static Query* make(Connection* connection, const char* name, const char* sql, QObject* parent);

    const QString& sql() const { return m_sql; }
    // The same statement written for one engine, which runs it instead: the same parameters
    // in the same order, the same columns. StoreError for another number of parameters.
    void setTextFor(Engine engine, const QString& sql);
    int parameterCount() const { return m_positional.parameterCount; }

    // Position 0 is the first parameter. StoreError for a position the statement lacks.
    void setParam(int position, const QVariant& value);
    // Every parameter, in order; StoreError when the count differs from the statement's.
    void setParams(const QVariantList& values);
    QVariant param(int position) const { return m_params.value(position); }

    // Type of a computed column the statement does not tell; "max(hito_fecfin) as maxfecha"
    // and the like are known without it.
    void setFieldType(const QString& field, ColumnType type);

    // Lists the rows in ascending order of these fields, whatever order the engine returns
    // them in (the statement has none of its own); equal rows keep the engine's order.
    void setRowOrder(const QStringList& fields) { m_rowOrder = fields; }

    // Lists a row once however many times the statement gives it, as "SELECT DISTINCT"
    // would: rows are the same when every value the statement gives is, texts compared
    // without regard to case as the engines group them. Needs a row order, which puts the
    // repeats of a row together; the first as read stays. Cheaper than the engine's sort.
    void setDistinctRows(bool distinct) { m_distinct = distinct; }

    // A row as it is read, for a computed field: the statement's values and those of the
    // fields computed before, by name (whatever its case); null for a name it lacks.
    class RowValues {
    public:
        // `columns` gives each name's place in `values`, found once per name as written.
        RowValues(QHash<QString, int>& columns, const QVector<QVariant>& values)
            : m_columns(columns)
            , m_values(values) {}
        QVariant value(const QString& field) const;

    private:
        QHash<QString, int>& m_columns;
        const QVector<QVariant>& m_values;
    };
    using Compute = std::function<QVariant(const RowValues& row)>;

    // A field the program works out from each row as the rows are read, so that every
    // engine gives the same figure (date arithmetic, rounding). It follows the statement's
    // columns, in the order the fields are added, and reads, shows and orders the rows like
    // them. What `compute` throws stops the reading like an engine's error.
    void addComputedField(const QString& name, ColumnType type, Compute compute);

    void open() override;
    void readAgainAfterRollback() override;
    // Returns the number of rows the statement changed.
    int exec();

private:
    QVariantList boundParams() const;
    std::optional<ColumnType> resultType(const QString& name) const;

    // The text the connection's engine runs, with its parameters as positions.
    const QString& statementText() const;

    QString m_sql;
    PositionalSql m_positional;
    QHash<int, QString> m_engineTexts;
    QVariantList m_params;
    QHash<QString, ColumnType> m_fieldTypes;
    QStringList m_rowOrder;
    bool m_distinct = false;
    struct Computed {
        QString name;
        ColumnType type;
        Compute compute;
    };
    QList<Computed> m_computed;
};
