#include "values.h"

#include "core/datetext.h"
#include "core/error.h"
#include "core/money.h"

#include <QDateTime>
#include <optional>

namespace {

QDateTime naive(const QDate& date, const QTime& time = QTime(0, 0)) {
    return QDateTime(date, time, Qt::UTC);
}

// The number written in `count` digits from `from`; -1 when one of them is not a digit.
int digitsAt(QStringView t, qsizetype from, int count) {
    int n = 0;
    for (qsizetype i = from; i < from + count; ++i) {
        const char16_t c = t[i].unicode();
        if (c < u'0' || c > u'9')
            return -1;
        n = n * 10 + (c - u'0');
    }
    return n;
}

// "yyyy-MM-dd" and "yyyy-MM-dd HH:mm:ss" (or with a "T"), read at their fixed places: how
// the engines hand back every date, read for every row a query lists. None for any other
// text.
std::optional<QDateTime> isoDateTime(QStringView t) {
    if (t.size() < 10 || t[4] != u'-' || t[7] != u'-')
        return std::nullopt;
    const QDate date(digitsAt(t, 0, 4), digitsAt(t, 5, 2), digitsAt(t, 8, 2));
    if (!date.isValid() || digitsAt(t, 0, 4) < 0)
        return std::nullopt;
    if (t.size() == 10)
        return naive(date);
    if (t.size() < 19 || (t[10] != u'T' && t[10] != u' ') || t[13] != u':' || t[16] != u':')
        return std::nullopt;
    const QTime time(digitsAt(t, 11, 2), digitsAt(t, 14, 2), digitsAt(t, 17, 2));
    if (!time.isValid())
        return std::nullopt;
    return naive(date, time);
}

QDateTime dateTimeFromText(const QString& text) {
    if (const auto fast = isoDateTime(text))
        return *fast;
    const QString t = text.trimmed();
    QDateTime dt = QDateTime::fromString(t.left(19).replace(u'T', u' '),
                                         QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    if (dt.isValid())
        return naive(dt.date(), dt.time());
    const QDate d = QDate::fromString(t.left(10), QStringLiteral("yyyy-MM-dd"));
    if (d.isValid())
        return naive(d);
    throw ConversionError(QStringLiteral("\"%1\" no es una fecha válida").arg(text));
}

ConversionError notA(const char* what, const QVariant& v) {
    return ConversionError(
        QStringLiteral("\"%1\" no es %2").arg(v.toString(), QLatin1String(what)));
}

} // namespace

QVariant toBound(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::QDate:
        return value.isNull() ? QVariant(QMetaType::fromType<QString>())
                              : QVariant(value.toDate().toString(QStringLiteral("yyyy-MM-dd")));
    case QMetaType::QDateTime: {
        if (value.isNull())
            return QVariant(QMetaType::fromType<QString>());
        // A whole day is written as a date alone, so that it equals the same date bound
        // as a QDate on either engine.
        const QDateTime dt = value.toDateTime();
        if (dt.time() == QTime(0, 0))
            return dt.date().toString(QStringLiteral("yyyy-MM-dd"));
        return dt.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    }
    default:
        break;
    }
    if (value.metaType() == QMetaType::fromType<Money>())
        return value.value<Money>().toStorageText();
    if (!value.isValid())
        return QVariant(QMetaType::fromType<QString>());
    // A text the program hands over is a text, an empty one too: a box never typed in gives
    // a null string, which the drivers would write as NULL.
    if (value.typeId() == QMetaType::QString && value.toString().isNull())
        return QString(QLatin1String(""));
    return value;
}

