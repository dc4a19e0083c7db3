#pragma once

#include <QColor>
#include <QDate>
#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

class DBGrid;
class QPagedPaintDevice;
class QTextDocument;

// A listing as the user sees it, to print or to write to a file: a title, the lines that
// say what it lists (the choices made, the date, the user), an optional picture, and the
// rows of a grid with their columns' titles, each cell with its colours.
struct Sheet {
    struct Cell {
        QString text;
        std::optional<QColor> background;
        bool bold = false;
    };

    QString title;
    QStringList heading;
    QImage picture;
    QStringList columns;
    QList<QList<Cell>> rows;

    // The rows a grid shows, in its order, with the texts and colours of its columns (of
    // these fields only, when given).
    static Sheet ofGrid(const DBGrid& grid, const QStringList& fields = {});
    // The heading's last lines: the day it was made and who made it.
    static QStringList madeBy(const QString& user, const QDate& day);

    // Text for spreadsheets: the title and the heading, a line each, an empty line, then
    // the titles of the columns and the rows; fields separated by ';' (the comma is the
    // decimal separator here), quoted where they must be, lines ended by CR LF.
    QString csv() const;
    // The sheet as one document (HTML), the rows in a table with their colours.
    std::unique_ptr<QTextDocument> document() const;
    // Lays the sheet out on the pages of a printer or a PDF writer.
    void print(QPagedPaintDevice* device) const;
    // Writes the sheet to `path`: PDF (landscape A4) or CSV in UTF-8 with a byte order
    // mark (so that spreadsheets take it as UTF-8), by the file's extension. Throws Error
    // when the file cannot be written.
    void save(const QString& path) const;
};
