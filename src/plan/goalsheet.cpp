#include "goalsheet.h"

#include "core/days.h"
#include "core/error.h"
#include "store/query.h"

#include <algorithm>

namespace {

// A goal as read from the list.
struct Goal {
    qint64 number;
    QDate start;
    QDate end;
    // The key columns of the row itself.
    qint64 product;
    QString year;
};

// The goals of the list, in ascending number.
QVector<Goal> goalsOf(Query& q) {
    QVector<Goal> goals;
    for (int r = 0; r < q.rowCount(); ++r) {
        q.moveTo(r);
        goals.append({q.integer("cod_hito"), q.date("hito_fecini"), q.date("hito_fecfin"),
                      q.integer("id_producto"), q.text("gestion")});
    }
    q.first();
    std::stable_sort(goals.begin(), goals.end(),
                     [](const Goal& a, const Goal& b) { return a.number < b.number; });
    return goals;
}

} // namespace

GoalSheet::GoalSheet(Connection* connection, QObject* parent)
    : QObject(parent)
    , m_connection(connection) {
    Qhito = query("Qhito", "select * from t_hito where cod_area = :area and id_producto = :prod "
                           "and gestion = :ges");
    // In goal number order, as the grid shows them and the save walks them.
    Qhito->setRowOrder({QStringLiteral("cod_hito")});
    Qminhito = query("Qminhito",
                     "select Min (hito_fecini) as minhito from t_hito where cod_area = :unidad "
                     "and id_producto =:prod and gestion = :ges");
    Qmaxhito = query("Qmaxhito",
                     "select Max (hito_fecfin) as maxhito from t_hito where cod_area = :unidad "
                     "and id_producto =:prod and gestion = :ges");
    Qminprod = query("Qminprod",
                     "select Min(pro_fecini) as minprod from t_producto where cod_area = :unidad "
                     "and id_producto =:prod and pro_gestion = :ges");
    Qmaxprod =
        query("Qmaxprod", "select Max (pro_fecfin) as maxprod from t_producto where cod_area = "
                          ":unidad and id_producto =:prod and pro_gestion = :ges");
    Qupdate = query("Qupdate",
                    "update t_hito set hito_descr = :des, hito_fecini = :fecini, hito_fecfin = "
                    ":fecfin where (cod_area = :area and id_producto = :prod and gestion = :ges "
                    "and cod_hito = :codhito)");
    Qupdatepor =
        query("Qupdatepor", "update t_hito set hito_porpro = :porpro where (cod_area = :area and "
                            "id_producto = :prod and gestion = :ges and cod_hito = :codhito)");
    Qupdatefechas =
        query("Qupdatefechas", "update t_hito set hito_fecini = :fecini where cod_area = :area and "
                               "id_producto = :prod and gestion = :gestion and cod_hito = :hito");
    Qupdateprod = query("Qupdateprod",
                        "update t_producto set pro_fecini = :fecnueva where cod_area = :area and "
                        "id_producto = :prod and pro_gestion = :gestion");
    Qupdatemaxprod = query("Qupdatemaxprod",
                           "update t_producto set pro_fecfin = :fecnueva where cod_area = :area "
                           "and id_producto = :prod and pro_gestion = :gestion");
    Qdelhito = query("Qdelhito", "delete from t_hito where cod_area = :area and id_producto = "
                                 ":prod and gestion = :ges");
    Qdelpro = query("Qdelpro", "delete from t_producto where cod_area = :area and id_producto = "
                               ":prod and pro_gestion = :ges");
}

Query* GoalSheet::query(const char* name, const char* sql) {
    return Query::make(m_connection, name, sql, this);
}

void GoalSheet::run(Query* q, const ProductKey& key) {
    q->close();
    q->setParams({key.unit, key.number, key.year});
    q->open();
}

void GoalSheet::abre_metas(const ProductKey& key) {
    abre_hito(key);
    lee_fechas(key);
}

void GoalSheet::abre_hito(const ProductKey& key) {
    run(Qhito, key);
}

void GoalSheet::lee_fechas(const ProductKey& key) {
    run(Qmaxhito, key);
    run(Qminhito, key);
}

QDate GoalSheet::firstStart() const {
    return Qminhito->isOpen() && !Qminhito->isEmpty() ? Qminhito->date("minhito") : QDate();
}

QDate GoalSheet::lastEnd() const {
    return Qmaxhito->isOpen() && !Qmaxhito->isEmpty() ? Qmaxhito->date("maxhito") : QDate();
}

void GoalSheet::graba_meta(const ProductKey& key, const GoalEdit& edit) {
    // The goal being corrected is the current row of the list as the user left it.
    if (Qhito->isOpen() && Qhito->currentRow() >= 0) {
        Qupdate->setParams({edit.description, edit.start, edit.end, Qhito->text("cod_area"),
                            Qhito->integer("id_producto"), Qhito->text("gestion"),
                            Qhito->integer("cod_hito")});
        Qupdate->exec();
    }
    abre_hito(key);

    // The product's dates from the goals.
    run(Qmaxhito, key);
    run(Qminhito, key);
    run(Qmaxprod, key);
    run(Qminprod, key);
    const QDate first = firstStart();
    const QDate last = lastEnd();
    if (!first.isValid() || !last.isValid())
        return; // no goals: the product keeps the dates it has
    const qint64 span = daysInclusive(first, last);
    if (span == 0)
        throw ConversionError(QStringLiteral(
            "Las metas no abarcan ningún día: su fecha de conclusión más tardía es anterior a "
            "su fecha de inicio más temprana. Corrija las fechas de la meta."));
    Qupdateprod->setParams({first, key.unit, key.number, key.year});
    Qupdateprod->exec();
    Qupdatemaxprod->setParams({last, key.unit, key.number, key.year});
    Qupdatemaxprod->exec();

    actualiza_fechas(key);
    actualiza_porcentajes(key, span);
    // The list shows the goals as they are now stored.
    abre_hito(key);
}

void GoalSheet::actualiza_fechas(const ProductKey& key) {
    abre_hito(key);
    const QVector<Goal> goals = goalsOf(*Qhito);
    for (const Goal& g : goals) {
        // A goal whose predecessor number does not exist keeps its own start.
        const bool followed = std::any_of(goals.cbegin(), goals.cend(),
                                          [&](const Goal& n) { return n.number == g.number + 1; });
        if (!followed)
            continue;
        Qupdatefechas->setParams({g.end.addDays(1), key.unit, key.number, key.year, g.number + 1});
        Qupdatefechas->exec();
    }
}

void GoalSheet::actualiza_porcentajes(const ProductKey& key, qint64 span) {
    abre_hito(key);
    qint64 sum = 0;
    for (const Goal& g : goalsOf(*Qhito)) {
        sum += goalShare(g.start, g.end, span);
        Qupdatepor->setParams({sum, key.unit, g.product, g.year, g.number});
        Qupdatepor->exec();
    }
}

void GoalSheet::elimina_metas(const ProductKey& key) {
    Qdelhito->setParams({key.unit, key.number, key.year});
    Qdelhito->exec();
    abre_hito(key);
    Qdelpro->setParams({key.unit, key.number, key.year});
    Qdelpro->exec();
}
