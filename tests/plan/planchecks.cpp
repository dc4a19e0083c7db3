#include "planchecks.h"

#include "fixture/testdb.h"
#include "plan/goalmath.h"
#include "store/connection.h"

#include <QHash>

namespace {

// Rows of `table` whose `key` columns repeat.
QStringList repeated(Connection* c, const char* table, const char* key,
                     const char* where = nullptr) {
    QStringList found;
    const QString sql =
        QStringLiteral("select %1, count(*) from %2%3 group by %1 having count(*) > 1")
            .arg(QLatin1String(key), QLatin1String(table),
                 where ? QStringLiteral(" where ") + QLatin1String(where) : QString());
    for (const QString& row : rowsOf(c, sql))
        found.append(QStringLiteral("%1: (%2) used %3 times")
                         .arg(QLatin1String(table), QLatin1String(key), row));
    return found;
}

// Versioned rows of a product and year: one current version, the highest.
QStringList versions(Connection* c, const char* table, QHash<QString, QString>* counts) {
    QStringList found;
    const QString sql =
        QStringLiteral("select cod_area, id_producto, gestion, count(*), sum(case when "
                       "activo = 'S' then 1 else 0 end), max(correlativo), max(case when "
                       "activo = 'S' then correlativo else 0 end) from %1 group by "
                       "cod_area, id_producto, gestion")
            .arg(QLatin1String(table));
    for (const QString& row : rowsOf(c, sql)) {
        const QStringList f = row.split(u' ');
        const QString product = f.mid(0, 3).join(u' ');
        if (f[4] != u"1" || f[5] != f[6])
            found.append(QStringLiteral("%1 of %2: %3 rows, %4 current, highest %5, current %6")
                             .arg(QLatin1String(table), product, f[3], f[4], f[5], f[6]));
        if (counts)
            counts->insert(product, f[3]);
    }
    return found;
}

QStringList inconsistencies(Connection* c) {
    QStringList found;
    if (c->engine() == Engine::SQLite) {
        const QStringList integrity = rowsOf(c, QStringLiteral("pragma integrity_check"));
        if (integrity != QStringList{QStringLiteral("ok")})
            found.append(QStringLiteral("integrity check: ") + integrity.join(u'\n'));
    }

    found += repeated(c, "t_prodaccion", "cod_unidad, uni_gestion, id_proyecto");
    found += repeated(c, "t_hito", "cod_area, id_producto, gestion, cod_hito");
    found += repeated(c, "t_avancepor", "cod_area, id_producto, gestion, cod_hito, correla");
    found += repeated(c, "p_responsable", "cod_unidad, cod_producto, gestion, correlativo");
    found += repeated(c, "p_uniindi", "cod_unidad, cod_producto, gestion, num_indica");
    found += repeated(c, "p_uniorga", "cod_unidad, cod_producto, gestion, cod_orga, correlativo");
    found += repeated(c, "p_unisector", "cod_unidad, cod_producto, gestion, correlativo");
    found += repeated(c, "t_flujofondos", "cod_area, id_producto, gestion, correlativo");
    found += repeated(c, "t_distribucion", "cod_area, id_producto, gestion, correlativo");
    found += repeated(c, "t_avanceflujo", "cod_area, id_producto, gestion, correlativo");
    found += repeated(c, "t_usuario", "gestion, cod_usuario");

    // Goals: numbered without gaps, one closing goal, the highest.
    for (const QString& row :
         rowsOf(c, QStringLiteral("select cod_area, id_producto, gestion, count(*), min(cod_hito), "
                                  "max(cod_hito), sum(case when hito_descr = ? then 1 else 0 end) "
                                  "from t_hito group by cod_area, id_producto, gestion")
                       .replace(u'?', u'\'' + closingGoalDescription + u'\''))) {
        const QStringList f = row.split(u' ');
        if (f[5].toLongLong() - f[4].toLongLong() + 1 != f[3].toLongLong() || f[6] != u"1")
            found.append(QStringLiteral("goals of %1: %2 goals numbered %3 to %4, %5 closing")
                             .arg(f.mid(0, 3).join(u' '), f[3], f[4], f[5], f[6]));
    }
    for (const QString& row : rowsOf(
             c, QStringLiteral(
                    "select h.cod_area, h.id_producto, h.gestion, h.cod_hito from t_hito h where "
                    "h.hito_descr <> ? and h.cod_hito = (select max(m.cod_hito) from t_hito m "
                    "where m.cod_area = h.cod_area and m.id_producto = h.id_producto and "
                    "m.gestion = h.gestion)")
                    .replace(u'?', u'\'' + closingGoalDescription + u'\'')))
        found.append(QStringLiteral("goals of %1 end in an entered goal").arg(row));

    // What a header's deletion takes with it is gone with it.
    for (const QString& row : rowsOf(
             c, QStringLiteral("select p.cod_area, p.id_producto, p.pro_gestion from t_producto p "
                               "where not exists (select 1 from t_prodaccion h where "
                               "h.cod_unidad = p.cod_area and h.id_proyecto = p.id_producto and "
                               "h.uni_gestion = p.pro_gestion)")))
        found.append(QStringLiteral("product %1 has no header").arg(row));
    for (const QString& row : rowsOf(
             c, QStringLiteral("select distinct g.cod_area, g.id_producto, g.gestion from t_hito "
                               "g where not exists (select 1 from t_producto p where p.cod_area = "
                               "g.cod_area and p.id_producto = g.id_producto and p.pro_gestion = "
                               "g.gestion)")))
        found.append(QStringLiteral("goals of %1 have no product").arg(row));

    // Budgets: one current version; the flow and its split saved together.
    QHash<QString, QString> flows;
    QHash<QString, QString> splits;
    found += versions(c, "t_flujofondos", &flows);
    found += versions(c, "t_distribucion", &splits);
    found += versions(c, "t_avanceflujo", nullptr);
    if (flows != splits)
        found.append(QStringLiteral("cash flow and split versions differ"));
    return found;
}

} // namespace

QStringList planInconsistencies(Connection* c) {
    // One snapshot, though other workstations go on writing.
    c->execDirect(c->engine() == Engine::SQLite
                      ? QStringLiteral("BEGIN")
                      : QStringLiteral("BEGIN ISOLATION LEVEL REPEATABLE READ READ ONLY"));
    QStringList found;
    try {
        found = inconsistencies(c);
    } catch (const std::exception& e) {
        found.append(QString::fromUtf8(e.what()));
    }
    c->execDirect(QStringLiteral("ROLLBACK"));
    return found;
}
