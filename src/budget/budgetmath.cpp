#include "budgetmath.h"

#include "core/error.h"
#include "core/rounding.h"
#include "core/wholenumber.h"

const QStringList& monthNames() {
    static const QStringList names{
        QStringLiteral("Enero"),   QStringLiteral("Febrero"),   QStringLiteral("Marzo"),
        QStringLiteral("Abril"),   QStringLiteral("Mayo"),      QStringLiteral("Junio"),
        QStringLiteral("Julio"),   QStringLiteral("Agosto"),    QStringLiteral("Septiembre"),
        QStringLiteral("Octubre"), QStringLiteral("Noviembre"), QStringLiteral("Diciembre")};
    return names;
}

std::optional<int> monthNumber(const QString& name) {
    const qsizetype index = monthNames().indexOf(name);
    if (index < 0)
        return std::nullopt;
    return int(index) + 1;
}

Money sum(const MonthAmounts& amounts) {
    Money total;
    for (const Money& m : amounts)
        total += m;
    return total;
}

qint64 monthPercentage(Money amount, Money total) {
    if (total.isZero())
        throw ConversionError(QStringLiteral("División por cero"));
    return roundHalfEven128(static_cast<Int128>(amount.units()) * 100, total.units());
}

MonthFigures monthRule(const MonthAmounts& amounts, Money total) {
    MonthFigures figures;
    figures.sum = sum(amounts);
    if (!total.isZero()) {
        MonthPercentages p{};
        for (int i = 0; i < monthCount; ++i)
            p[i] = monthPercentage(amounts[i], total);
        figures.percentages = p;
    }
    figures.difference = total - figures.sum;
    return figures;
}

qint64 readPercentage(QStringView text, const QString& box, qint64 min, qint64 max) {
    const auto p = tryParseWhole(text);
    if (!p)
        throw ConversionError(
            QStringLiteral("%1: \"%2\" no es un número entero válido").arg(box, text));
    if (*p < min || *p > max)
        throw ConversionError(
            QStringLiteral("%1: el número %2 está fuera de rango").arg(box, text));
    return *p;
}

qint64 percentageTotal(const MonthPercentages& percentages) {
    qint64 total = 0;
    for (qint64 p : percentages)
        total += p;
    return total;
}

std::optional<SupportSplit> splitBySupport(qint64 percentage, Money total) {
    if (percentage < 1 || percentage > 100)
        return std::nullopt;
    // p x T / 100 has at most two decimals more than T: for a whole total the four
    // decimals hold it exactly, and it is then rounded to the whole.
    Money share = total.scaled(percentage, 100);
    if (total.units() % Money::scale == 0)
        share = Money::fromWhole(share.roundedWhole());
    return SupportSplit{share, 100 - percentage, total - share};
}

std::optional<SplitPercentages> splitPercentages(Money share, Money other) {
    const Money base = share + other;
    if (base.isZero())
        return std::nullopt;
    const qint64 p = monthPercentage(share, base);
    return SplitPercentages{p, 100 - p};
}

Money executedShare(Money executed, Money programmed) {
    if (programmed.isZero())
        return Money();
    // executed / programmed x 100, in ten-thousandths.
    return Money::fromUnits(roundHalfEven128(
        static_cast<Int128>(executed.units()) * 100 * Money::scale, programmed.units()));
}
