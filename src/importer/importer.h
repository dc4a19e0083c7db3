#pragma once

#include "core/error.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

class Connection;

// Brings an office's old database file (QUV.mdb) into the store, all in one action: every
// table the store has, column by column by name, each value converted to its column's type,
// rows keeping their numbers and accounts their passwords.
//
// - The organisation (vice-ministries, directorates, units) of the years the file holds
//   replaces the store's rows of those years; every catalogue the file holds replaces the
//   store's; plans, reports, budgets and accounts are added.
// - It refuses, writing nothing, when the store already holds plan rows or accounts for a
//   year the file holds (the installation's own administrator aside, whom the file's
//   accounts replace), when the file cannot be read, and when a value does not fit its
//   column. A second import of the same file is refused so.
class Importer {
public:
    struct TableCount {
        QString table;
        qint64 read = 0;
        qint64 written = 0;
    };
    struct Summary {
        QList<TableCount> tables;
        QStringList years;
        QStringList ignored; // tables and columns of the file the store has not
        QStringList missing; // tables and columns of the store the file lacks
        // The summary as the window lists it and the command prints it.
        QStringList lines() const;
    };
    // What the import is doing: the table being read, its rows so far and in all. Returns
    // false to cancel the import, which then writes nothing.
    using Progress = std::function<bool(const QString& table, qint64 rows, qint64 total)>;

    Importer(Connection& store, const QString& file);

    // Runs inside the current user action (the caller's transaction): throws Error for a
    // refusal, ImportCancelled when cancelled; either way the caller's action undoes it.
    Summary run(const Progress& progress);

private:
    Connection& m_store;
    QString m_file;
};

// The import was cancelled: nothing of it stays.
class ImportCancelled : public Error {
public:
    ImportCancelled()
        : Error(QStringLiteral("Importación cancelada: no se escribió nada")) {}
};
