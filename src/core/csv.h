#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// Reads comma-separated text: a header row and data rows, fields quoted with '"' where
// they hold the separator, a quote or a line break (a quote inside is doubled). LF, CRLF
// or CR line ends. Throws ConversionError on an unterminated quote or a row of the wrong
// width, naming its line.
struct CsvTable {
    QStringList header;
    QList<QStringList> rows;
    // The line of the text each row begins on (1 is the first line of the text); a quoted
    // line break makes a row take more than one.
    QList<int> lines;
    int headerLine = 1;
};

CsvTable parseCsv(const QString& text, QChar separator = u',');

// A file as a spreadsheet saves it: UTF-8 (with or without a byte order mark), or the
// one-byte Western text of older spreadsheets when it is not UTF-8; fields separated by
// ';' or ',', whichever the header line uses outside quotes (',' when it uses neither).
CsvTable parseSpreadsheetCsv(const QByteArray& bytes);

// Writes a header and rows as comma-separated text in UTF-8, as the installation data is
// written: a field is quoted only where it holds a comma, a quote, a line break or blanks
// at either end; lines end in LF.
QByteArray writeCsv(const QStringList& header, const QList<QStringList>& rows);
