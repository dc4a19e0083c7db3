#include "responsibles.h"

#include "core/flags.h"
#include "links.h"
#include "store/numbers.h"
#include "store/query.h"

ResponsibleLinks::ResponsibleLinks(Connection* connection, QObject* parent)
    : QObject(parent)
    , m_connection(connection) {
    ADOQuery1 = Query::make(connection, "ADOQuery1",
                            "select * from t_responsable b , p_responsable a where "
                            "a.cod_responsable = b.cod_responsable and a.ok = 'S' and "
                            "a.cod_unidad = :unidad and a.cod_producto = :producto and a.gestion "
                            "= :gestion",
                            this);
    Qagrresp = Query::make(connection, "Qagrresp",
                           "insert into p_responsable (cod_unidad, cod_producto, gestion, "
                           "cod_responsable, responsable, ok, correlativo) values (:unidad, "
                           ":prod, :ges, :resp, :responsable, :ok, :corr)",
                           this);
    Qelimina = Query::make(connection, "Qelimina",
                           "update p_responsable set ok = 'N' where cod_unidad = :uni and "
                           "cod_producto = :prod and gestion =:ges and correlativo = :corr",
                           this);
}

void ResponsibleLinks::list(const ProductKey& key) {
    ADOQuery1->close();
    ADOQuery1->setParams({key.unit, key.number, key.year});
    ADOQuery1->open();
}

qint64 ResponsibleLinks::store(const ProductKey& key, const QString& person, bool inCharge) {
    // The highest line of the product, removed lines included.
    const qint64 line =
        newNumber(*m_connection, QStringLiteral("p_responsable"), QStringLiteral("correlativo"),
                  productLines(key), NumberRule::Highest);
    Qagrresp->setParams(
        {key.unit, key.number, key.year, person, flags::flag(inCharge), flags::yes, line});
    Qagrresp->exec();
    return line;
}

int ResponsibleLinks::remove(const ProductKey& key, qint64 line) {
    Qelimina->setParams({key.unit, key.number, key.year, line});
    return Qelimina->exec();
}
