#pragma once

#include <QColor>
#include <QDate>
#include <QList>
#include <QString>
#include <QWidget>
#include <optional>

class QPainter;

// A chart of percentages (0 to 100) over days: lines straight or in steps, points with
// markers, one day marked by an upright line, a legend above, months below. Each series
// is told apart by its dash and its marker as well as its colour, so that the chart reads
// in black and white and for those who do not tell colours apart. The same drawing goes
// to the screen, a picture, a PDF page and a printer.
class DayChart : public QWidget {
    Q_OBJECT
public:
    enum class Marker { None, Circle, Square, Diamond, Triangle };
    struct Point {
        QDate day;
        double value = 0;
    };
    struct Series {
        QString name;
        QList<Point> points;
        QColor colour;
        Qt::PenStyle line = Qt::SolidLine; // Qt::NoPen: points only
        qreal width = 2;
        Marker marker = Marker::None;
        bool filled = true;
    };

    explicit DayChart(QWidget* parent = nullptr);

    // What the chart shows; an empty list of series shows the empty text instead.
    void setChart(const QDate& from, const QDate& to, const QList<Series>& series,
                  const std::optional<QDate>& marked = std::nullopt,
                  const QString& markedName = QString());
    void setEmptyText(const QString& text);

    const QList<Series>& series() const { return m_series; }
    std::optional<QDate> markedDay() const { return m_marked; }
    bool isEmpty() const { return m_series.isEmpty(); }

    // Draws the chart into `area` of any painter.
    void draw(QPainter& painter, const QRectF& area) const;
    // The chart as a picture of this size.
    QImage picture(const QSize& size) const;
    // Writes the chart as a PNG picture or as a one-page PDF (landscape A4), by the file's
    // extension. Throws Error when the file cannot be written.
    void save(const QString& path, const QString& title) const;

    QSize sizeHint() const override { return {420, 320}; }
    QSize minimumSizeHint() const override { return {240, 200}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QDate m_from;
    QDate m_to;
    QList<Series> m_series;
    std::optional<QDate> m_marked;
    QString m_markedName;
    QString m_emptyText;
};
