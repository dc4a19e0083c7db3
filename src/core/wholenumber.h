#pragma once

#include <QStringView>
#include <QtGlobal>
#include <limits>
#include <optional>

// Reads a whole number as a person types it in a box: digits with an optional sign and
// blanks around ("12", " -3 "). The number must lie within [min, max].
std::optional<qint64> tryParseWhole(QStringView text);

// As above; throws ConversionError with the system's message ("\"doce\" no es un número
// entero válido", "El número 5000000000 está fuera de rango") otherwise.
qint64 parseWhole(QStringView text, qint64 min = std::numeric_limits<qint64>::min(),
                  qint64 max = std::numeric_limits<qint64>::max());

// A whole number that an integer column holds (32 bits on every engine).
int parseInteger(QStringView text);
