#include "goalentry.h"

#include "core/days.h"
#include "store/numbers.h"
#include "store/query.h"
#include "store/table.h"
#include "store/values.h"

#include <algorithm>

namespace {

// A goal as read from the list.
struct Goal {
    qint64 number;
    QDate start;
    QDate end;
};

// The goals of a query's rows, in number order.
QVector<Goal> goalsOf(Query& q) {
    QVector<Goal> goals;
    for (int r = 0; r < q.rowCount(); ++r) {
        q.moveTo(r);
        goals.append({q.integer("cod_hito"), q.date("hito_fecini"), q.date("hito_fecfin")});
    }
    q.first();
    std::stable_sort(goals.begin(), goals.end(),
                     [](const Goal& a, const Goal& b) { return a.number < b.number; });
    return goals;
}

} // namespace

GoalEntry::GoalEntry(Connection* connection, Table* products, Kind kind, QObject* parent)
    : QObject(parent)
    , m_connection(connection)
    , m_products(products)
    , m_kind(kind) {
    ADOQhito = query("ADOQhito", "select * from t_hito where cod_area = :area and id_producto = "
                                 ":prod and gestion = :gestion order by cod_hito asc");
    ADOQmax = query("ADOQmax", "select max(cod_hito) as maximo from t_hito where cod_area = :area "
                               "and id_producto = :prod and gestion = :gestion");
    delete_ultimo = query("delete_ultimo",
                          "delete from t_hito where cod_area = :area and id_producto = :prod and "
                          "gestion = :ges and cod_hito = :max");
    updatehito = query(
        "updatehito",
        "insert into t_hito(cod_area, id_producto, gestion, hito_fecini,hito_fecfin,hito_descr,"
        "cod_hito, hito_porpro, ava_registro) values (:cod_area, :id_producto, :gestion,:FECINI, "
        ":fecfin ,:descr, :codhito, :porpro, 'N')");
    Qdelhito = query("Qdelhito", "delete from t_hito where cod_area = :area and id_producto = "
                                 ":prod and gestion = :gestion");
    Qdelprod = query("Qdelprod", "delete from t_producto where cod_area = :area and id_producto = "
                                 ":prod and pro_gestion = :gestion");
    Qdelpro = query("Qdelpro", "delete from t_producto where cod_area = :unidad and id_producto = "
                               ":prod and pro_gestion = :gestion");
    Qdelmeta = query("Qdelmeta", "delete from t_hito where cod_area = :area and id_producto = "
                                 ":prod and gestion = :ges");
    Qmaxhito = query("Qmaxhito", "select max(cod_hito) as maxhito from t_hito where cod_area = "
                                 ":area and id_producto = :prod and gestion = :ges");
    Qdelhitoult = query("Qdelhitoult",
                        "delete from t_hito where cod_area = :area and id_producto = :prod and "
                        "gestion = :gestion and cod_hito = :hito");
    Qupdatehito = query("Qupdatehito",
                        "update t_hito set cod_hito = :cod where cod_area = :area and id_producto "
                        "= :prod and gestion = :ges and cod_hito = :hito");
    Qminfecha = query("Qminfecha",
                      "select MIN(hito_fecini) as minfecha from t_hito where cod_area = :area and "
                      "id_producto = :prod and gestion = :ges");
    Qmaxfecha = query("Qmaxfecha",
                      "select max(hito_fecfin) as maxfecha from t_hito where cod_area = :area and "
                      "id_producto = :prod and gestion = :ges");
    Qhito = query("Qhito", "select * from t_hito where cod_area = :area and id_producto = :prod "
                           "and gestion = :gestion");
    // The territorial window names the date "fec"; the statement is the same.
    Qupdatefechas = query(
        "Qupdatefechas",
        kind == Kind::MN
            ? "update t_hito set hito_fecini = :fecini where cod_area = :area and id_producto = "
              ":prod and gestion = :gestion and cod_hito = :hito"
            : "update t_hito set hito_fecini = :fec where cod_area = :area and id_producto = "
              ":prod and gestion = :gestion and cod_hito = :hito");
    Qupdatepor =
        query("Qupdatepor", "update t_hito set hito_porpro = :por where cod_area = :area and "
                            "id_producto = :prod and gestion = :ges and cod_hito = :hito");
    Qproducto = query("Qproducto",
                      "select pro_fecini, pro_fecfin from t_producto where cod_area = :area and "
                      "id_producto = :prod and pro_gestion = :gestion");
}

Query* GoalEntry::query(const char* name, const char* sql) {
    return Query::make(m_connection, name, sql, this);
}

void GoalEntry::abre_hito(const ProductKey& key) {
    ADOQhito->close();
    ADOQhito->setParams({key.unit, key.number, key.year});
    ADOQhito->open();
}

