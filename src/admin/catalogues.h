#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

class Connection;
class Query;
struct TableDef;

// A table the office keeps from the program: its organisation, its programmes and its
// catalogues, each under its Spanish name.
struct Catalogue {
    QString title; // "Unidades"
    QString table; // "t_unidad"
    // The organisation is kept per year: an import replaces the rows of the years its
    // file holds. Empty for a catalogue of every year, which an import replaces whole.
    QString yearColumn;

    const TableDef& definition() const;
    // The columns that find one row, as the table's key index lists them.
    QStringList key() const;
};

// Every catalogue, in the order the window lists them.
const QList<Catalogue>& catalogues();
const Catalogue* findCatalogue(const QString& title);

// Export and import of a catalogue as CSV, the shape of the installation data: a header
// row with the column names, then the rows.
//
// Each operation is meant to run inside one user action.
class Catalogues : public QObject {
    Q_OBJECT
public:
    explicit Catalogues(Connection* connection, QObject* parent = nullptr);

    // The rows of a catalogue, every column, in key order (what the window shows).
    Query* rows(const Catalogue& catalogue);

    // Every row of the catalogue, every column of its table, in key order; an empty field
    // is a null value.
    QByteArray exportCsv(const Catalogue& catalogue);

    struct Replaced {
        int rows = 0;
        QStringList years; // the years replaced, for a catalogue kept per year
    };
    // Replaces the catalogue's rows (for the organisation, the rows of the years the file
    // holds) by the file's. Every line is checked first: the header names columns of the
    // table and every column of its key, every key is there and not repeated, texts fit
    // their widths, numbers, years and kinds read. A row the plan still uses is not
    // removed. Any fault refuses the whole file with ConversionError, naming `fileName`,
    // the line and the column, and nothing is written.
    Replaced importCsv(const Catalogue& catalogue, const QByteArray& bytes,
                       const QString& fileName);

    static QString replacedMessage(const Catalogue& catalogue, const Replaced& replaced);

private:
    Connection* m_connection;
    QList<Query*> m_rows;
};
