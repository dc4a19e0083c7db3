// Dates as typed or handed around ("05/03/2008", "05/mar/2008", "2008-03-05") and as the
// engines give stored dates back ("2008-03-05", "2008-03-05 10:30:00").

#include "core/datetext.h"
#include "core/money.h"
#include "fuzzing.h"
#include "store/values.h"

#include <QDateTime>
#include <QStringList>

namespace {

// The day, month and year of a text of exactly the shape "d/m/yyyy" (one or two digits
// for the day and the month, four for the year, nothing else); none for any other text.
std::optional<QDate> dayMonthYear(const QString& text) {
    const QStringList parts = text.split(u'/');
    if (parts.size() != 3)
        return std::nullopt;
    const int widths[][2] = {{1, 2}, {1, 2}, {4, 4}};
    int numbers[3] = {};
    for (int i = 0; i < 3; ++i) {
        const QString& p = parts[i];
        if (p.size() < widths[i][0] || p.size() > widths[i][1])
            return std::nullopt;
        for (const QChar c : p) {
            if (c < u'0' || c > u'9')
                return std::nullopt;
            numbers[i] = numbers[i] * 10 + (c.unicode() - u'0');
        }
    }
    return QDate(numbers[2], numbers[1], numbers[0]);
}

// The date (and time) of a text of exactly "yyyy-MM-dd" or "yyyy-MM-dd HH:mm:ss" in ASCII
// digits; none for any other text.
std::optional<QDateTime> isoExactly(const QString& text) {
    const QString shape =
        text.size() == 10 ? QStringLiteral("0000-00-00") : QStringLiteral("0000-00-00 00:00:00");
    if (text.size() != shape.size())
        return std::nullopt;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool digit = text[i] >= u'0' && text[i] <= u'9';
        if (shape[i] == u'0' ? !digit : text[i] != shape[i])
            return std::nullopt;
    }
    const QDate d = QDate::fromString(text.left(10), QStringLiteral("yyyy-MM-dd"));
    const QTime t = text.size() == 10 ? QTime(0, 0)
                                      : QTime::fromString(text.mid(11), QStringLiteral("HH:mm:ss"));
    if (!d.isValid() || !t.isValid())
        return std::nullopt;
    return QDateTime(d, t, Qt::UTC);
}

void readsBackAsTyped(const QDate& d) {
    FUZZ_CHECK(d.isValid());
    FUZZ_CHECK(dateFromParamText(paramDateText(d)) == d);
    FUZZ_CHECK(dateFromText(paramDateText(d)) == d);
    FUZZ_CHECK(dateFromText(showDate(d)) == d);
    FUZZ_CHECK(dateFromText(d.toString(Qt::ISODate)) == d);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool spanish = (useDisplayLocale(), true); // as the program starts
    Q_UNUSED(spanish);
    const QString text = fuzzing::text(data, size);
    fuzzing::setCurrent(text);

    // Parameters: "d/m/yyyy" exactly, and a valid day.
    const auto param = fuzzing::attempt<ConversionError>([&] { return dateFromParamText(text); });
    const std::optional<QDate> shaped = dayMonthYear(text);
    FUZZ_CHECK(param.has_value() == (shaped && shaped->isValid()));
    if (param) {
        FUZZ_CHECK(*param == *shaped);
        readsBackAsTyped(*param);
    }

    // What a person types: the same, or the shown or the ISO form.
    const auto typed = fuzzing::attempt<ConversionError>([&] { return dateFromText(text); });
    if (shaped)
        FUZZ_CHECK(typed == param);
    if (typed)
        readsBackAsTyped(*typed);

    // A stored date as an engine hands it back.
    const auto stored =
        fuzzing::attempt<ConversionError>([&] { return variantDateTime(QVariant(text)); });
    if (const auto exact = isoExactly(text))
        FUZZ_CHECK(stored == exact);
    if (stored) {
        FUZZ_CHECK(stored->isValid() && stored->timeSpec() == Qt::UTC);
        // Bound again, it reads back as the same date and time.
        const QVariant bound = toBound(QVariant(*stored));
        FUZZ_CHECK(bound.typeId() == QMetaType::QString);
        FUZZ_CHECK(variantDateTime(bound) == *stored);
        FUZZ_CHECK(dateFromParamText(variantText(QVariant(*stored)).left(10)) == stored->date());
    }
    const auto column = fuzzing::attempt<ConversionError>(
        [&] { return fromStored(QVariant(text), ColumnType::DateTime); });
    FUZZ_CHECK(column.has_value() == stored.has_value());
    if (column)
        FUZZ_CHECK(column->toDateTime() == *stored);

    // A parameter meeting a date column becomes a date when it reads as one, and is
    // handed on as it is otherwise; it never fails.
    const auto forColumn = fuzzing::attempt<Error>(
        [&] { return paramForColumn(QVariant(text), ColumnType::DateTime); });
    FUZZ_CHECK(forColumn.has_value());
    if (typed)
        FUZZ_CHECK(forColumn->typeId() == QMetaType::QDate && forColumn->toDate() == *typed);
    else
        FUZZ_CHECK(*forColumn == QVariant(text));
    return 0;
}
