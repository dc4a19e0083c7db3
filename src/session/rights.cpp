#include "rights.h"

std::optional<MenuRights> menuRights(int userType) {
    //                    archivo edicion avance registro financ. reporte config. cerrar
    switch (userType) {
    case 1:
        return MenuRights{true, true, true, false, false, true, true, true};
    case 2:
        return MenuRights{false, false, false, true, true, true, false, true};
    case 3:
        return MenuRights{false, false, true, true, true, true, false, true};
    case 4:
        return MenuRights{false, true, true, true, true, false, false, true};
    default:
        return std::nullopt;
    }
}
