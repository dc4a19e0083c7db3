#include "sectorialplan.h"

#include "store/query.h"

SectorialPlanLinks::SectorialPlanLinks(Connection* connection, QObject* parent)
    : QObject(parent) {
    Qsector = Query::make(connection, "Qsector",
                          "select * from t_politica b, t_sectorial c, p_unisectorial a where "
                          "b.cod_politica = c.cod_politica and c.cod_programa=a.cod_programa and "
                          "c.cod_politica = a.cod_politica and a.cod_unidad = :uni and "
                          "a.cod_producto = :prod and a.gestion = :ges",
                          this);
    Qinsert = Query::make(connection, "Qinsert",
                          "insert into p_unisectorial(cod_unidad, cod_producto, gestion, "
                          "cod_politica,cod_programa) values (:uni, :area,:ges,:pol,:pro)",
                          this);
    qdele = Query::make(connection, "qdele",
                        "delete from p_unisectorial where cod_unidad = :uni and cod_producto "
                        "=:prod and gestion =:ges and cod_programa = :pro and cod_politica = :pol",
                        this);
}

void SectorialPlanLinks::list(const ProductKey& key) {
    Qsector->close();
    Qsector->setParams({key.unit, key.number, key.year});
    Qsector->open();
}

void SectorialPlanLinks::store(const ProductKey& key, qint64 policy, qint64 programme) {
    Qinsert->setParams({key.unit, key.number, key.year, policy, programme});
    Qinsert->exec();
}

int SectorialPlanLinks::remove(const ProductKey& key, qint64 policy, qint64 programme) {
    qdele->setParams({key.unit, key.number, key.year, programme, policy});
    return qdele->exec();
}
