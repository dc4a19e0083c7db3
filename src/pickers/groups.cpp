#include "groups.h"

#include "core/flags.h"
#include "links.h"
#include "store/numbers.h"
#include "store/query.h"

GroupLinks::GroupLinks(Connection* connection, QObject* parent)
    : QObject(parent)
    , m_connection(connection) {
    ADOQuery1 = Query::make(connection, "ADOQuery1",
                            "select * from p_uniorga a, t_organizacion b where a.cod_orga = "
                            "b.cod_orga and a.ok ='S' and a.cod_unidad = :unidad and "
                            "a.cod_producto = :producto and a.gestion = :gestion",
                            this);
    Qagrorga = Query::make(connection, "Qagrorga",
                           "insert into p_uniorga (cod_unidad, cod_producto, gestion, cod_orga, "
                           "correlativo, ok) values (:unidad, :prod, :ges, :orga, :corr, :ok)",
                           this);
    Qdelete = Query::make(connection, "Qdelete",
                          "delete from p_uniorga where cod_unidad = :unidad and cod_producto "
                          "=:prod and gestion = :ges and cod_orga = :orga and correlativo = :corr",
                          this);
}

void GroupLinks::list(const ProductKey& key) {
    ADOQuery1->close();
    ADOQuery1->setParams({key.unit, key.number, key.year});
    ADOQuery1->open();
}

qint64 GroupLinks::store(const ProductKey& key, qint64 group) {
    // The highest line of this group in the product, deleted lines no longer counting.
    const qint64 line =
        newNumber(*m_connection, QStringLiteral("p_uniorga"), QStringLiteral("correlativo"),
                  productLines(key).andEquals(QStringLiteral("cod_orga"), QString::number(group)),
                  NumberRule::Highest);
    Qagrorga->setParams({key.unit, key.number, key.year, group, line, flags::yes});
    Qagrorga->exec();
    return line;
}

int GroupLinks::remove(const ProductKey& key, qint64 group, qint64 line) {
    Qdelete->setParams({key.unit, key.number, key.year, group, line});
    return Qdelete->exec();
}