void GoalEntry::begin() {
    m_productPending = QStringLiteral("S");
    m_firstGoal = QStringLiteral("S");
}

bool GoalEntry::takeFirstGoal() {
    const bool first = m_firstGoal == QLatin1String("S");
    m_firstGoal = QStringLiteral("N");
    return first;
}

void GoalEntry::writeProduct(const ProductKey& key, const QDate& start, const QDate& end) {
    // One product row per unit, number and year: an opening that finds the row already
    // written (a goal stored and then refused, another opening) gives it the dates its
    // goals are computed against; a row removed by "Cancelar" or "Deshacer" is written
    // again with the next goal.
    const bool exists = storedDates(key).has_value();
    if (exists && m_productPending != QLatin1String("S"))
        return;
    m_products->close();
    m_products->setFiltered(false);
    m_products->setFilter(Filter::equals(QStringLiteral("cod_area"), key.unit)
                              .andEquals(QStringLiteral("id_producto"), QString::number(key.number))
                              .andEquals(QStringLiteral("pro_gestion"), key.year));
    m_products->setFiltered(true);
    m_products->open();
    if (m_products->isEmpty()) {
        m_products->append();
        m_products->setField(QStringLiteral("cod_area"), key.unit);
        m_products->setField(QStringLiteral("id_proyecto"), key.number);
        m_products->setField(QStringLiteral("id_producto"), key.number);
        m_products->setField(QStringLiteral("pro_gestion"), key.year);
    } else {
        m_products->edit();
    }
    m_products->setField(QStringLiteral("pro_fecini"), start);
    m_products->setField(QStringLiteral("pro_fecfin"), end);
    for (auto it = m_productColumns.cbegin(); it != m_productColumns.cend(); ++it)
        m_products->setField(it.key(), it.value());
    m_products->post();
    m_products->close();
    m_products->setFiltered(false);
    m_productPending = QStringLiteral("N");
}

void GoalEntry::insertGoal(const ProductKey& key, qint64 number, const QString& description,
                           const QDate& start, const QDate& end, qint64 percentage) {
    updatehito->setParams(
        {key.unit, key.number, key.year, start, end, description, number, percentage});
    updatehito->exec();
}

bool GoalEntry::endsInClosingGoal(const QDate& productEnd) const {
    if (ADOQhito->isEmpty())
        return false;
    // The list is in number order: its last goal holds the highest number.
    const QVariant end = ADOQhito->valueAt(ADOQhito->rowCount() - 1,
                                           ADOQhito->fieldIndex(QStringLiteral("hito_fecfin")));
    return !productEnd.isValid() || variantDateTime(end).date() <= productEnd;
}

void GoalEntry::lockGoals() {
    // Goal numbers follow the goals read: another workstation storing or undoing goals of
    // the same product waits until this action ends, and then reads what it left.
    lockForOwnNumbers(*m_connection, QStringLiteral("t_hito"));
}

GoalEntry::Outcome GoalEntry::storeGoal(const ProductKey& key, const NewGoal& goal) {
    lockGoals();
    // A product that ends before it starts is never written: its row gets the dates once
    // they are corrected.
    if (goal.productEnd < goal.productStart)
        return Outcome::ProductEndsBeforeStart;
    writeProduct(key, goal.productStart, goal.productEnd);
    if (goal.start > goal.end)
        return Outcome::StartAfterEnd;
    abre_hito(key);
    if (!goalWithinProduct(goal.productStart, goal.productEnd, goal.start, goal.end))
        return Outcome::OutsideProduct;

    ADOQmax->setParams({key.unit, key.number, key.year});
    ADOQmax->open();
    const bool hadGoals = !ADOQmax->isNull("maximo");
    const qint64 m = ADOQmax->integer("maximo");
    ADOQmax->close();
    qint64 number = m_kind == Kind::MN ? 1 : 0;
    if (hadGoals && endsInClosingGoal(goal.productEnd)) {
        // The new goal takes the closing goal's place and number.
        delete_ultimo->setParams({key.unit, key.number, key.year, m});
        delete_ultimo->exec();
        number = m;
    } else if (hadGoals) {
        // The last goal ends after the product: it is an entered goal and stays.
        number = m + 1;
    }

    insertGoal(key, number, goal.description, goal.start, goal.end,
               cumulativePercentage(goal.productStart, goal.productEnd, goal.end));
    if (goal.end.addDays(-1) < goal.productEnd)
        insertGoal(key, number + 1, closingGoalDescription, goal.end.addDays(1), goal.productEnd,
                   100);
    abre_hito(key);
    return Outcome::Stored;
}

