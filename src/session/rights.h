#pragma once

#include <optional>

// What each user type may open in the main menu.
struct MenuRights {
    bool archivo = false;        // "&Archivo": add plan data
    bool edicion = false;        // "Edición": modify plan data
    bool avance = false;         // "Avance"
    bool registroAvance = false; // "Registro de avance", under "Avance"
    bool financiamiento = false; // "Financiamiento", under "Avance" (never shown)
    bool reporte = false;        // "&Reporte"
    bool configuracion = false;  // "Configuración": user administration
    bool cerrar = false;         // "Cerrar"

    bool operator==(const MenuRights&) const = default;
};

// The rights of user types 1 to 4; none for any other value, which then changes nothing.
std::optional<MenuRights> menuRights(int userType);