QVariant fromStored(const QVariant& raw, std::optional<ColumnType> type) {
    if (raw.isNull())
        return {};
    if (!type) {
        // A computed column of no known type: an engine that says it is a date gives it
        // in the one form dates have here.
        if (raw.typeId() == QMetaType::QDate || raw.typeId() == QMetaType::QDateTime)
            return variantDateTime(raw);
        return raw;
    }
    switch (*type) {
    case ColumnType::Text:
    case ColumnType::Memo:
        return raw.typeId() == QMetaType::QString ? raw : QVariant(raw.toString());
    case ColumnType::Integer: {
        if (raw.typeId() == QMetaType::LongLong)
            return raw;
        bool ok = false;
        const qlonglong v = raw.toLongLong(&ok);
        if (!ok)
            throw notA("un número entero", raw);
        return v;
    }
    case ColumnType::Float: {
        bool ok = false;
        const double v = raw.toDouble(&ok);
        if (!ok)
            throw notA("un número", raw);
        return v;
    }
    case ColumnType::Money:
        return QVariant::fromValue(variantMoney(raw));
    case ColumnType::DateTime:
        return variantDateTime(raw);
    }
    return raw;
}

QVariant paramForColumn(const QVariant& value, std::optional<ColumnType> type) {
    if (!type || value.typeId() != QMetaType::QString)
        return value;
    const QString text = value.toString();
    if (*type == ColumnType::DateTime) {
        try {
            return dateFromText(text);
        } catch (const ConversionError&) {
            return value;
        }
    }
    if (*type == ColumnType::Money)
        if (const auto m = Money::tryParse(text))
            return QVariant::fromValue(*m);
    return value;
}

QString variantText(const QVariant& value) {
    if (value.isNull())
        return {};
    if (value.typeId() == QMetaType::QDate || value.typeId() == QMetaType::QDateTime) {
        // A date's text is the day/month/year in which dates are handed around.
        const QDateTime dt = variantDateTime(value);
        QString text = paramDateText(dt.date());
        if (dt.time() != QTime(0, 0))
            text += dt.time().toString(QStringLiteral(" HH:mm:ss"));
        return text;
    }
    if (value.metaType() == QMetaType::fromType<Money>())
        return value.value<Money>().toString();
    return value.toString();
}

qint64 variantInteger(const QVariant& value) {
    if (value.isNull())
        return 0;
    bool ok = false;
    qint64 v = value.toLongLong(&ok);
    if (ok)
        return v;
    // A decimal text such as an engine's "7.0000" for a whole number.
    const double d = value.toDouble(&ok);
    if (ok && d == static_cast<double>(static_cast<qint64>(d)))
        return static_cast<qint64>(d);
    throw notA("un número entero", value);
}

double variantNumber(const QVariant& value) {
    if (value.isNull())
        return 0;
    if (value.metaType() == QMetaType::fromType<Money>())
        return static_cast<double>(value.value<Money>().units()) / Money::scale;
    bool ok = false;
    const double d = value.toDouble(&ok);
    if (!ok)
        throw notA("un número", value);
    return d;
}

Money variantMoney(const QVariant& value) {
    if (value.isNull())
        return Money();
    if (value.metaType() == QMetaType::fromType<Money>())
        return value.value<Money>();
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        return Money::fromWhole(value.toLongLong());
    case QMetaType::Double: {
        // Only an engine that kept the amount as a double gets here; its shortest
        // decimal text is the amount that was stored.
        const auto m = Money::tryParse(QString::number(value.toDouble(), 'f', 4));
        if (!m)
            throw notA("un monto", value);
        return *m;
    }
    default:
        break;
    }
    const auto m = Money::tryParse(value.toString());
    if (!m)
        throw notA("un monto", value);
    return *m;
}

QDateTime variantDateTime(const QVariant& value) {
    if (value.isNull())
        return {};
    switch (value.typeId()) {
    case QMetaType::QDate:
        return naive(value.toDate());
    case QMetaType::QDateTime: {
        const QDateTime dt = value.toDateTime();
        return dt.timeSpec() == Qt::UTC ? dt : naive(dt.date(), dt.time());
    }
    default:
        return dateTimeFromText(value.toString());
    }
}
