#include "rounding.h"

#include "error.h"

#include <cmath>
#include <limits>

qint64 roundHalfEven(qint64 num, qint64 den) {
    // Work in 128 bits so that the remainder doubling below cannot overflow.
    return roundHalfEven128(num, den);
}

qint64 roundHalfEven128(Int128 n, Int128 d) {
    if (d == 0)
        throw ConversionError(QStringLiteral("División por cero"));
    if (d < 0) {
        n = -n;
        d = -d;
    }
    Int128 q = n / d;
    Int128 r = n % d;
    if (r < 0) { // floor division
        q -= 1;
        r += d;
    }
    const Int128 twice = 2 * r;
    if (twice > d || (twice == d && (q % 2 != 0)))
        q += 1;
    if (q > std::numeric_limits<qint64>::max() || q < std::numeric_limits<qint64>::min())
        throw ConversionError(QStringLiteral("El valor está fuera de rango"));
    return static_cast<qint64>(q);
}

qint64 roundHalfEven(double value) {
    // 2^63 is exactly representable; anything at or above it does not fit.
    constexpr double limit = 9223372036854775808.0;
    if (!std::isfinite(value) || value >= limit || value < -limit)
        throw ConversionError(QStringLiteral("El valor está fuera de rango"));
    const double whole = std::floor(value);
    const double diff = value - whole;
    double result = whole;
    if (diff > 0.5 || (diff == 0.5 && std::fmod(whole, 2.0) != 0.0))
        result = whole + 1.0;
    if (result >= limit)
        throw ConversionError(QStringLiteral("El valor está fuera de rango"));
    return static_cast<qint64>(result);
}
