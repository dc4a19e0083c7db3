#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Reads comma-separated text: a header row and data rows, fields quoted with '"' where
// they hold a comma, a quote or a line break (a quote inside is doubled). LF or CRLF line
// ends. Throws ConversionError on an unterminated quote or a row of the wrong width.
struct CsvTable {
    QStringList header;
    QList<QStringList> rows;
};

CsvTable parseCsv(const QString& text);
