#pragma once

#include <QtGlobal>

__extension__ typedef __int128 Int128;

// Rounding of percentages: to the nearest whole number, exact halves to the even
// neighbour (12.5 -> 12, 13.5 -> 14, -12.5 -> -12).

// Rounds num / den exactly, without floating point. Throws ConversionError when den is 0
// or the result does not fit in 64 bits.
qint64 roundHalfEven(qint64 num, qint64 den);
qint64 roundHalfEven128(Int128 num, Int128 den);

// Rounds a floating-point value; throws ConversionError when it is not finite or does
// not fit in 64 bits.
qint64 roundHalfEven(double value);
