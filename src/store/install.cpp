#include "install.h"

#include "connection.h"
#include "core/csv.h"
#include "core/datetext.h"
#include "core/error.h"
#include "core/money.h"
#include "storeerror.h"
#include "values.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>

namespace {

// The names of the tables, indexes and triggers the database holds, in lower case.
QSet<QString> existingObjects(Connection& c) {
    QSqlQuery q(c.database());
    const QString sql =
        c.engine() == Engine::SQLite
            ? QStringLiteral("SELECT name FROM sqlite_master WHERE type IN ('table', 'index', "
                             "'trigger')")
            : QStringLiteral("SELECT c.relname FROM pg_catalog.pg_class c JOIN "
                             "pg_catalog.pg_namespace n ON n.oid = c.relnamespace WHERE "
                             "n.nspname = current_schema() AND c.relkind IN ('r', 'i') UNION "
                             "SELECT t.tgname FROM pg_catalog.pg_trigger t JOIN "
                             "pg_catalog.pg_class c ON c.oid = t.tgrelid JOIN "
                             "pg_catalog.pg_namespace n ON n.oid = c.relnamespace WHERE "
                             "n.nspname = current_schema() AND NOT t.tgisinternal");
    if (!q.exec(sql))
        throw StoreError(engineMessage(q.lastError()));
    QSet<QString> names;
    while (q.next())
        names.insert(q.value(0).toString().toLower());
    q.finish();
    return names;
}

bool holdsObjects(const QSet<QString>& present, const DerivedTable& d, Engine engine) {
    for (const QString& name : d.objects(engine))
        if (!present.contains(name))
            return false;
    return true;
}

bool holdsEverything(const QSet<QString>& present, Engine engine) {
    for (const TableDef& t : schemaTables()) {
        if (!present.contains(t.name.toLower()))
            return false;
        for (const IndexDef& index : t.indexes)
            if (!present.contains(index.name.toLower()))
                return false;
    }
    for (const DerivedTable& d : derivedTables())
        if (!holdsObjects(present, d, engine))
            return false;
    return true;
}

// A text column the store holds narrower than the program now keeps it (a password column
// made before passwords were kept as hashes), and how its width is checked there.
struct Narrower {
    const TableDef* table;
    const ColumnDef* column;
    QString constraint; // PostgreSQL: the name of the check of its width
};

QList<Narrower> narrowerColumns(Connection& c) {
    QList<Narrower> found;
    QSqlQuery q(c.database());
    const bool pg = c.engine() == Engine::PostgreSQL;
    const QString sql =
        pg ? QStringLiteral("SELECT c.relname, con.conname, pg_get_constraintdef(con.oid) FROM "
                            "pg_catalog.pg_constraint con JOIN pg_catalog.pg_class c ON c.oid = "
                            "con.conrelid JOIN pg_catalog.pg_namespace n ON n.oid = c.relnamespace "
                            "WHERE n.nspname = current_schema() AND con.contype = 'c' AND "
                            "pg_get_constraintdef(con.oid) LIKE '%char_length%'")
           : QStringLiteral("SELECT name, '', sql FROM sqlite_master WHERE type = 'table'");
    if (!q.exec(sql))
        throw StoreError(engineMessage(q.lastError()));
    // The width checks as the tables were made: length("x") <= n on SQLite,
    // char_length((x)::text) <= n as PostgreSQL shows it.
    static const QRegularExpression width(
        QStringLiteral("length\\(\\(?\"?(\\w+)\"?\\)?(?:::text)?\\) <= (\\d+)"));
    while (q.next()) {
        const TableDef* table = findTable(q.value(0).toString());
        if (!table)
            continue;
        for (auto m = width.globalMatch(q.value(2).toString()); m.hasNext();) {
            const auto match = m.next();
            const ColumnDef* column = table->column(match.captured(1));
            if (column && column->type == ColumnType::Text &&
                match.captured(2).toInt() < column->size)
                found.append({table, column, q.value(1).toString()});
        }
    }
    q.finish();
    return found;
}

// Gives the columns their width, keeping every row.
void widen(Connection& c, const QList<Narrower>& columns) {
    if (c.engine() == Engine::PostgreSQL) {
        for (const Narrower& n : columns)
            c.execDirect(QStringLiteral("ALTER TABLE %1 DROP CONSTRAINT %2, ADD CONSTRAINT %2 "
                                        "CHECK (char_length(%3) <= %4)")
                             .arg(quotedName(n.table->name), quotedName(n.constraint),
                                  quotedName(n.column->name))
                             .arg(n.column->size));
        return;
    }
    // SQLite changes no check of a table: the table is made again with its rows.
    QList<const TableDef*> tables;
    for (const Narrower& n : columns)
        if (!tables.contains(n.table))
            tables.append(n.table);
    for (const TableDef* t : tables) {
        const QString name = quotedName(t->name);
        const QString old = quotedName(t->name + QStringLiteral("_anterior"));
        for (const IndexDef& index : t->indexes)
            c.execDirect(QStringLiteral("DROP INDEX IF EXISTS %1").arg(quotedName(index.name)));
        c.execDirect(QStringLiteral("ALTER TABLE %1 RENAME TO %2").arg(name, old));
        for (const QString& statement : createStatements(*t, c.engine()))
            c.execDirect(statement);
        QStringList names;
        for (const ColumnDef& col : t->columns)
            names.append(quotedName(col.name));
        c.execDirect(QStringLiteral("INSERT INTO %1 (%2) SELECT %2 FROM %3")
                         .arg(name, names.join(QStringLiteral(", ")), old));
        c.execDirect(QStringLiteral("DROP TABLE %1").arg(old));
    }
}

QVariant csvValue(const QString& text, const ColumnDef& column) {
    if (text.isEmpty())
        return QVariant(QMetaType::fromType<QString>());
    switch (column.type) {
    case ColumnType::Integer:
    case ColumnType::Float: {
        bool ok = false;
        const QVariant v = column.type == ColumnType::Integer ? QVariant(text.toLongLong(&ok))
                                                              : QVariant(text.toDouble(&ok));
        if (!ok)
            throw ConversionError(
                QStringLiteral("%1: \"%2\" no es un número").arg(column.name, text));
        return v;
    }
    case ColumnType::Money:
        return Money::parse(text).toStorageText();
    case ColumnType::DateTime:
        return toBound(text.contains(u'/') ? QVariant(dateFromParamText(text))
                                           : QVariant(variantDateTime(text)));
    case ColumnType::Text:
    case ColumnType::Memo:
        return text;
    }
    return text;
}

void loadTable(Connection& c, const TableDef& table) {
    QFile file(QStringLiteral(":/data/%1.csv").arg(table.name));
    if (!file.exists())
        return;
    if (!file.open(QIODevice::ReadOnly))
        throw StoreError(QStringLiteral("No se puede leer %1").arg(file.fileName()));
    const CsvTable csv = parseCsv(QString::fromUtf8(file.readAll()));
    QList<const ColumnDef*> columns;
    QStringList names, marks;
    for (const QString& h : csv.header) {
        const ColumnDef* col = table.column(h);
        if (!col)
            throw StoreError(QStringLiteral("%1: la tabla %2 no tiene la columna %3")
                                 .arg(file.fileName(), table.name, h));
        columns.append(col);
        names.append(quotedName(col->name));
        marks.append(QStringLiteral("?"));
    }
    QSqlQuery q(c.database());
    if (!q.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                       .arg(quotedName(table.name), names.join(QStringLiteral(", ")),
                            marks.join(QStringLiteral(", ")))))
        throw StoreError(engineMessage(q.lastError()));
    for (const QStringList& row : csv.rows) {
        for (int i = 0; i < row.size(); ++i)
            q.bindValue(i, csvValue(row[i], *columns[i]));
        if (!q.exec())
            throw StoreError(table.name + QStringLiteral(": ") + engineMessage(q.lastError()));
    }
    q.finish();
}

} // namespace

