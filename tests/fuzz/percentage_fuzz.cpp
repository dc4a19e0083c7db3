// Percentages as the windows read them: the budget's split by type of support
// ("Infraestructura %") and the monthly progress report ("Avance actual").

#include "budget/budgetmath.h"
#include "core/wholenumber.h"
#include "fuzzing.h"
#include "progress/progress.h"

#include <limits>

namespace {

constexpr qint64 lowest = std::numeric_limits<qint64>::min();
constexpr qint64 highest = std::numeric_limits<qint64>::max();

// The split of a total: the given percentage's part and the rest make the total, the part
// lies between nothing and the total, and the other percentage completes 100.
void split(qint64 p, Money total) {
    const auto s = fuzzing::attempt<ConversionError>([&] { return splitBySupport(p, total); });
    FUZZ_CHECK(s.has_value()); // a split is worked out or refused, never failed
    FUZZ_CHECK(s->has_value() == (p >= 1 && p <= 100));
    if (!*s)
        return;
    const SupportSplit& r = **s;
    FUZZ_CHECK(r.otherPercentage == 100 - p);
    FUZZ_CHECK(r.share + r.other == total);
    if (total >= Money())
        FUZZ_CHECK(Money() <= r.share && r.share <= total);
    else
        FUZZ_CHECK(total <= r.share && r.share <= Money());
    if (p == 100)
        FUZZ_CHECK(r.share == total);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = fuzzing::text(data, size);
    fuzzing::setCurrent(text);
    const std::optional<qint64> whole = tryParseWhole(text);

    // The budget: any whole number within the box's range, refused naming the box
    // otherwise.
    const std::pair<qint64, qint64> ranges[] = {
        {lowest, highest},
        {std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max()},
        {1, 100}};
    const QString box = QStringLiteral("Infraestructura %");
    for (const auto& [min, max] : ranges) {
        std::optional<QString> refusal;
        std::optional<qint64> p;
        try {
            p = readPercentage(text, box, min, max);
        } catch (const ConversionError& e) {
            refusal = e.message();
        }
        FUZZ_CHECK(p.has_value() == (whole && *whole >= min && *whole <= max));
        if (p)
            FUZZ_CHECK(*p == *whole && *p >= min && *p <= max);
        else
            FUZZ_CHECK(refusal->startsWith(box + QStringLiteral(": ")));
    }
    if (whole) {
        for (const Money total : {Money(), Money::fromWhole(1005), Money::fromUnits(125000),
                                  Money::fromUnits(1), Money::fromUnits(-10050000), Money::max(),
                                  Money::min(), Money::fromWhole(922337203685477)})
            split(*whole, total);
        // A month holding p % of a total shows p.
        if (*whole >= -1000000 && *whole <= 1000000) {
            const Money total = Money::fromWhole(12000);
            FUZZ_CHECK(monthPercentage(total.scaled(*whole, 100), total) == *whole);
        }
    }

    // The progress report: what leaving the box lets stand and what "Grabar" accepts lie
    // between the last report and 100, and the goal's percentage.
    const auto done = fuzzing::attempt<ConversionError>([&] { return parseWhole(text); });
    FUZZ_CHECK(done == whole);
    if (done) {
        for (const auto& [last, goal] : {std::pair<qint64, qint64>{0, 100},
                                         {30, 60},
                                         {100, 100},
                                         {50, 40},
                                         {lowest, highest}}) {
            FUZZ_CHECK(passesExitCheck(*done, last) == (*done >= last && *done <= 100));
            FUZZ_CHECK(acceptable(*done, last, goal) == (*done >= last && *done <= goal));
        }
    }
    return 0;
}
