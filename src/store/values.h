#pragma once

#include "schema.h"

#include <QVariant>
#include <optional>

// How values cross the border to the engines, so that both hold and return the same.
//
// Bound: a text as it is, an empty one as empty (never NULL); a QDate as "yyyy-MM-dd", a
// QDateTime as "yyyy-MM-dd HH:mm:ss" (the time as written, no time zone; a midnight as the
// date alone), a Money as its decimal text; everything else as it is.
QVariant toBound(const QVariant& value);

// Read: a value of a known column type in one form whatever the engine gave: QString for
// texts and memos, qlonglong for integers, double for floats, Money for amounts and a
// QDateTime without time zone for dates. Null stays a null QVariant. Throws
// ConversionError when a stored value does not fit its type.
QVariant fromStored(const QVariant& raw, std::optional<ColumnType> type);

// A parameter as the column it meets holds it: a date text ("05/03/2008", "05/mar/2008")
// becomes a date, an amount text ("1500,5") an amount, as the engine of the system
// converted them. Any other value, or a text that reads as neither, passes as it is.
QVariant paramForColumn(const QVariant& value, std::optional<ColumnType> type);

// Typed reads with the usual meaning of an empty field: "" and 0. A date's text is
// "dd/mm/yyyy" (with " HH:mm:ss" when it holds a time).
QString variantText(const QVariant& value);
qint64 variantInteger(const QVariant& value);
double variantNumber(const QVariant& value);
class Money;
Money variantMoney(const QVariant& value);
QDateTime variantDateTime(const QVariant& value);