void installIfEmpty(Connection& c) {
    if (holdsEverything(existingObjects(c), c.engine()) && narrowerColumns(c).isEmpty())
        return;
    const bool pg = c.engine() == Engine::PostgreSQL;
    c.execDirect(pg ? QStringLiteral("BEGIN") : QStringLiteral("BEGIN IMMEDIATE"));
    try {
        if (pg) { // the one installation of this database; others wait here
            c.execDirect(QStringLiteral("SELECT pg_advisory_xact_lock(5207460)"));
            // The type of texts that compare without regard to case.
            c.execDirect(QStringLiteral("CREATE EXTENSION IF NOT EXISTS citext"));
        }
        // A column made narrower than the program now keeps it gets its width, once.
        if (const QList<Narrower> narrower = narrowerColumns(c); !narrower.isEmpty())
            widen(c, narrower);
        const QSet<QString> present = existingObjects(c);
        bool empty = true;
        for (const TableDef& t : schemaTables())
            empty = empty && !present.contains(t.name.toLower());
        for (const TableDef& t : schemaTables()) {
            if (!present.contains(t.name.toLower())) {
                for (const QString& statement : createStatements(t, c.engine()))
                    c.execDirect(statement);
                continue;
            }
            // A database made before an index was added gets it now, once.
            for (const IndexDef& index : t.indexes)
                if (!present.contains(index.name.toLower()))
                    c.execDirect(createIndexStatement(t, index));
        }
        // A derived table made now, or one whose triggers or indexes are missing, is made
        // again from its rows once its triggers keep it: on PostgreSQL making them waits
        // for the writers of the rows and keeps new ones out until the installation ends.
        for (const DerivedTable& d : derivedTables()) {
            if (present.contains(d.table) && holdsObjects(present, d, c.engine()))
                continue;
            for (const QString& statement : d.createObjects(c.engine()))
                c.execDirect(statement);
            for (const QString& statement : d.fill)
                c.execDirect(statement);
        }
        if (empty)
            for (const TableDef& t : schemaTables())
                loadTable(c, t);
        c.execDirect(QStringLiteral("COMMIT"));
    } catch (...) {
        QSqlQuery(c.database()).exec(QStringLiteral("ROLLBACK"));
        throw;
    }
}