GoalEntry::Undone GoalEntry::undo(const ProductKey& key) {
    lockGoals();
    // The list as stored now: another workstation may have stored or undone goals of the
    // product since this one was shown, and the last entered goal is the last one stored.
    abre_hito(key);
    const int listed = ADOQhito->rowCount();
    if (listed == 0)
        return Undone::Nothing;
    const auto stored = storedDates(key);
    const QDate productEnd = stored ? stored->end : QDate();
    const bool closed = endsInClosingGoal(productEnd);
    if (listed == 1 && closed)
        return Undone::Nothing;

    if (!closed && listed > 1) {
        // The last goal ends after the product and no closing goal follows it: it is the
        // last entered goal. The list goes back to what it was before it was stored: the
        // others keep their dates and percentages, and the goal now last is followed by the
        // closing goal again when it ends within the product.
        Qdelhitoult->setParams({key.unit, key.number, key.year, goalsOf(*ADOQhito).last().number});
        Qdelhitoult->exec();
        abre_hito(key);
        if (endsInClosingGoal(productEnd)) {
            const Goal now = goalsOf(*ADOQhito).last();
            insertGoal(key, now.number + 1, closingGoalDescription, now.end.addDays(1), productEnd,
                       100);
            abre_hito(key);
        }
        return Undone::LastGoal;
    }

    // The only entered goal: with its closing goal, or alone when it ends after the product.
    if (listed <= 2) {
        Qdelhito->setParams({key.unit, key.number, key.year});
        Qdelhito->exec();
        Qdelprod->setParams({key.unit, key.number, key.year});
        Qdelprod->exec();
        m_productPending = QStringLiteral("S");
        abre_hito(key);
        return Undone::Product;
    }

    // The last entered goal goes; the closing goal takes its number.
    Qmaxhito->setParams({key.unit, key.number, key.year});
    Qmaxhito->open();
    const qint64 m = Qmaxhito->integer("maxhito");
    Qmaxhito->close();
    Qdelhitoult->setParams({key.unit, key.number, key.year, m - 1});
    Qdelhitoult->exec();

    abre_hito(key);
    ADOQhito->first();
    ADOQmax->setParams(
        {ADOQhito->text("cod_area"), ADOQhito->integer("id_producto"), ADOQhito->text("gestion")});
    ADOQmax->open();
    const qint64 m2 = ADOQmax->integer("maximo");
    ADOQmax->close();
    Qupdatehito->setParams({m2 - 1, key.unit, key.number, key.year, m2});
    Qupdatehito->exec();

    Qminfecha->setParams({key.unit, key.number, key.year});
    Qminfecha->open();
    const QDate first = Qminfecha->date("minfecha");
    Qminfecha->close();
    Qmaxfecha->setParams({key.unit, key.number, key.year});
    Qmaxfecha->open();
    const QDate last = Qmaxfecha->date("maxfecha");
    Qmaxfecha->close();
    const qint64 span = daysInclusive(first, last);

    // Every goal starts the day after the one before it ends.
    Qhito->setParams({key.unit, key.number, key.year});
    Qhito->open();
    const QVector<Goal> chained = goalsOf(*Qhito);
    Qhito->close();
    for (const Goal& g : chained) {
        const bool followed = std::any_of(chained.cbegin(), chained.cend(),
                                          [&](const Goal& n) { return n.number == g.number + 1; });
        if (!followed)
            continue;
        Qupdatefechas->setParams({g.end.addDays(1), key.unit, key.number, key.year, g.number + 1});
        Qupdatefechas->exec();
    }

    // Percentages against the earliest start and the latest end.
    abre_hito(key);
    for (const Goal& g : goalsOf(*ADOQhito)) {
        Qupdatepor->setParams(
            {goalShare(first, g.end, span), key.unit, key.number, key.year, g.number});
        Qupdatepor->exec();
    }
    abre_hito(key);
    return Undone::LastGoal;
}

std::optional<GoalEntry::ProductDates> GoalEntry::storedDates(const ProductKey& key) {
    Qproducto->setParams({key.unit, key.number, key.year});
    Qproducto->open();
    std::optional<ProductDates> dates;
    if (!Qproducto->isEmpty())
        dates = ProductDates{Qproducto->date("pro_fecini"), Qproducto->date("pro_fecfin")};
    Qproducto->close();
    return dates;
}

void GoalEntry::cancel(const ProductKey& key) {
    Qdelpro->setParams({key.unit, key.number, key.year});
    Qdelpro->exec();
    Qdelmeta->setParams({key.unit, key.number, key.year});
    Qdelmeta->exec();
    m_productPending = QStringLiteral("S");
    abre_hito(key);
}
