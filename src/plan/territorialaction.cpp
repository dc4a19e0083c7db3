#include "territorialaction.h"

#include "core/flags.h"
#include "store/query.h"

QString ActionFlags::fromStored(const QString& value) {
    return flags::flag(!value.isEmpty() && value != flags::no);
}

QVariantHash ActionFlags::columns() const {
    return {{QStringLiteral("pro_municipio"), municipio},
            {QStringLiteral("pro_organizacion"), organizacion},
            {QStringLiteral("pro_responsable"), responsable},
            {QStringLiteral("pro_indicador"), indicador},
            {QStringLiteral("pro_sector"), sector},
            {QStringLiteral("pro_efecto"), efecto}};
}

TerritorialAction::TerritorialAction(Connection* connection, QObject* parent)
    : QObject(parent)
    , m_connection(connection) {
    Qflags = query("Qflags", "select pro_municipio, pro_organizacion, pro_responsable, "
                             "pro_indicador, pro_sector, pro_efecto from t_producto where "
                             "cod_area = :area and id_producto = :prod and pro_gestion = :ges");
    Qupdateprod = query("Qupdateprod",
                        "update t_producto set pro_indicador = :pro, pro_municipio = :mun, "
                        "pro_organizacion = :orga, pro_responsable = :res, pro_sector = :sector "
                        "where (cod_area = :area and id_producto = :prod and pro_gestion = :ges)");
    qdelsector = query("qdelsector", "delete from p_unisector where cod_unidad = :unidad and "
                                     "cod_producto = :prod and gestion = :gestion");
    Qdelmun = query("Qdelmun", "delete from p_unimun where cod_unidad = :unidad and cod_producto = "
                               ":prod and gestion = :gestion");
    Qdelindi = query("Qdelindi", "delete from p_uniindi where cod_unidad = :unidad and "
                                 "cod_producto = :prod and gestion = :gestion");
    Qdelresp = query("Qdelresp", "delete from p_responsable where cod_unidad = :unidad and "
                                 "cod_producto = :prod and gestion = :gestion");
    qdelplan = query("qdelplan", "delete from p_unisectorial where cod_unidad = :unidad and "
                                 "cod_producto = :prod and gestion = :gestion");
    Qdelorga = query("Qdelorga", "delete from p_uniorga where cod_unidad = :unidad and "
                                 "cod_producto = :prod and gestion = :gestion");
}

Query* TerritorialAction::query(const char* name, const char* sql) {
    return Query::make(m_connection, name, sql, this);
}

std::optional<ActionFlags> TerritorialAction::storedFlags(const ProductKey& key) {
    Qflags->setParams({key.unit, key.number, key.year});
    Qflags->open();
    std::optional<ActionFlags> stored;
    if (!Qflags->isEmpty()) {
        const auto read = [this](const char* column) {
            return ActionFlags::fromStored(Qflags->text(QString::fromLatin1(column)));
        };
        stored =
            ActionFlags{read("pro_municipio"), read("pro_organizacion"), read("pro_responsable"),
                        read("pro_indicador"), read("pro_sector"),       read("pro_efecto")};
    }
    Qflags->close();
    return stored;
}

void TerritorialAction::writeFlags(const ProductKey& key, const ActionFlags& flags) {
    Qupdateprod->setParams({flags.indicador, flags.municipio, flags.organizacion, flags.responsable,
                            flags.sector, key.unit, key.number, key.year});
    Qupdateprod->exec();
}

void TerritorialAction::removeAttributes(const ProductKey& key) {
    for (Query* q : {qdelsector, Qdelmun, Qdelindi, Qdelresp, qdelplan, Qdelorga}) {
        q->setParams({key.unit, key.number, key.year});
        q->exec();
    }
}
