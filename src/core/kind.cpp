#include "kind.h"

QString kindCode(Kind kind) {
    return kind == Kind::MN ? QStringLiteral("MN") : QStringLiteral("EX");
}

std::optional<Kind> kindFromCode(const QString& code) {
    if (code == QLatin1String("MN"))
        return Kind::MN;
    if (code == QLatin1String("EX"))
        return Kind::EX;
    return std::nullopt;
}

KindCaptions kindCaptions(Kind kind) {
    if (kind == Kind::MN)
        return {QStringLiteral("Viceministerio"), QStringLiteral("Dirección"),
                QStringLiteral("Unidad"), QStringLiteral("Producto")};
    return {QStringLiteral("Entidad desconcentrada"), QStringLiteral("Componente"),
            QStringLiteral("Unidad"), QStringLiteral("Acción territorial")};
}
