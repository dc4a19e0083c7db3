#include "programming.h"

#include "store/numbers.h"
#include "store/query.h"

namespace {

// The month columns of a flow row, January first.
const char* const amountColumns[monthCount] = {
    "flu_enero", "flu_febrero", "flu_marzo",      "flu_abril",   "flu_mayo",      "flu_junio",
    "flu_julio", "flu_agosto",  "flu_septiembre", "flu_octubre", "flu_noviembre", "flu_diciembre"};
const char* const percentageColumns[monthCount] = {
    "flu_porene", "flu_porfebre", "flu_pormar", "flu_porabr", "flu_pormay", "flu_porjun",
    "flu_porjul", "flu_porago",   "flu_porsep", "flu_poroct", "flu_pornov", "flu_pordic"};

Filter productScope(const ProductKey& key) {
    return Filter::equals(QStringLiteral("cod_area"), key.unit)
        .andEquals(QStringLiteral("id_producto"), QString::number(key.number))
        .andEquals(QStringLiteral("gestion"), key.year);
}

} // namespace

QString flowAmountColumn(int monthIndex) {
    return QString::fromLatin1(amountColumns[monthIndex]);
}

BudgetProgramming::BudgetProgramming(Connection* connection, QObject* parent)
    : QObject(parent)
    , m_connection(connection) {
    Qmaxflujo = query("Qmaxflujo", "select Max(correlativo) as corr from t_flujofondos where "
                                   "cod_area = :area and id_producto = :prod and gestion = :ges "
                                   "and activo = 'S'");
    Qflujofondos = query("Qflujofondos",
                         "select * from t_flujofondos where cod_area = :area and id_producto = "
                         ":prod and gestion = :ges and activo = 'S' and correlativo = :corr");
    Qmaxdis = query("Qmaxdis", "select Max(correlativo) as corr from t_distribucion where "
                               "cod_area = :area and id_producto = :prod and gestion = :ges and "
                               "activo = 'S'");
    Qdistribucion = query("Qdistribucion",
                          "select * from t_distribucion where cod_area = :area and id_producto = "
                          ":prod and gestion = :ges and activo = 'S' and correlativo = :corr");
    qupdateflujo = query("qupdateflujo", "update t_flujofondos set activo = 'N' where cod_area = "
                                         ":area and id_producto = :prod and gestion = :gestion");
    Qupdatedistri =
        query("Qupdatedistri", "update t_distribucion set activo = 'N' where cod_area = :area and "
                               "id_producto = :prod and gestion = :gestion");
    Qmonto = query(
        "Qmonto",
        "insert into t_flujofondos(cod_area, id_producto,gestion,activo,correlativo, "
        "flu_enero,flu_porene,flu_febrero,flu_porfebre,flu_marzo,flu_pormar,flu_abril,flu_porabr, "
        "flu_mayo,flu_pormay,flu_junio,flu_porjun,flu_julio,flu_porjul,flu_agosto,flu_porago, "
        "flu_septiembre,flu_porsep,flu_octubre,flu_poroct,flu_noviembre,flu_pornov,flu_diciembre,"
        "flu_pordic, flu_fecact,usuario) values(:uni,:prod,:ges,:activo,:corr, "
        ":ene,:porporene,:feb,:porfeb,:mar,:pormar, :abr,:porabr,:may,:pormay,:jun,:porjun, "
        ":jul,:porjul,:ago,:porago,:sep,:porsep, :oct,:poroct,:nov,:pornov,:dic,:pordic, "
        ":fecact,:usuario)");
    Qdistri = query("Qdistri", "insert into t_distribucion(cod_area, id_producto,gestion,activo,"
                               "correlativo, monto_inv, monto_atec,usuario, fecact, monto_total) "
                               "values(:uni,:prod,:ges,:activo,:corr, :inv,:atec,:usuario,:fecact,"
                               ":mon_tot)");
}

Query* BudgetProgramming::query(const char* name, const char* sql) {
    return Query::make(m_connection, name, sql, this);
}

bool BudgetProgramming::openCurrent(Query* highest, Query* current, const ProductKey& key) {
    highest->close();
    highest->setParams({key.unit, key.number, key.year});
    highest->open();
    const qint64 corr = highest->integer(QStringLiteral("corr")); // none counts as 0
    highest->close();
    current->close();
    current->setParams({key.unit, key.number, key.year, corr});
    current->open();
    return !current->isEmpty();
}

BudgetProgramming::Flow BudgetProgramming::currentFlow(const ProductKey& key) {
    Flow flow;
    if (openCurrent(Qmaxflujo, Qflujofondos, key)) {
        for (int i = 0; i < monthCount; ++i) {
            flow.amounts[i] = Qflujofondos->money(flowAmountColumn(i));
            flow.percentages[i] = Qflujofondos->integer(QString::fromLatin1(percentageColumns[i]));
        }
    }
    Qflujofondos->close();
    return flow;
}

BudgetProgramming::Distribution BudgetProgramming::currentDistribution(const ProductKey& key) {
    Distribution d;
    if (openCurrent(Qmaxdis, Qdistribucion, key)) {
        d.infrastructure = Qdistribucion->money(QStringLiteral("monto_inv"));
        d.technicalAssistance = Qdistribucion->money(QStringLiteral("monto_atec"));
        d.total = Qdistribucion->money(QStringLiteral("monto_total"));
    }
    Qdistribucion->close();
    return d;
}

BudgetProgramming::Versions BudgetProgramming::save(const ProductKey& key, const Flow& flow,
                                                    const Distribution& distribution,
                                                    const QDate& day) {
    const Versions versions{
        newNumber(*m_connection, QStringLiteral("t_flujofondos"), QStringLiteral("correlativo"),
                  productScope(key), NumberRule::Count),
        newNumber(*m_connection, QStringLiteral("t_distribucion"), QStringLiteral("correlativo"),
                  productScope(key), NumberRule::Count)};

    for (Query* supersede : {qupdateflujo, Qupdatedistri}) {
        supersede->setParams({key.unit, key.number, key.year});
        supersede->exec();
    }

    // The user column holds the year, as it always has.
    const QString user = key.year;
    QVariantList row{key.unit, key.number, key.year, QStringLiteral("S"), versions.flow};
    for (int i = 0; i < monthCount; ++i)
        row << QVariant::fromValue(flow.amounts[i]) << flow.percentages[i];
    row << day << user;
    Qmonto->setParams(row);
    Qmonto->exec();

    Qdistri->setParams({key.unit, key.number, key.year, QStringLiteral("S"), versions.distribution,
                        QVariant::fromValue(distribution.infrastructure),
                        QVariant::fromValue(distribution.technicalAssistance), user, day,
                        QVariant::fromValue(distribution.total)});
    Qdistri->exec();
    return versions;
}
