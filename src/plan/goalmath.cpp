#include "goalmath.h"

#include "core/days.h"
#include "core/rounding.h"

qint64 cumulativePercentage(const QDate& productStart, const QDate& productEnd,
                            const QDate& goalEnd) {
    return roundHalfEven(daysInclusive(productStart, goalEnd) * 100,
                         daysInclusive(productStart, productEnd));
}

qint64 goalShare(const QDate& start, const QDate& end, qint64 span) {
    return roundHalfEven(daysInclusive(start, end) * 100, span);
}

bool goalWithinProduct(const QDate& productStart, const QDate& productEnd, const QDate& goalStart,
                       const QDate& goalEnd) {
    return !(goalStart.addDays(1) < productStart || goalEnd.addDays(-1) > productEnd);
}
