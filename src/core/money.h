#pragma once

#include <QMetaType>
#include <QString>
#include <QStringView>
#include <compare>
#include <limits>
#include <optional>

// A fixed-point amount of four decimals, held as a count of ten-thousandths. Sums are
// exact; an operation whose result does not fit is refused with ConversionError.
class Money {
public:
    static constexpr qint64 scale = 10000;

    constexpr Money() = default;
    static constexpr Money fromUnits(qint64 units) { return Money(units); }
    static Money fromWhole(qint64 whole);

    // Reads "1500,5", "1500.5", "-0,0001", with surrounding blanks. No thousands
    // separators, at most four decimals. Throws ConversionError otherwise.
    static Money parse(QStringView text);
    static std::optional<Money> tryParse(QStringView text);

    static Money max() { return Money(std::numeric_limits<qint64>::max()); }
    static Money min() { return Money(std::numeric_limits<qint64>::min()); }

    constexpr qint64 units() const { return m_units; }
    bool isZero() const { return m_units == 0; }

    // The shortest text with a comma and no thousands separator: "1500,5", "0", "-3".
    QString toString() const;
    // The text handed to the database: a point and four decimals, "1500.5000".
    QString toStorageText() const;

    Money operator+(Money other) const;
    Money operator-(Money other) const;
    Money operator-() const;
    Money& operator+=(Money other) { return *this = *this + other; }
    Money& operator-=(Money other) { return *this = *this - other; }

    // amount x num / den, rounded to the nearest ten-thousandth, halves to even.
    Money scaled(qint64 num, qint64 den) const;
    // The amount rounded to a whole number of currency units, halves to even.
    qint64 roundedWhole() const;

    constexpr auto operator<=>(const Money&) const = default;

private:
    constexpr explicit Money(qint64 units)
        : m_units(units) {}
    qint64 m_units = 0;
};

Q_DECLARE_METATYPE(Money)
