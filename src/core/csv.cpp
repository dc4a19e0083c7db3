#include "csv.h"

#include "error.h"

#include <QStringDecoder>

namespace {

struct Records {
    QList<QStringList> records;
    QList<int> lines;
};

Records parseRecords(const QString& text, QChar separator) {
    Records out;
    QStringList record;
    QString field;
    bool quoted = false;
    bool fieldStarted = false;
    int line = 1;
    int recordLine = 1;
    int quoteLine = 1;
    const qsizetype n = text.size();
    auto endField = [&] {
        record.append(field);
        field.clear();
        fieldStarted = false;
    };
    auto endRecord = [&] {
        endField();
        if (!(record.size() == 1 && record.first().isEmpty())) {
            out.records.append(record);
            out.lines.append(recordLine);
        }
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
                if (c == u'\n' || (c == u'\r' && !(i + 1 < n && text[i + 1] == u'\n')))
                    ++line;
                field += c;
            }
            continue;
        }
        if (c == u'"' && !fieldStarted) {
            quoted = true;
            fieldStarted = true;
            quoteLine = line;
        } else if (c == separator) {
            endField();
        } else if (c == u'\n') {
            endRecord();
            recordLine = ++line;
        } else if (c == u'\r') {
            if (i + 1 < n && text[i + 1] == u'\n')
                continue;
            endRecord();
            recordLine = ++line;
        } else {
            field += c;
            fieldStarted = true;
        }
    }
    if (quoted)
        throw ConversionError(
            QStringLiteral("Línea %1 del CSV: comillas sin cerrar").arg(quoteLine));
    if (fieldStarted || !field.isEmpty() || !record.isEmpty())
        endRecord();
    return out;
}

QString csvField(const QString& text) {
    const bool plain = !text.contains(u',') && !text.contains(u'"') && !text.contains(u'\n') &&
                       !text.contains(u'\r') &&
                       (text.isEmpty() || (!text.front().isSpace() && !text.back().isSpace()));
    if (plain)
        return text;
    return u'"' + QString(text).replace(u'"', QStringLiteral("\"\"")) + u'"';
}

} // namespace

CsvTable parseCsv(const QString& text, QChar separator) {
    Records read = parseRecords(text, separator);
    CsvTable table;
    if (read.records.isEmpty())
        return table;
    table.header = read.records.takeFirst();
    table.headerLine = read.lines.takeFirst();
    for (qsizetype r = 0; r < read.records.size(); ++r) {
        if (read.records[r].size() != table.header.size())
            throw ConversionError(QStringLiteral("Línea %1 del CSV: %2 campos en vez de %3")
                                      .arg(read.lines[r])
                                      .arg(read.records[r].size())
                                      .arg(table.header.size()));
    }
    table.rows = std::move(read.records);
    table.lines = std::move(read.lines);
    return table;
}

CsvTable parseSpreadsheetCsv(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        text = QString::fromLatin1(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    // The separator the header line uses outside quotes.
    int commas = 0, semicolons = 0;
    bool quoted = false;
    for (const QChar c : text) {
        if (c == u'"')
            quoted = !quoted;
        else if (!quoted && (c == u'\n' || c == u'\r'))
            break;
        else if (!quoted && c == u',')
            ++commas;
        else if (!quoted && c == u';')
            ++semicolons;
    }
    return parseCsv(text, semicolons > commas ? u';' : u',');
}

QByteArray writeCsv(const QStringList& header, const QList<QStringList>& rows) {
    QString out;
    const auto line = [&out](const QStringList& fields) {
        for (qsizetype i = 0; i < fields.size(); ++i) {
            if (i)
                out += u',';
            out += csvField(fields[i]);
        }
        out += u'\n';
    };
    line(header);
    for (const QStringList& row : rows)
        line(row);
    return out.toUtf8();
}
