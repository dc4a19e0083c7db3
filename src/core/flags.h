#pragma once

#include <QString>

// One-letter yes/no flags ("S" / "N") of plan rows and the "SI" / "NO" of accounts.
namespace flags {

inline const QString yes = QStringLiteral("S");
inline const QString no = QStringLiteral("N");
inline const QString active = QStringLiteral("SI");
inline const QString inactive = QStringLiteral("NO");

inline QString flag(bool value) {
    return value ? yes : no;
}
inline bool isYes(const QString& value) {
    return value == yes;
}

inline QString activeFlag(bool value) {
    return value ? active : inactive;
}
inline bool isActive(const QString& value) {
    return value == active;
}

} // namespace flags
