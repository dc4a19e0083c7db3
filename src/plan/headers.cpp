#include "headers.h"

#include "store/numbers.h"
#include "store/query.h"
#include "store/table.h"

ProductHeaders::ProductHeaders(Connection* connection, QObject* parent)
    : QObject(parent)
    , m_connection(connection) {
    Qmuestrametas = query("Qmuestrametas", "select count (*) as total from t_hito where cod_area "
                                           "= :unidad and id_producto = :prod and gestion = :ges");
    Qmodifica = query("Qmodifica",
                      "update t_prodaccion set proy_descorta = :descorta, proy_descripcion = "
                      ":descripcion, proy_resultado = :resultado, proy_ok = :ok where cod_unidad "
                      "= :unidad and id_proyecto = :proy and uni_gestion = :ges");
    Qupdate = query("Qupdate", "update t_prodaccion set proy_ok = 'S' where cod_unidad = :unidad "
                               "and uni_gestion = :ges");
    Qdelprod = query("Qdelprod", "delete from t_prodaccion where cod_unidad= :area and "
                                 "id_proyecto = :prod and uni_gestion = :ges");
    Qdelpro = query("Qdelpro", "delete from t_producto where cod_area = :area and id_producto = "
                               ":prod and pro_gestion = :ges");
    Qdelmeta = query("Qdelmeta", "delete from t_hito where cod_area = :area and id_producto = "
                                 ":prod and gestion = :ges");
}

Query* ProductHeaders::query(const char* name, const char* sql) {
    return Query::make(m_connection, name, sql, this);
}

qint64 ProductHeaders::goalCount(const ProductKey& key) {
    Qmuestrametas->close();
    Qmuestrametas->setParams({key.unit, key.number, key.year});
    Qmuestrametas->open();
    return Qmuestrametas->integer(QStringLiteral("total"));
}

qint64 ProductHeaders::newNumber(const QString& unit, const QString& year) {
    // Every row that names a product of the unit and year: what a deleted header leaves
    // behind (its progress reports, attributes and budget) still carries its number.
    struct Rows {
        const char* table;
        const char* unit;
        const char* number;
        const char* year;
    };
    static constexpr Rows leftovers[] = {
        {"t_producto", "cod_area", "id_producto", "pro_gestion"},
        {"t_hito", "cod_area", "id_producto", "gestion"},
        {"t_avancepor", "cod_area", "id_producto", "gestion"},
        {"p_unimun", "cod_unidad", "cod_producto", "gestion"},
        {"p_uniorga", "cod_unidad", "cod_producto", "gestion"},
        {"p_responsable", "cod_unidad", "cod_producto", "gestion"},
        {"p_unisector", "cod_unidad", "cod_producto", "gestion"},
        {"p_uniindi", "cod_unidad", "cod_producto", "gestion"},
        {"p_unisectorial", "cod_unidad", "cod_producto", "gestion"},
        {"t_flujofondos", "cod_area", "id_producto", "gestion"},
        {"t_distribucion", "cod_area", "id_producto", "gestion"},
        {"t_avanceflujo", "cod_area", "id_producto", "gestion"},
    };
    QList<NumberHolders> holders;
    for (const Rows& rows : leftovers)
        holders.append({QLatin1String(rows.table), QLatin1String(rows.number),
                        Filter::equals(QLatin1String(rows.unit), unit)
                            .andEquals(QLatin1String(rows.year), year)});
    return ::newNumber(*m_connection, QStringLiteral("t_prodaccion"), QStringLiteral("id_proyecto"),
                       Filter::equals(QStringLiteral("cod_unidad"), unit)
                           .andEquals(QStringLiteral("uni_gestion"), year),
                       holders);
}

void ProductHeaders::beginNew(Table* headers, const QString& unit, const QString& year) {
    headers->close();
    headers->setFilter(Filter::equals(QStringLiteral("cod_unidad"), unit)
                           .andEquals(QStringLiteral("uni_gestion"), year));
    headers->setFiltered(true);
    headers->open();
    headers->append();
}

qint64 ProductHeaders::add(Table* headers, const QString& unit, const QString& year,
                           const Texts& texts) {
    if (headers->state() != Table::State::Insert) {
        if (!headers->isOpen())
            headers->open();
        headers->append();
    }
    const qint64 number = newNumber(unit, year);
    headers->setField(QStringLiteral("cod_unidad"), unit);
    headers->setField(QStringLiteral("id_proyecto"), number);
    headers->setField(QStringLiteral("uni_gestion"), year);
    headers->setField(QStringLiteral("proy_descorta"), texts.descorta);
    headers->setField(QStringLiteral("proy_descripcion"), texts.descripcion);
    headers->setField(QStringLiteral("proy_resultado"), texts.resultado);
    headers->setField(QStringLiteral("proy_ok"), QStringLiteral("S"));
    headers->post();
    return number;
}

void ProductHeaders::modify(const ProductKey& key, const Texts& texts) {
    Qmodifica->setParams({texts.descorta, texts.descripcion, texts.resultado, texts.ok, key.unit,
                          key.number, key.year});
    Qmodifica->exec();
}

void ProductHeaders::reactivate(const QString& unit, const QString& year) {
    Qupdate->setParams({unit, year});
    Qupdate->exec();
}

void ProductHeaders::remove(const ProductKey& key, const QString& productUnit) {
    // The goal lock first, as storing a goal takes it: a goal being stored on the product
    // at another workstation, with its product row, is stored before the deletion reads
    // what to delete, and goes with the rest.
    lockForOwnNumbers(*m_connection, QStringLiteral("t_hito"));
    Qdelprod->setParams({key.unit, key.number, key.year});
    Qdelprod->exec();
    Qdelpro->setParams({productUnit, key.number, key.year});
    Qdelpro->exec();
    Qdelmeta->setParams({key.unit, key.number, key.year});
    Qdelmeta->exec();
}
