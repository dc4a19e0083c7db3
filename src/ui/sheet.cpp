#include "sheet.h"

#include "core/datetext.h"
#include "core/error.h"
#include "dbgrid.h"
#include "store/dataset.h"
#include "store/datasource.h"

#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextDocument>
#include <QUrl>

Sheet Sheet::ofGrid(const DBGrid& grid, const QStringList& only) {
    Sheet sheet;
    QStringList fields;
    for (const DBGrid::Column& c : grid.columns()) {
        if (!only.isEmpty() && !only.contains(c.field))
            continue;
        fields.append(c.field);
        sheet.columns.append(c.title.trimmed());
    }
    for (int r = 0; r < grid.rowCount(); ++r) {
        QList<Cell> row;
        for (const QString& field : std::as_const(fields)) {
            const DBGrid::CellColours colours = grid.cellColours(r, field);
            row.append({grid.cellText(r, field), colours.background, colours.bold});
        }
        sheet.rows.append(row);
    }
    return sheet;
}

QStringList Sheet::madeBy(const QString& user, const QDate& day) {
    return {QStringLiteral("Fecha: %1").arg(showDate(day)),
            QStringLiteral("Usuario: %1").arg(user)};
}

namespace {

QString csvField(const QString& text) {
    if (!text.contains(u';') && !text.contains(u'"') && !text.contains(u'\n') &&
        !text.contains(u'\r'))
        return text;
    return u'"' + QString(text).replace(u'"', QStringLiteral("\"\"")) + u'"';
}

QString csvLine(const QStringList& fields) {
    QStringList quoted;
    for (const QString& f : fields)
        quoted.append(csvField(f));
    return quoted.join(u';') + QStringLiteral("\r\n");
}

const QUrl pictureUrl(QStringLiteral("sheet://picture"));

} // namespace

QString Sheet::csv() const {
    QString out;
    for (const QString& line : QStringList(title) + heading)
        out += csvLine({line});
    out += QStringLiteral("\r\n");
    out += csvLine(columns);
    for (const QList<Cell>& row : rows) {
        QStringList texts;
        for (const Cell& c : row)
            texts.append(c.text);
        out += csvLine(texts);
    }
    return out;
}

std::unique_ptr<QTextDocument> Sheet::document() const {
    QString html = QStringLiteral("<html><body><h2>%1</h2>").arg(title.toHtmlEscaped());
    for (const QString& line : heading)
        html += QStringLiteral("<p style=\"margin:0\">%1</p>").arg(line.toHtmlEscaped());
    if (!picture.isNull())
        html += QStringLiteral("<p><img src=\"%1\" width=\"%2\" height=\"%3\"></p>")
                    .arg(pictureUrl.toString())
                    .arg(picture.width())
                    .arg(picture.height());
    html += QStringLiteral("<br><table border=\"1\" cellspacing=\"0\" cellpadding=\"3\" "
                           "style=\"border-collapse:collapse\" width=\"100%\"><thead><tr>");
    for (const QString& c : columns)
        html += QStringLiteral("<th bgcolor=\"#e6e6e6\">%1</th>").arg(c.toHtmlEscaped());
    html += QStringLiteral("</tr></thead>");
    for (const QList<Cell>& row : rows) {
        html += QStringLiteral("<tr>");
        for (const Cell& c : row) {
            const QString text = c.bold ? QStringLiteral("<b>%1</b>").arg(c.text.toHtmlEscaped())
                                        : c.text.toHtmlEscaped();
            if (c.background)
                html +=
                    QStringLiteral("<td bgcolor=\"%1\">%2</td>").arg(c.background->name(), text);
            else
                html += QStringLiteral("<td>%1</td>").arg(text);
        }
        html += QStringLiteral("</tr>");
    }
    html += QStringLiteral("</table></body></html>");
    auto document = std::make_unique<QTextDocument>();
    if (!picture.isNull())
        document->addResource(QTextDocument::ImageResource, pictureUrl, picture);
    document->setHtml(html);
    return document;
}

void Sheet::print(QPagedPaintDevice* device) const {
    const std::unique_ptr<QTextDocument> doc = document();
    // Laid out on the device's pages here, in screen pixels: a document left to lay itself
    // out prints a copy of itself, which has lost the picture.
    doc->setPageSize(device->pageLayout().paintRectPixels(96).size());
    doc->print(device);
}

void Sheet::save(const QString& path) const {
    const QString failure = QStringLiteral("No se pudo guardar el archivo %1").arg(path);
    if (QFileInfo(path).suffix().compare(QLatin1String("pdf"), Qt::CaseInsensitive) == 0) {
        {
            QPdfWriter writer(path);
            writer.setTitle(title);
            writer.setCreator(QStringLiteral("Sistema de Monitoreo"));
            writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                             QMarginsF(12, 12, 12, 12), QPageLayout::Millimeter));
            print(&writer);
        }
        // The writer says nothing of a file it could not open: see that it is there.
        if (QFileInfo(path).size() == 0)
            throw Error(failure);
        return;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw Error(QStringLiteral("%1: %2").arg(failure, file.errorString()));
    file.write("\xEF\xBB\xBF");
    file.write(csv().toUtf8());
    if (!file.commit())
        throw Error(QStringLiteral("%1: %2").arg(failure, file.errorString()));
}
