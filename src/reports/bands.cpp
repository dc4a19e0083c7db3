#include "bands.h"

#include "core/days.h"
#include "core/rounding.h"
#include "store/query.h"

qint64 expectedAtLastReport(const QDate& lastReport, const QDate& start, const QDate& end) {
    const qint64 span = daysInclusive(start, end);
    if (span <= 0)
        return 0;
    return roundHalfEven(daysInclusive(start, lastReport) * 100, span);
}

Bands Bands::read(Connection& connection) {
    Query rango(&connection, QStringLiteral("select * from t_rango"));
    rango.open();
    QList<Band> bands;
    Band current;
    for (int k = 0; k < 4; ++k) {
        if (k < rango.rowCount()) {
            rango.moveTo(k);
            current = {rango.integer("inicio"), rango.integer("final")};
        }
        bands.append(current);
    }
    return Bands(bands);
}

std::optional<int> Bands::bandOf(qint64 difference) const {
    std::optional<int> found;
    for (int k = 0; k < m_bands.size(); ++k)
        if (m_bands[k].end < difference && difference < m_bands[k].start)
            found = k + 1;
    return found;
}

Bands::Rgb Bands::colour(int band) {
    switch (band) {
    case 1:
        return {255, 255, 255};
    case 2:
        return {255, 255, 0};
    case 3:
        return {255, 197, 138};
    default:
        return {255, 183, 183};
    }
}
