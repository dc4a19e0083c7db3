#pragma once

#include <QString>

// The name of the institution that runs the system, shown on the login window and the main
// menu's banner. An example name: each installation puts its own here.
inline QString institutionName() {
    return QStringLiteral("Ministerio de Planificación de Ejemplo");
}
