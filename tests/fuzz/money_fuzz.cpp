// Amounts as typed in a box ("1500,5"), shown, stored and read back, and the sums and
// shares worked out with them.

#include "core/money.h"
#include "core/rounding.h"
#include "core/wholenumber.h"
#include "fuzzing.h"

#include <QRegularExpression>
#include <QStringList>
#include <limits>

namespace {

constexpr qint64 lowest = std::numeric_limits<qint64>::min();
constexpr qint64 highest = std::numeric_limits<qint64>::max();

// What a text means when it is an amount written plainly: a sign, digits with at most one
// comma or point and at most four decimals, blanks around. Its shortest text with a comma
// ("007,50" is "7,5") and its ten-thousandths, when they fit in 128 bits.
struct Written {
    QString shortest;
    std::optional<Int128> units;
};
std::optional<Written> written(QStringView text) {
    QStringView t = text.trimmed();
    bool negative = false;
    if (!t.isEmpty() && (t[0] == u'-' || t[0] == u'+')) {
        negative = t[0] == u'-';
        t = t.mid(1);
    }
    qsizetype separator = -1;
    for (qsizetype i = 0; i < t.size(); ++i) {
        if (t[i] == u',' || t[i] == u'.') {
            if (separator >= 0)
                return std::nullopt;
            separator = i;
        } else if (t[i] < u'0' || t[i] > u'9') {
            return std::nullopt;
        }
    }
    QStringView whole = separator >= 0 ? t.left(separator) : t;
    QStringView decimals = separator >= 0 ? t.mid(separator + 1) : QStringView();
    if ((whole.isEmpty() && decimals.isEmpty()) || decimals.size() > 4)
        return std::nullopt;
    while (!whole.isEmpty() && whole[0] == u'0')
        whole = whole.mid(1);
    while (!decimals.isEmpty() && decimals.back() == u'0')
        decimals.chop(1);
    Written w;
    w.shortest = whole.isEmpty() ? QStringLiteral("0") : whole.toString();
    if (!decimals.isEmpty())
        w.shortest += u',' + decimals.toString();
    const bool zero = whole.isEmpty() && decimals.isEmpty();
    if (negative && !zero)
        w.shortest.prepend(u'-');
    if (whole.size() <= 30) {
        Int128 units = 0;
        for (const QChar c : whole)
            units = units * 10 + (c.unicode() - u'0');
        for (qsizetype i = 0; i < 4; ++i)
            units = units * 10 + (i < decimals.size() ? decimals[i].unicode() - u'0' : 0);
        w.units = negative ? -units : units;
    }
    return w;
}

bool fits(Int128 v) {
    return v >= lowest && v <= highest;
}

// An operation on amounts either gives the exact result or, when that does not fit,
// refuses with ConversionError; it never wraps.
template <typename F> void exactOrRefused(Int128 exact, F&& operation) {
    const auto result = fuzzing::attempt<ConversionError>(operation);
    FUZZ_CHECK(result.has_value() == fits(exact));
    if (result)
        FUZZ_CHECK(result->units() == exact);
}

// n / d rounded to the nearest whole, halves to the even neighbour: r is within half of
// d of n, and an exact half went to an even r.
void roundedHalfEven(Int128 n, Int128 d, Int128 r) {
    Int128 miss = r * d - n;
    if (miss < 0)
        miss = -miss;
    const Int128 half = d < 0 ? -d : d;
    FUZZ_CHECK(2 * miss <= half);
    if (2 * miss == half)
        FUZZ_CHECK(r % 2 == 0);
}

void arithmetic(Money a, Money b) {
    const Int128 x = a.units();
    const Int128 y = b.units();
    exactOrRefused(x + y, [&] { return a + b; });
    exactOrRefused(x - y, [&] { return a - b; });
    exactOrRefused(-x, [&] { return -a; });
    exactOrRefused(x + y, [&] {
        Money sum = a;
        sum += b;
        return sum;
    });
    FUZZ_CHECK((a < b) == (x < y) && (a == b) == (x == y));
}

void scaling(Money a, qint64 num, qint64 den) {
    const auto r = fuzzing::attempt<ConversionError>([&] { return a.scaled(num, den); });
    if (den == 0) {
        FUZZ_CHECK(!r);
        return;
    }
    const Int128 n = Int128(a.units()) * num;
    if (r) {
        roundedHalfEven(n, den, r->units());
    } else {
        // Refused only when the share itself lies beyond what an amount holds.
        const Int128 q = n / den;
        FUZZ_CHECK(q >= highest || q <= lowest);
    }
}

void roundingToWhole(Money a) {
    const auto r = fuzzing::attempt<ConversionError>([&] { return a.roundedWhole(); });
    FUZZ_CHECK(r.has_value()); // every amount has a whole number of currency units
    roundedHalfEven(a.units(), Money::scale, *r);
}

// An amount read from a text shows and stores as texts that read back as itself.
void readsBack(Money m) {
    const QString shown = m.toString();
    const QString stored = m.toStorageText();
    static const QRegularExpression storage(
        QRegularExpression::anchoredPattern(QStringLiteral("-?[0-9]+\\.[0-9]{4}")));
    static const QRegularExpression display(
        QRegularExpression::anchoredPattern(QStringLiteral("-?[0-9]+(,[0-9]{0,3}[1-9])?")));
    FUZZ_CHECK(storage.match(stored).hasMatch());
    FUZZ_CHECK(display.match(shown).hasMatch());
    FUZZ_CHECK(Money::tryParse(shown) == std::optional(m));
    FUZZ_CHECK(Money::tryParse(stored) == std::optional(m));
    FUZZ_CHECK(Money::parse(shown) == m);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = fuzzing::text(data, size);
    fuzzing::setCurrent(text);
    const std::optional<Written> meant = written(text);

    const std::optional<Money> m = Money::tryParse(text);
    const bool expected = meant && meant->units && fits(*meant->units);
    FUZZ_CHECK(m.has_value() == expected);
    const auto parsed = fuzzing::attempt<ConversionError>([&] { return Money::parse(text); });
    FUZZ_CHECK(parsed == m);

    QList<Money> amounts{Money(),      Money::fromUnits(1),    Money::fromUnits(-1),   Money::max(),
                         Money::min(), Money::fromUnits(5000), Money::fromUnits(15000)};
    if (m) {
        FUZZ_CHECK(m->units() == *meant->units);
        FUZZ_CHECK(m->toString() == meant->shortest);
        readsBack(*m);
        amounts.prepend(*m);
    }
    // "a;b;c": amounts, or whole numbers that scale them, to be worked out together.
    QList<qint64> wholes;
    for (const QString& part : text.split(u';')) {
        if (const auto a = Money::tryParse(part)) {
            readsBack(*a);
            amounts.prepend(*a);
        }
        if (const auto w = tryParseWhole(part)) {
            wholes.append(*w);
            exactOrRefused(Int128(*w) * Money::scale, [&] { return Money::fromWhole(*w); });
        }
    }
    // The amounts of the input with each other and with the extremes.
    const qsizetype own = amounts.size() - 7;
    for (qsizetype i = 0; i < amounts.size(); ++i)
        for (qsizetype j = 0; j < amounts.size(); ++j)
            if (i < own || j < own)
                arithmetic(amounts[i], amounts[j]);

    QList<std::pair<qint64, qint64>> shares{
        {1, 3},      {30, 100},    {100, 100},   {2, 1},           {-1, 1},
        {1, -1},     {1, 0},       {7, 2},       {-7, 2},          {highest, 1},
        {lowest, 1}, {1, highest}, {lowest, -1}, {lowest, lowest}, {3, 20000}};
    if (wholes.size() >= 2)
        shares.prepend({wholes[0], wholes[1]});
    for (qsizetype i = 0; i < qMax<qsizetype>(own, 1); ++i) {
        for (const auto& [num, den] : shares)
            scaling(amounts[i], num, den);
        roundingToWhole(amounts[i]);
    }
    return 0;
}
