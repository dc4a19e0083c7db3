#include "municipalities.h"

#include "core/flags.h"
#include "store/query.h"

MunicipalityLinks::MunicipalityLinks(Connection* connection, QObject* parent)
    : QObject(parent) {
    Qgeo = Query::make(
        connection, "Qgeo",
        "select a.depto_nombre, b.prov_nombre, c.mun_nombre, d.correlativo, a.cod_depto, "
        "c.cod_mun from t_depar a, t_provin b, t_muni c, p_unimun d where d.cod_mun = "
        "c.cod_mun and d.cod_prov = c.cod_prov and a.cod_depto = d.cod_depto and a.cod_depto "
        "= c.cod_depto and d.cod_depto = b.cod_depto and c.cod_prov = b.cod_prov and "
        "b.cod_depto = b.cod_depto and d.ok = 'S' and d.cod_unidad =:uni and d.cod_producto "
        "=:prod and d.gestion = :gestion",
        this);
    Qmuni = Query::make(connection, "Qmuni",
                        "select * from t_muni where cod_depto = :depto order by mun_nombre", this);
    Qagrmun = Query::make(connection, "Qagrmun",
                          "insert into p_unimun (cod_unidad, cod_producto, correlativo, gestion, "
                          "cod_depto,cod_prov, cod_mun, ok) values (:uni, :prod, :corr, "
                          ":gestion,:depto,:prov,:mun,:OK)",
                          this);
    qelimina = Query::make(connection, "qelimina",
                           "update p_unimun set ok = 'N' where cod_unidad = :uni and "
                           "cod_producto = :prod and cod_mun = :depto and gestion = :gestion",
                           this);
}

void MunicipalityLinks::list(const ProductKey& key) {
    Qgeo->close();
    Qgeo->setParams({key.unit, key.number, key.year});
    Qgeo->open();
}

void MunicipalityLinks::municipalitiesOf(const QString& department) {
    Qmuni->close();
    Qmuni->setParams({department});
    Qmuni->open();
}

void MunicipalityLinks::insert(const ProductKey& key, qint64 line, const QString& department,
                               const QString& province, const QString& municipality) {
    Qagrmun->setParams(
        {key.unit, key.number, line, key.year, department, province, municipality, flags::yes});
    Qagrmun->exec();
}

void MunicipalityLinks::storeOne(const ProductKey& key, const QString& department,
                                 const QString& province, const QString& municipality) {
    insert(key, 1, department, province, municipality);
}

int MunicipalityLinks::storeDepartment(const ProductKey& key, const QString& department) {
    municipalitiesOf(department);
    qint64 line = 1;
    for (int row = 0; row < Qmuni->rowCount(); ++row, ++line) {
        Qmuni->moveTo(row);
        insert(key, line, department, Qmuni->text("COD_PROV"), Qmuni->text("COD_MUN"));
    }
    return Qmuni->rowCount();
}

int MunicipalityLinks::remove(const ProductKey& key, const QString& municipality) {
    qelimina->setParams({key.unit, key.number, municipality, key.year});
    return qelimina->exec();
}
