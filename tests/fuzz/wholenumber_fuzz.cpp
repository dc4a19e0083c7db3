// Whole numbers as a person types them in a box.

#include "core/wholenumber.h"
#include "fuzzing.h"

#include <limits>

namespace {

constexpr qint64 lowest = std::numeric_limits<qint64>::min();
constexpr qint64 highest = std::numeric_limits<qint64>::max();

// What a text means when it is a whole number written plainly (a sign, digits, blanks
// around): the number in its shortest form ("+007" is "7", "-0" is "0") and whether it
// fits in 64 bits. None for any other text.
struct Written {
    QString shortest;
    bool fits = false;
};
std::optional<Written> written(QStringView text) {
    QStringView t = text.trimmed();
    bool negative = false;
    if (!t.isEmpty() && (t[0] == u'-' || t[0] == u'+')) {
        negative = t[0] == u'-';
        t = t.mid(1);
    }
    if (t.isEmpty())
        return std::nullopt;
    for (const QChar c : t)
        if (c < u'0' || c > u'9')
            return std::nullopt;
    while (t.size() > 1 && t[0] == u'0')
        t = t.mid(1);
    if (t == u"0")
        negative = false;
    const QStringView limit = negative ? u"9223372036854775808" : u"9223372036854775807";
    // Digit strings of one length compare as their numbers.
    const bool fits =
        t.size() < limit.size() || (t.size() == limit.size() && t.compare(limit) <= 0);
    return Written{(negative ? QStringLiteral("-") : QString()) + t.toString(), fits};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = fuzzing::text(data, size);
    fuzzing::setCurrent(text);
    const std::optional<Written> meant = written(text);

    const std::optional<qint64> value = tryParseWhole(text);
    FUZZ_CHECK(value.has_value() == (meant && meant->fits));
    if (value)
        FUZZ_CHECK(QString::number(*value) == meant->shortest);

    // A number is taken by parseWhole exactly when it is one and lies in the range.
    const std::pair<qint64, qint64> ranges[] = {
        {lowest, highest},
        {0, 100},
        {1, 100},
        {-1, -1},
        {5, 1},
        {lowest, lowest},
        {highest, highest},
        {std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max()}};
    for (const auto& range : ranges) {
        const qint64 min = range.first;
        const qint64 max = range.second;
        const auto taken =
            fuzzing::attempt<ConversionError>([&] { return parseWhole(text, min, max); });
        FUZZ_CHECK(taken.has_value() == (value && *value >= min && *value <= max));
        if (taken)
            FUZZ_CHECK(*taken == *value && *taken >= min && *taken <= max);
    }

    // An integer column holds 32 bits.
    const auto integer = fuzzing::attempt<ConversionError>([&] { return parseInteger(text); });
    FUZZ_CHECK(integer.has_value() == (value && *value >= std::numeric_limits<qint32>::min() &&
                                       *value <= std::numeric_limits<qint32>::max()));
    if (integer)
        FUZZ_CHECK(qint64(*integer) == *value);
    return 0;
}
