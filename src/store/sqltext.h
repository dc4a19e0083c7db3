#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

// A statement of the system turned into one every engine prepares: each ":name" (the same
// name used twice is two positions) becomes a "?" in order of appearance. Quoted texts,
// quoted names and "::" casts are left as they are.
//
// For each parameter it also tells the column it is compared with or stored into, where
// the statement says so plainly ("col = :x", "t.col >= ?", "col between ? and ?",
// "insert into t (a, b) values (?, ?)"), so that a text can be handed to the engine as
// the value that column holds (a day/month/year text as a date).
struct PositionalSql {
    QString text;
    int parameterCount = 0;
    QStringList parameterColumns; // lower case; empty where no column is plain
    // The columns a computed result column of the first select list is made from, by its
    // name: "max(t.hito_fecfin) as fin" gives fin -> hito_fecfin, so that it reads as the
    // date that column holds; a count gives "count(*)". Lower case.
    QHash<QString, QString> resultSources;
};

PositionalSql toPositional(const QString& sql);

// A statement with "?" marks written with PostgreSQL's numbered marks: "$1", "$2", ... in
// order. Quoted texts and names are left as they are.
QString numberedParameters(const QString& positional);
