#pragma once

#include <QString>

// A statement of the system turned into one every engine prepares: each ":name" (the same
// name used twice is two positions) becomes a "?" in order of appearance. Quoted texts,
// quoted names and "::" casts are left as they are.
struct PositionalSql {
    QString text;
    int parameterCount = 0;
};

PositionalSql toPositional(const QString& sql);
