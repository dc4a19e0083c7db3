#include "daychart.h"

#include "core/error.h"

#include <QFileInfo>
#include <QImage>
#include <QLocale>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <algorithm>
#include <cmath>

DayChart::DayChart(QWidget* parent)
    : QWidget(parent) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void DayChart::setChart(const QDate& from, const QDate& to, const QList<Series>& series,
                        const std::optional<QDate>& marked, const QString& markedName) {
    m_from = from;
    m_to = to;
    m_series = series;
    m_marked = marked;
    m_markedName = markedName;
    update();
}

void DayChart::setEmptyText(const QString& text) {
    m_emptyText = text;
    update();
}

namespace {

void drawMarker(QPainter& p, DayChart::Marker marker, const QPointF& at, qreal size) {
    const qreal r = size / 2;
    switch (marker) {
    case DayChart::Marker::None:
        return;
    case DayChart::Marker::Circle:
        p.drawEllipse(at, r, r);
        return;
    case DayChart::Marker::Square:
        p.drawRect(QRectF(at.x() - r, at.y() - r, size, size));
        return;
    case DayChart::Marker::Diamond: {
        const qreal d = r * 1.35;
        p.drawPolygon(QPolygonF(
            {at + QPointF(0, -d), at + QPointF(d, 0), at + QPointF(0, d), at + QPointF(-d, 0)}));
        return;
    }
    case DayChart::Marker::Triangle:
        p.drawPolygon(QPolygonF(
            {at + QPointF(0, -r * 1.2), at + QPointF(r * 1.1, r), at + QPointF(-r * 1.1, r)}));
        return;
    }
}

// The pen and brush a series draws its line and its markers with.
QPen linePen(const DayChart::Series& s, qreal unit) {
    QPen pen(s.colour, s.width * unit, s.line);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

void drawSample(QPainter& p, const DayChart::Series& s, const QRectF& box, qreal unit) {
    const qreal y = box.center().y();
    if (s.line != Qt::NoPen) {
        p.setPen(linePen(s, unit));
        p.drawLine(QPointF(box.left(), y), QPointF(box.right(), y));
    }
    p.setPen(QPen(s.colour, 1.5 * unit));
    p.setBrush(s.filled ? QBrush(s.colour) : QBrush(Qt::white));
    drawMarker(p, s.marker, box.center(), 8 * unit);
}

} // namespace

void DayChart::draw(QPainter& p, const QRectF& area) const {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    // Lengths in pixels of a 96-dpi screen, whatever the device.
    const qreal unit = std::max<qreal>(1.0, p.device()->logicalDpiY() / 96.0);
    QFont font = this->font();
    font.setPointSizeF(std::max<qreal>(7.5, font.pointSizeF() * 0.9));
    p.setFont(font);
    const QFontMetricsF metrics(font, p.device());
    p.fillRect(area, Qt::white);

    if (m_series.isEmpty() || !m_from.isValid() || !m_to.isValid()) {
        p.setPen(Qt::darkGray);
        p.drawText(area, Qt::AlignCenter | Qt::TextWordWrap, m_emptyText);
        p.restore();
        return;
    }

    // The legend, in as many lines as it needs.
    const qreal pad = 8 * unit;
    const qreal sample = 28 * unit;
    const qreal lineHeight = metrics.height() + 4 * unit;
    struct Entry {
        const Series* series;
        QString name;
    };
    QList<Entry> entries;
    for (const Series& s : m_series)
        if (!s.name.isEmpty())
            entries.append({&s, s.name});
    Series markedSeries{m_markedName, {}, Qt::black, Qt::DashDotLine, 1.5, Marker::None, true};
    if (m_marked)
        entries.append({&markedSeries, m_markedName});
    QList<QList<std::pair<Entry, qreal>>> legendLines(1);
    qreal x = area.left() + pad;
    for (const Entry& e : entries) {
        const qreal w = sample + 4 * unit + metrics.horizontalAdvance(e.name) + 14 * unit;
        if (x + w > area.right() - pad && !legendLines.last().isEmpty()) {
            legendLines.append(QList<std::pair<Entry, qreal>>());
            x = area.left() + pad;
        }
        legendLines.last().append({e, x});
        x += w;
    }
    qreal y = area.top() + pad;
    for (const auto& line : legendLines) {
        for (const auto& [e, left] : line) {
            drawSample(p, *e.series, QRectF(left, y, sample, lineHeight), unit);
            p.setPen(Qt::black);
            p.drawText(QRectF(left + sample + 4 * unit, y, area.right() - left, lineHeight),
                       Qt::AlignLeft | Qt::AlignVCenter, e.name);
        }
        y += lineHeight;
    }

    // The plot: percentages up, days across.
    const qreal left =
        area.left() + pad + metrics.horizontalAdvance(QStringLiteral("100 %")) + 6 * unit;
    const QRectF plot(QPointF(left, y + 6 * unit),
                      QPointF(area.right() - pad - 6 * unit, area.bottom() - pad - 2 * lineHeight));
    if (plot.width() < 10 || plot.height() < 10) {
        p.restore();
        return;
    }
    const qint64 days = std::max<qint64>(1, m_from.daysTo(m_to));
    auto px = [&](const QDate& day) {
        return plot.left() + plot.width() * m_from.daysTo(day) / days;
    };
    auto py = [&](double value) { return plot.bottom() - plot.height() * value / 100.0; };

    p.setPen(QPen(QColor(215, 215, 215), unit));
    for (int v = 0; v <= 100; v += 25) {
        p.drawLine(QPointF(plot.left(), py(v)), QPointF(plot.right(), py(v)));
    }
    p.setPen(Qt::black);
    for (int v = 0; v <= 100; v += 25)
        p.drawText(
            QRectF(area.left(), py(v) - lineHeight / 2, left - area.left() - 6 * unit, lineHeight),
            Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("%1 %").arg(v));

    // Months below: a tick at each month's first day, its name between ticks; the year
    // under January and under the first month shown.
    const QLocale locale;
    p.setPen(QPen(Qt::black, unit));
    p.drawLine(plot.bottomLeft(), plot.bottomRight());
    p.drawLine(plot.bottomLeft(), plot.topLeft());
    QDate month(m_from.year(), m_from.month(), 1);
    const qreal monthWidth = plot.width() * 30.0 / days;
    const bool named = monthWidth >= metrics.horizontalAdvance(QStringLiteral("mmm")) + 2 * unit;
    bool first = true;
    for (; month <= m_to; month = month.addMonths(1)) {
        const QDate shownFrom = std::max(month, m_from);
        const QDate next = month.addMonths(1);
        const QDate shownTo = std::min(next, m_to);
        if (month >= m_from)
            p.drawLine(QPointF(px(month), plot.bottom()),
                       QPointF(px(month), plot.bottom() + 4 * unit));
        const qreal a = px(shownFrom);
        const qreal b = px(shownTo);
        if (named && b - a >= metrics.horizontalAdvance(QStringLiteral("mmm"))) {
            p.drawText(QRectF(a, plot.bottom() + 4 * unit, b - a, lineHeight), Qt::AlignCenter,
                       locale.monthName(month.month(), QLocale::ShortFormat).remove(u'.'));
            if (first || month.month() == 1)
                p.drawText(QRectF(a - 20 * unit, plot.bottom() + 4 * unit + lineHeight,
                                  b - a + 40 * unit, lineHeight),
                           Qt::AlignCenter, QString::number(month.year()));
            first = false;
        }
    }
    if (!named) {
        p.drawText(QRectF(plot.left(), plot.bottom() + 4 * unit, plot.width(), lineHeight),
                   Qt::AlignLeft, locale.toString(m_from, QStringLiteral("dd/MMM/yyyy")));
        p.drawText(QRectF(plot.left(), plot.bottom() + 4 * unit, plot.width(), lineHeight),
                   Qt::AlignRight, locale.toString(m_to, QStringLiteral("dd/MMM/yyyy")));
    }

    if (m_marked) {
        p.setPen(QPen(Qt::black, 1.5 * unit, Qt::DashDotLine));
        const qreal mx = px(*m_marked);
        p.drawLine(QPointF(mx, plot.top()), QPointF(mx, plot.bottom()));
    }

    p.setClipRect(plot.adjusted(-10 * unit, -10 * unit, 10 * unit, 10 * unit));
    for (const Series& s : m_series) {
        if (s.line != Qt::NoPen && s.points.size() > 1) {
            QPainterPath path(QPointF(px(s.points.first().day), py(s.points.first().value)));
            for (qsizetype i = 1; i < s.points.size(); ++i)
                path.lineTo(px(s.points.at(i).day), py(s.points.at(i).value));
            p.setPen(linePen(s, unit));
            p.setBrush(Qt::NoBrush);
            p.drawPath(path);
        }
    }
    for (const Series& s : m_series) {
        if (s.marker == Marker::None)
            continue;
        p.setPen(QPen(s.colour, 1.5 * unit));
        p.setBrush(s.filled ? QBrush(s.colour) : QBrush(Qt::white));
        for (const Point& pt : s.points)
            drawMarker(p, s.marker, QPointF(px(pt.day), py(pt.value)), 8 * unit);
    }
    p.restore();
}

QImage DayChart::picture(const QSize& size) const {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    draw(p, QRectF(QPointF(0, 0), QSizeF(size)));
    return image;
}

void DayChart::save(const QString& path, const QString& title) const {
    const QString failure = QStringLiteral("No se pudo guardar el archivo %1").arg(path);
    if (QFileInfo(path).suffix().compare(QLatin1String("pdf"), Qt::CaseInsensitive) == 0) {
        QPdfWriter writer(path);
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("Sistema de Monitoreo"));
        writer.setResolution(300);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                         QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter));
        QPainter p;
        if (!p.begin(&writer))
            throw Error(failure);
        const QRectF page(QPointF(0, 0), QSizeF(writer.width(), writer.height()));
        QFont heading = font();
        heading.setPointSizeF(heading.pointSizeF() * 1.3);
        heading.setBold(true);
        p.setFont(heading);
        const qreal titleHeight = QFontMetricsF(heading, &writer).height() * 1.6;
        p.drawText(QRectF(page.topLeft(), QSizeF(page.width(), titleHeight)),
                   Qt::AlignLeft | Qt::AlignVCenter, title);
        draw(p, page.adjusted(0, titleHeight, 0, 0));
        if (!p.end())
            throw Error(failure);
        return;
    }
    if (!picture(size().expandedTo(QSize(800, 520))).save(path, "PNG"))
        throw Error(failure);
}

void DayChart::paintEvent(QPaintEvent*) {
    QPainter p(this);
    draw(p, QRectF(rect()));
}
