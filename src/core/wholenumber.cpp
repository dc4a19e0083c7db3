#include "wholenumber.h"

#include "error.h"

#include <QString>

std::optional<qint64> tryParseWhole(QStringView text) {
    const QStringView t = text.trimmed();
    const qsizetype start = t.startsWith(u'-') || t.startsWith(u'+') ? 1 : 0;
    if (t.size() == start)
        return std::nullopt;
    for (qsizetype i = start; i < t.size(); ++i)
        if (t[i] < u'0' || t[i] > u'9')
            return std::nullopt;
    bool ok = false;
    const qint64 value = t.toLongLong(&ok);
    if (!ok)
        return std::nullopt;
    return value;
}

qint64 parseWhole(QStringView text, qint64 min, qint64 max) {
    const auto value = tryParseWhole(text);
    if (!value) {
        // Digits alone that do not fit are out of range, not a bad number.
        const QStringView t = text.trimmed();
        bool digits = !t.isEmpty();
        for (qsizetype i = (t.startsWith(u'-') || t.startsWith(u'+')) ? 1 : 0; i < t.size(); ++i)
            digits = digits && t[i] >= u'0' && t[i] <= u'9';
        if (digits && t.size() > 1)
            throw ConversionError(
                QStringLiteral("El número %1 está fuera de rango").arg(t.toString()));
        throw ConversionError(
            QStringLiteral("\"%1\" no es un número entero válido").arg(text.toString()));
    }
    if (*value < min || *value > max)
        throw ConversionError(QStringLiteral("El número %1 está fuera de rango").arg(*value));
    return *value;
}

int parseInteger(QStringView text) {
    return int(
        parseWhole(text, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max()));
}
