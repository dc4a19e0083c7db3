#pragma once

#include <QtGlobal>
#include <optional>

// A new number is the highest existing number of its scope plus one, and 1 when the
// scope is empty. Throws ConversionError when the highest number is already the largest.
qint64 nextNumber(std::optional<qint64> highest);
