#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

enum class Engine { SQLite, PostgreSQL };

enum class ColumnType { Text, Integer, Float, DateTime, Money, Memo };

struct ColumnDef {
    QString name;
    ColumnType type;
    int size = 0; // characters, for Text
};

struct IndexDef {
    QString name;
    QStringList columns;
    bool unique = false;
};

struct TableDef {
    QString name;
    QList<ColumnDef> columns;
    QList<IndexDef> indexes;

    // Case-insensitive, as the engines treat column names.
    const ColumnDef* column(const QString& name) const;
    QStringList columnNames() const;
};

// Every table of the shared database, in the order they are created.
const QList<TableDef>& schemaTables();
const TableDef* findTable(const QString& name);

// The type a column of this name has in every table that holds one; empty when no table
// holds it or the tables disagree.
std::optional<ColumnType> columnTypeByName(const QString& column);

// How many characters a text column of this name holds: the narrowest where tables hold it
// with different widths, so that a value fits wherever it goes. Empty when no table holds
// one or a table holds the name as another type.
std::optional<int> textWidthByName(const QString& column);

// A table or column name as the statements write it: folded to lower case, so that
// unquoted names in any case find it on both engines, and quoted, so that a reserved
// word ("desc") is a name like the others.
QString quotedName(const QString& identifier);

// A table the store keeps by itself from the rows of another: triggers on that table
// bring it up to date in the transaction of every change, whichever program writes, and
// a fill statement makes it anew from the rows, as in a store made before it.
struct DerivedTable {
    QString table;
    // Per engine: the names, as the engine lists them, of what keeps the table and what
    // its readers need (its triggers, indexes of the tables it is read with), and the
    // statements that make them (again) with what they call.
    QStringList sqliteObjects, postgresObjects;
    QStringList sqliteCreate, postgresCreate;
    // The statements that make the table anew from the rows it is derived from.
    QStringList fill;

    const QStringList& objects(Engine e) const {
        return e == Engine::SQLite ? sqliteObjects : postgresObjects;
    }
    const QStringList& createObjects(Engine e) const {
        return e == Engine::SQLite ? sqliteCreate : postgresCreate;
    }
};

// A PostgreSQL text key as the store's plain-text indexes hold it: lower-cased as citext
// compares it, compared byte by byte. Equal exactly when the citext values are equal.
QString plainKey(const QString& column);

// The derived tables, each also among the tables.
const QList<DerivedTable>& derivedTables();

// The statements that create one table and its indexes on an engine.
QStringList createStatements(const TableDef& table, Engine engine);
QString createIndexStatement(const TableDef& table, const IndexDef& index);
