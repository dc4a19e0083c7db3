#include "numbering.h"

#include "error.h"

#include <limits>

qint64 nextNumber(std::optional<qint64> highest) {
    if (!highest)
        return 1;
    if (*highest == std::numeric_limits<qint64>::max())
        throw ConversionError(QStringLiteral("No quedan números libres"));
    return *highest + 1;
}
