#pragma once

#include "core/money.h"

#include <QString>
#include <QStringList>
#include <array>
#include <limits>
#include <optional>

// The figures of a product's budget for one year: the twelve months of the cash flow with
// each month's share of the budgeted total, the split of the total by type of support, and
// the share of the programme that has been executed. Amounts are exact fixed point;
// percentages are whole numbers rounded half to even.

inline constexpr int monthCount = 12;
using MonthAmounts = std::array<Money, monthCount>;
using MonthPercentages = std::array<qint64, monthCount>;

// "Enero" ... "Diciembre", January first.
const QStringList& monthNames();
// The month (1 to 12) a name stands for, compared as typed ("Marzo", not "marzo"); none
// for any other text.
std::optional<int> monthNumber(const QString& name);

Money sum(const MonthAmounts& amounts);

// A month's share of the total: amount x 100 / total, rounded to a whole percent, halves to
// even (125 of 1000 gives 12, 135 gives 14). Each month is rounded on its own. Throws
// ConversionError when the total is zero.
qint64 monthPercentage(Money amount, Money total);

// What typing a month's amount recomputes.
struct MonthFigures {
    // The months added up.
    Money sum;
    // Each month's share of the total; none when the total is zero (the user is asked for
    // the total and the shown percentages stay).
    std::optional<MonthPercentages> percentages;
    // The part of the total not yet programmed: total - sum, negative when the months
    // exceed the total.
    Money difference;
};
MonthFigures monthRule(const MonthAmounts& amounts, Money total);

// A percentage as typed in a box: a whole number within [min, max]. Throws ConversionError
// naming the box (its caption `box`) when the text is no whole number or lies outside.
qint64 readPercentage(QStringView text, const QString& box,
                      qint64 min = std::numeric_limits<qint64>::min(),
                      qint64 max = std::numeric_limits<qint64>::max());

// The twelve percentages added up, and whether that is more than the whole.
qint64 percentageTotal(const MonthPercentages& percentages);
inline bool exceedsWhole(qint64 percentageTotal) {
    return percentageTotal > 100;
}

// The split of the total between two types of support, from the percentage given for one
// of them.
struct SupportSplit {
    // The part the given percentage takes.
    Money share;
    // The other type's percentage and part: 100 - p, and the rest of the total.
    qint64 otherPercentage = 0;
    Money other;
};
// None when the percentage lies outside 1 to 100. A whole total is split in whole amounts
// (30 % of 1005 gives 302, 301.5 rounded half to even); a total with decimals is split to
// the ten-thousandth, halves to even. Either way share + other is the total.
std::optional<SupportSplit> splitBySupport(qint64 percentage, Money total);

// The percentages a stored split was made with, read back from its two amounts: the
// share's part of their sum (the total it was split from), rounded half to even, and the
// rest of 100 for the other. None when the amounts add up to nothing: no split was made.
struct SplitPercentages {
    qint64 share = 0;
    qint64 other = 0;
};
std::optional<SplitPercentages> splitPercentages(Money share, Money other);

// The executed share of the programme: executed x 100 / programmed, to four decimals with
// halves to even (500 of 12000 gives 4,1667); 0 when nothing is programmed.
Money executedShare(Money executed, Money programmed);
