#include "execution.h"

#include "core/error.h"
#include "programming.h"
#include "store/numbers.h"
#include "store/query.h"

namespace {

const char* const executedColumns[monthCount] = {
    "ava_enero", "ava_febrero", "ava_marzo",      "ava_abril",   "ava_mayo",      "ava_junio",
    "ava_julio", "ava_agosto",  "ava_septiembre", "ava_octubre", "ava_noviembre", "ava_diciembre"};

} // namespace

BudgetExecution::BudgetExecution(Connection* connection, QObject* parent)
    : QObject(parent)
    , m_connection(connection) {
    Qavance = Query::make(
        connection, "Qavance",
        "select * from t_flujofondos a, t_avanceflujo b where a.cod_area = b.cod_area and "
        "a.id_producto = b.id_producto and a.gestion = b.gestion and a.activo = 'S' and "
        "b.activo = 'S' and a.cod_area=:area and a.id_producto=:prod and a.gestion=:gestion",
        this);
    Qupdate = Query::make(connection, "Qupdate",
                          "update t_avanceflujo set activo = 'N' where cod_area = :area and "
                          "id_producto = :prod and gestion = :ges",
                          this);
    Qinsert = Query::make(
        connection, "Qinsert",
        "insert into t_avanceflujo(cod_area, id_producto, gestion, activo, correlativo, "
        "ava_enero, ava_febrero, ava_marzo, ava_abril, ava_mayo, ava_junio, ava_julio, "
        "ava_agosto, ava_septiembre, ava_octubre, ava_noviembre, ava_diciembre, ava_fecact, "
        "usuario) values(:area, :prod, :gestiom, :activo, :corr, :enero, :febrero, :marzo, "
        ":abril, :mayo, :junio, :julio, :agosto, :septiembre, :octubre, :noviembre, "
        ":diciembre, :fecact, :usuario)",
        this);
}

std::optional<BudgetExecution::Figures> BudgetExecution::current(const ProductKey& key) {
    Qavance->close();
    Qavance->setParams({key.unit, key.number, key.year});
    Qavance->open();
    std::optional<Figures> figures;
    for (Qavance->first(); !Qavance->eof(); Qavance->next()) {
        Figures f;
        for (int i = 0; i < monthCount; ++i) {
            f.programmed[i] = Qavance->money(flowAmountColumn(i));
            f.executed[i] = Qavance->money(QString::fromLatin1(executedColumns[i]));
        }
        f.programmedTotal = sum(f.programmed);
        f.executedTotal = sum(f.executed);
        f.reportDay = Qavance->date(QStringLiteral("ava_fecact"));
        f.executedShare = executedShare(f.executedTotal, f.programmedTotal);
        figures = f;
    }
    Qavance->close();
    return figures;
}

qint64 BudgetExecution::report(const ProductKey& key, int month, Money amount, const QDate& day,
                               const QString& user) {
    if (month < 1 || month > monthCount)
        throw ConversionError(QStringLiteral("El mes %1 no existe").arg(month));
    const qint64 number =
        newNumber(*m_connection, QStringLiteral("t_avanceflujo"), QStringLiteral("correlativo"),
                  Filter::equals(QStringLiteral("cod_area"), key.unit)
                      .andEquals(QStringLiteral("id_producto"), QString::number(key.number))
                      .andEquals(QStringLiteral("gestion"), key.year),
                  NumberRule::Highest);
    Qupdate->setParams({key.unit, key.number, key.year});
    Qupdate->exec();
    QVariantList row{key.unit, key.number, key.year, QStringLiteral("S"), number};
    for (int m = 1; m <= monthCount; ++m)
        row << QVariant::fromValue(m == month ? amount : Money());
    row << day << user;
    Qinsert->setParams(row);
    Qinsert->exec();
    return number;
}
