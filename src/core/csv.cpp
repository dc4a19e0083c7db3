#include "csv.h"

#include "error.h"

namespace {

QList<QStringList> parseRecords(const QString& text) {
    QList<QStringList> records;
    QStringList record;
    QString field;
    bool quoted = false;
    bool fieldStarted = false;
    const qsizetype n = text.size();
    auto endField = [&] {
        record.append(field);
        field.clear();
        fieldStarted = false;
    };
    auto endRecord = [&] {
        endField();
        if (!(record.size() == 1 && record.first().isEmpty()))
            records.append(record);
        record.clear();
    };
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == u'"') {
                if (i + 1 < n && text[i + 1] == u'"') {
                    field += u'"';
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                field += c;
            }
            continue;
        }
        if (c == u'"' && !fieldStarted) {
            quoted = true;
            fieldStarted = true;
        } else if (c == u',') {
            endField();
        } else if (c == u'\n') {
            endRecord();
        } else if (c == u'\r') {
            if (i + 1 < n && text[i + 1] == u'\n')
                continue;
            endRecord();
        } else {
            field += c;
            fieldStarted = true;
        }
    }
    if (quoted)
        throw ConversionError(QStringLiteral("Texto CSV con comillas sin cerrar"));
    if (fieldStarted || !field.isEmpty() || !record.isEmpty())
        endRecord();
    return records;
}

} // namespace

CsvTable parseCsv(const QString& text) {
    QList<QStringList> records = parseRecords(text);
    CsvTable table;
    if (records.isEmpty())
        return table;
    table.header = records.takeFirst();
    for (qsizetype r = 0; r < records.size(); ++r) {
        if (records[r].size() != table.header.size())
            throw ConversionError(QStringLiteral("Fila %1 del CSV con %2 campos en vez de %3")
                                      .arg(r + 2)
                                      .arg(records[r].size())
                                      .arg(table.header.size()));
    }
    table.rows = std::move(records);
    return table;
}
