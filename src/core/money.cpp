#include "money.h"

#include "error.h"
#include "rounding.h"

#include <limits>

namespace {

ConversionError outOfRange() {
    return ConversionError(QStringLiteral("El monto está fuera de rango"));
}

} // namespace

Money Money::fromWhole(qint64 whole) {
    qint64 units = 0;
    if (__builtin_mul_overflow(whole, scale, &units))
        throw outOfRange();
    return Money(units);
}

std::optional<Money> Money::tryParse(QStringView text) {
    const QStringView t = text.trimmed();
    qsizetype i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == u'-' || t[i] == u'+')) {
        negative = t[i] == u'-';
        ++i;
    }
    // Accumulate as a negative number so that the smallest amount fits too.
    qint64 units = 0;
    int intDigits = 0;
    int decimals = 0;
    bool separator = false;
    for (; i < t.size(); ++i) {
        const QChar c = t[i];
        if (c == u',' || c == u'.') {
            if (separator)
                return std::nullopt;
            separator = true;
            continue;
        }
        if (c < u'0' || c > u'9')
            return std::nullopt;
        if (separator) {
            if (++decimals > 4)
                return std::nullopt;
        } else {
            ++intDigits;
        }
        if (__builtin_mul_overflow(units, qint64(10), &units) ||
            __builtin_sub_overflow(units, qint64(c.unicode() - u'0'), &units))
            return std::nullopt;
    }
    if (intDigits == 0 && decimals == 0)
        return std::nullopt;
    for (; decimals < 4; ++decimals)
        if (__builtin_mul_overflow(units, qint64(10), &units))
            return std::nullopt;
    if (!negative) {
        if (units == std::numeric_limits<qint64>::min())
            return std::nullopt;
        units = -units;
    }
    return Money(units);
}

Money Money::parse(QStringView text) {
    if (auto m = tryParse(text))
        return *m;
    throw ConversionError(QStringLiteral("\"%1\" no es un monto válido").arg(text));
}

QString Money::toStorageText() const {
    // Digits of the magnitude, computed on the unsigned value so that min() works.
    const bool negative = m_units < 0;
    const quint64 magnitude =
        negative ? quint64(0) - static_cast<quint64>(m_units) : static_cast<quint64>(m_units);
    QString digits = QString::number(magnitude / scale);
    QString fraction = QString::number(magnitude % scale).rightJustified(4, u'0');
    return (negative ? QStringLiteral("-") : QString()) + digits + u'.' + fraction;
}

QString Money::toString() const {
    QString text = toStorageText();
    while (text.endsWith(u'0'))
        text.chop(1);
    if (text.endsWith(u'.'))
        text.chop(1);
    text.replace(u'.', u',');
    return text;
}

Money Money::operator+(Money other) const {
    qint64 r = 0;
    if (__builtin_add_overflow(m_units, other.m_units, &r))
        throw outOfRange();
    return Money(r);
}

Money Money::operator-(Money other) const {
    qint64 r = 0;
    if (__builtin_sub_overflow(m_units, other.m_units, &r))
        throw outOfRange();
    return Money(r);
}

Money Money::operator-() const {
    return Money() - *this;
}

Money Money::scaled(qint64 num, qint64 den) const {
    try {
        return Money(roundHalfEven128(static_cast<Int128>(m_units) * num, den));
    } catch (const ConversionError&) {
        if (den == 0)
            throw;
        throw outOfRange();
    }
}

qint64 Money::roundedWhole() const {
    return roundHalfEven(m_units, scale);
}
