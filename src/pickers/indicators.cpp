#include "indicators.h"

#include "core/flags.h"
#include "core/wholenumber.h"
#include "links.h"
#include "store/numbers.h"
#include "store/query.h"

#include <limits>

std::optional<qint64> indicatorQuantity(QStringView text) {
    const auto value = tryParseWhole(text);
    if (!value || *value < std::numeric_limits<qint32>::min() ||
        *value > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return value;
}

IndicatorLinks::IndicatorLinks(Connection* connection, QObject* parent)
    : QObject(parent)
    , m_connection(connection) {
    ADOQuery1 = Query::make(connection, "ADOQuery1",
                            "select * from p_uniindi a , t_indicador b where a.cod_indicador = "
                            "b.cod_indicador and a.cod_unidad = :unidad and a.cod_producto = "
                            ":producto and a.ok='S'",
                            this);
    Qagrindi = Query::make(connection, "Qagrindi",
                           "insert into p_uniindi (cod_unidad, gestion, cod_producto, "
                           "num_indica, cod_indicador, ok, cantidad) values (:unidad, :ges, "
                           ":prod, :indica, :indicador, :ok, :cantidad)",
                           this);
    Qelimina = Query::make(connection, "Qelimina",
                           "update p_uniindi set ok='N' where cod_unidad = :uni and "
                           "cod_producto = :prod and gestion = :ges and num_indica = :indica",
                           this);
}

void IndicatorLinks::list(const QString& unit, qint64 product) {
    ADOQuery1->close();
    ADOQuery1->setParams({unit, product});
    ADOQuery1->open();
}

qint64 IndicatorLinks::store(const ProductKey& key, qint64 indicator, qint64 quantity) {
    // The highest line of the product in the year, removed lines included.
    const qint64 line =
        newNumber(*m_connection, QStringLiteral("p_uniindi"), QStringLiteral("num_indica"),
                  productLines(key), NumberRule::Highest);
    Qagrindi->setParams({key.unit, key.year, key.number, line, indicator, flags::yes, quantity});
    Qagrindi->exec();
    return line;
}

int IndicatorLinks::remove(const ProductKey& key, qint64 line) {
    Qelimina->setParams({key.unit, key.number, key.year, line});
    return Qelimina->exec();
}
