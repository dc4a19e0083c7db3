#include "datetext.h"

#include "error.h"

#include <QRegularExpression>

QLocale displayLocale(const QLocale& system) {
    if (system.language() == QLocale::Spanish)
        return system;
    return QLocale(QLocale::Spanish, QLocale::Bolivia);
}

void useDisplayLocale() {
    QLocale::setDefault(displayLocale());
}

QString showDate(const QDate& date, const QLocale& locale) {
    if (!date.isValid())
        return {};
    return locale.toString(date, QStringLiteral("dd/MMM/yyyy"));
}

QString paramDateText(const QDate& date) {
    return date.toString(QStringLiteral("dd/MM/yyyy"));
}

QDate dateFromParamText(const QString& text) {
    // Anchored at both ends of the whole text: "$" alone would let a final line break by.
    static const QRegularExpression shape(
        QRegularExpression::anchoredPattern(QStringLiteral("(\\d{1,2})/(\\d{1,2})/(\\d{4})")));
    const auto match = shape.match(text);
    QDate date;
    if (match.hasMatch())
        date =
            QDate(match.captured(3).toInt(), match.captured(2).toInt(), match.captured(1).toInt());
    if (!date.isValid())
        throw ConversionError(QStringLiteral("\"%1\" no es una fecha válida").arg(text));
    return date;
}

QDate dateFromText(const QString& text, const QLocale& locale) {
    static const QRegularExpression dmy(
        QRegularExpression::anchoredPattern(QStringLiteral("\\d{1,2}/\\d{1,2}/\\d{4}")));
    if (dmy.match(text).hasMatch())
        return dateFromParamText(text);
    // The shown form with a year of four digits: the locale's reading of "yyyy" would also
    // take a signed year ("05/mar/-0008", a date before the era).
    static const QRegularExpression shown(
        QRegularExpression::anchoredPattern(QStringLiteral("\\d{1,2}/[^/]+/\\d{4}")));
    QDate date;
    if (shown.match(text).hasMatch())
        date = locale.toDate(text, QStringLiteral("dd/MMM/yyyy"));
    if (!date.isValid())
        date = QDate::fromString(text, Qt::ISODate);
    if (!date.isValid())
        throw ConversionError(QStringLiteral("\"%1\" no es una fecha válida").arg(text));
    return date;
}
