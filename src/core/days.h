#pragma once

#include <QDate>

// Dates are used as whole days. A period from day a to day b counts b - a + 1 days.

inline qint64 dayNumber(const QDate& date) {
    return date.toJulianDay();
}

inline qint64 daysInclusive(const QDate& from, const QDate& to) {
    return dayNumber(to) - dayNumber(from) + 1;
}
