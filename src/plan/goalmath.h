#pragma once

#include <QDate>
#include <QString>
#include <QtGlobal>

// A product: its unit, its number (the number of its header) and its year.
struct ProductKey {
    QString unit;
    qint64 number = 0;
    QString year;
};

// The description of the goal that closes every product's list.
inline const QString closingGoalDescription = QStringLiteral("Entrega de producto");

// The cumulative percentage a goal ending on `goalEnd` programmes: the share of the
// product's days from `productStart` to `productEnd` that has passed by then, x 100,
// rounded half to even. Above 100 for a goal ending after the product. Throws
// ConversionError for a product whose span is empty (its end before its start).
qint64 cumulativePercentage(const QDate& productStart, const QDate& productEnd,
                            const QDate& goalEnd);

// The share of `span` days that a goal from `start` to `end` takes, x 100, rounded half to
// even; negative for a goal that ends before it starts. Throws ConversionError when
// `span` is 0.
qint64 goalShare(const QDate& start, const QDate& end, qint64 span);

// A goal lies within its product allowing one day of slack on each side.
bool goalWithinProduct(const QDate& productStart, const QDate& productEnd, const QDate& goalStart,
                       const QDate& goalEnd);

// The first and the last day of a management year ("2008").
inline QDate yearStart(const QString& year) {
    return QDate(year.toInt(), 1, 1);
}
inline QDate yearEnd(const QString& year) {
    return QDate(year.toInt(), 12, 31);
}
