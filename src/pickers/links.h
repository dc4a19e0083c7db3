#pragma once

#include "plan/goalmath.h"
#include "store/filter.h"

// The link rows of one product: its unit, its number and its year, as every attribute
// table names them.
inline Filter productLines(const ProductKey& key) {
    return Filter::equals(QStringLiteral("cod_unidad"), key.unit)
        .andEquals(QStringLiteral("cod_producto"), QString::number(key.number))
        .andEquals(QStringLiteral("gestion"), key.year);
}
