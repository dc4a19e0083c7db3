#include "generator.h"

#include "core/days.h"
#include "core/money.h"
#include "core/rounding.h"
#include "plan/goalmath.h"
#include "plan/headers.h"
#include "progress/progress.h"
#include "store/actionscope.h"
#include "store/bulkrows.h"
#include "store/connection.h"
#include "store/query.h"

#include <QDate>
#include <algorithm>

namespace {

const char* const monthColumns[] = {"enero",      "febrero", "marzo",     "abril",
                                    "mayo",       "junio",   "julio",     "agosto",
                                    "septiembre", "octubre", "noviembre", "diciembre"};

// Five vice-ministries of four directorates of five units; five entities of two
// components of five units.
constexpr int ministryDirectorates = 4;
constexpr int entityComponents = 2;
constexpr int unitsPerNode = 5;

QString code(const char* top, int a, const char* middle, int b, int unit) {
    return QStringLiteral("%1%2%3%4U%5")
        .arg(QLatin1String(top))
        .arg(a)
        .arg(QLatin1String(middle))
        .arg(b)
        .arg(unit, 2, 10, QLatin1Char('0'));
}

} // namespace

QString OfficeGenerator::ministryUnit(int index) {
    const int perTop = ministryDirectorates * unitsPerNode;
    return code("GV", index / perTop + 1, "D", index % perTop / unitsPerNode + 1,
                index % unitsPerNode + 1);
}

QString OfficeGenerator::entityUnit(int index) {
    const int perTop = entityComponents * unitsPerNode;
    return code("GE", index / perTop + 1, "C", index % perTop / unitsPerNode + 1,
                index % unitsPerNode + 1);
}

OfficeGenerator::OfficeGenerator(Connection& connection, const OfficeSize& size, quint32 seed)
    : m_connection(connection)
    , m_size(size)
    , m_random(seed) {}

// The bulk-loaded tables, each with the columns the generator fills.
struct OfficeGenerator::Bulk {
    explicit Bulk(Connection& c)
        : headers(c, QStringLiteral("t_prodaccion"),
                  {"cod_unidad", "uni_gestion", "id_proyecto", "proy_descorta", "proy_descripcion",
                   "proy_resultado", "proy_ok"})
        , products(c, QStringLiteral("t_producto"),
                   {"cod_area", "id_proyecto", "id_producto", "pro_gestion", "pro_fecini",
                    "pro_fecfin", "pro_municipio", "pro_organizacion", "pro_responsable",
                    "pro_indicador", "pro_sector", "pro_efecto"})
        , goals(c, QStringLiteral("t_hito"),
                {"cod_area", "id_proyecto", "id_producto", "gestion", "cod_hito", "hito_descr",
                 "hito_fecini", "hito_fecfin", "hito_porpro", "ava_registro"})
        , reports(c, QStringLiteral("t_avancepor"),
                  {"cod_area", "id_producto", "gestion", "cod_hito", "correla", "fecha_avance",
                   "por_avance", "usuario", "descr", "aclara", "avance_dia"})
        , municipalities(c, QStringLiteral("p_unimun"),
                         {"cod_unidad", "cod_producto", "gestion", "correlativo", "cod_depto",
                          "cod_prov", "cod_mun", "ok"})
        , groups(c, QStringLiteral("p_uniorga"),
                 {"cod_unidad", "cod_producto", "gestion", "cod_orga", "correlativo", "ok"})
        , persons(c, QStringLiteral("p_responsable"),
                  {"cod_unidad", "cod_producto", "gestion", "correlativo", "cod_responsable",
                   "responsable", "ok"})
        , subsectors(c, QStringLiteral("p_unisector"),
                     {"cod_unidad", "cod_producto", "gestion", "cod_grupo", "correlativo", "ok"})
        , indicators(c, QStringLiteral("p_uniindi"),
                     {"cod_unidad", "cod_producto", "gestion", "num_indica", "cantidad",
                      "cod_indicador", "ok"})
        , programmes(c, QStringLiteral("p_unisectorial"),
                     {"cod_unidad", "cod_producto", "gestion", "cod_politica", "cod_programa"})
        , flows(c, QStringLiteral("t_flujofondos"), flowColumns())
        , splits(c, QStringLiteral("t_distribucion"),
                 {"cod_area", "id_producto", "gestion", "activo", "correlativo", "monto_inv",
                  "monto_atec", "usuario", "fecact", "monto_total"})
        , executions(c, QStringLiteral("t_avanceflujo"), executionColumns()) {}

    static QStringList flowColumns() {
        QStringList columns{"cod_area", "id_producto", "gestion", "activo", "correlativo"};
        for (const char* m : monthColumns)
            columns.append(QStringLiteral("flu_%1").arg(QLatin1String(m)));
        columns +=
            {"flu_porene", "flu_porfebre", "flu_pormar", "flu_porabr", "flu_pormay", "flu_porjun",
             "flu_porjul", "flu_porago",   "flu_porsep", "flu_poroct", "flu_pornov", "flu_pordic"};
        columns += {"flu_fecact", "usuario"};
        return columns;
    }
    static QStringList executionColumns() {
        QStringList columns{"cod_area", "id_producto", "gestion", "activo", "correlativo"};
        for (const char* m : monthColumns)
            columns.append(QStringLiteral("ava_%1").arg(QLatin1String(m)));
        columns += {"ava_fecact", "usuario"};
        return columns;
    }
    void flush() {
        for (BulkRows* rows :
             {&headers, &products, &goals, &reports, &municipalities, &groups, &persons,
              &subsectors, &indicators, &programmes, &flows, &splits, &executions})
            rows->flush();
    }

    BulkRows headers, products, goals, reports, municipalities, groups, persons, subsectors,
        indicators, programmes, flows, splits, executions;
};

OfficeGenerator::~OfficeGenerator() = default;

void OfficeGenerator::run(const Progress& progress) {
    m_bulk = std::make_unique<Bulk>(m_connection);
    catalogues();
    for (int y = 0; y < m_size.years; ++y) {
        const int year = m_size.firstYear + y;
        {
            ActionScope action;
            organisation(year);
            action.commit();
        }
        for (int u = 0; u < m_size.ministryUnits; ++u)
            unit(ministryUnit(u), false, year);
        for (int u = 0; u < m_size.entityUnits; ++u)
            unit(entityUnit(u), true, year);
        if (progress)
            progress(QStringLiteral("%1 done").arg(year));
    }
}

void OfficeGenerator::organisation(int year) {
    const QString y = QString::number(year);
    Query top(&m_connection, QStringLiteral("insert into t_vicemin (cod_min, cod_vicemin, "
                                            "vicmin_gestion, vicmin_nombre, tipo) values "
                                            "('GEN', ?, ?, ?, ?)"));
    Query middle(&m_connection, QStringLiteral("insert into t_direccion (cod_min, cod_vicemin, "
                                               "cod_direc, dir_gestion, dir_nombre, tipo) values "
                                               "('GEN', ?, ?, ?, ?, ?)"));
    Query units(&m_connection,
                QStringLiteral("insert into t_unidad (cod_min, cod_vicemin, cod_direc, cod_unidad, "
                               "uni_gestion, uni_nombre, tipo) values ('GEN', ?, ?, ?, ?, ?, ?)"));
    Query account(&m_connection,
                  QStringLiteral("insert into t_usuario (cod_usuario, usuario, tipo, gestion, "
                                 "contra, unidad, entidad, nombres, apellidos, activo, nivel) "
                                 "values (?, ?, ?, ?, 'clave', ?, ?, ?, ?, 'SI', 3)"));
    int accounts = 0;
    const auto addAccount = [&](const QString& login, const QString& type, const QString& unit,
                                const QString& kind) {
        account.setParams({
            QString::number(++accounts),
            login,
            type,
            y,
            unit,
            kind,
            login,
            QStringLiteral("Generado"),
        });
        account.exec();
    };
    addAccount(QStringLiteral("admin"), QStringLiteral("1"), ministryUnit(0), QStringLiteral("MN"));

    const auto kind = [&](bool entity, int count) {
        const QString k = entity ? QStringLiteral("EX") : QStringLiteral("MN");
        for (int i = 0; i < count; ++i) {
            const QString unit = entity ? entityUnit(i) : ministryUnit(i);
            const QString vicemin = unit.left(3);
            const QString direc = unit.left(5);
            if (i % (unitsPerNode * (entity ? entityComponents : ministryDirectorates)) == 0) {
                top.setParams(
                    {vicemin, y,
                     (entity ? QStringLiteral("Entidad ") : QStringLiteral("Viceministerio ")) +
                         vicemin,
                     k});
                top.exec();
            }
            if (i % unitsPerNode == 0) {
                middle.setParams(
                    {vicemin, direc, y,
                     (entity ? QStringLiteral("Componente ") : QStringLiteral("Dirección ")) +
                         direc,
                     k});
                middle.exec();
            }
            units.setParams({vicemin, direc, unit, y, QStringLiteral("Unidad ") + unit, k});
            units.exec();
            addAccount(QStringLiteral("u") + unit, QStringLiteral("4"), unit, k);
        }
    };
    kind(false, m_size.ministryUnits);
    kind(true, m_size.entityUnits);
}

void OfficeGenerator::catalogues() {
    const auto read = [this](const char* sql, std::initializer_list<const char*> fields) {
        Query q(&m_connection, QString::fromLatin1(sql));
        q.open();
        QList<QVariantList> rows;
        for (q.first(); !q.eof(); q.next()) {
            QVariantList row;
            for (const char* f : fields)
                row.append(q.value(QString::fromLatin1(f)));
            rows.append(row);
        }
        return rows;
    };
    m_municipalities = read("select COD_DEPTO, COD_PROV, COD_MUN from t_muni order by COD_MUN",
                            {"COD_DEPTO", "COD_PROV", "COD_MUN"});
    m_groups = read("select cod_orga from t_organizacion order by cod_orga", {"cod_orga"});
    m_persons = read("select cod_responsable from t_responsable order by cod_responsable",
                     {"cod_responsable"});
    m_subsectors = read("select cod_grupo from t_grupo order by cod_grupo", {"cod_grupo"});
    m_indicators =
        read("select cod_indicador from t_indicador order by cod_indicador", {"cod_indicador"});
    m_programmes = read("select cod_politica, cod_programa from t_sectorial order by "
                        "cod_politica, cod_programa",
                        {"cod_politica", "cod_programa"});
}

QVariantList OfficeGenerator::anyOf(const QList<QVariantList>& rows) {
    return rows[std::uniform_int_distribution<int>(0, int(rows.size()) - 1)(m_random)];
}

void OfficeGenerator::attributes(const ProductKey& key) {
    const QVariantList k{key.unit, key.number, key.year};
    const QString yes = QStringLiteral("S");
    for (int line = 1; line <= m_size.attributeRows; ++line) {
        const QVariantList mun = anyOf(m_municipalities);
        m_bulk->municipalities.add(k + QVariantList{line, mun[0], mun[1], mun[2], yes});
        m_bulk->groups.add(k + QVariantList{anyOf(m_groups)[0], 1, yes});
        m_bulk->persons.add(k + QVariantList{line, anyOf(m_persons)[0], QStringLiteral("N"), yes});
        m_bulk->subsectors.add(k + QVariantList{anyOf(m_subsectors)[0], line, yes});
        m_bulk->indicators.add(
            k + QVariantList{line, std::uniform_int_distribution<int>(1, 500)(m_random),
                             anyOf(m_indicators)[0], yes});
        const QVariantList programme = anyOf(m_programmes);
        m_bulk->programmes.add(k + QVariantList{programme[0], programme[1]});
    }
}

void OfficeGenerator::budget(const ProductKey& key) {
    const QVariantList k{key.unit, key.number, key.year};
    const QDate saved = yearStart(key.year).addDays(30);
    for (int v = 1; v <= m_size.budgetVersions; ++v) {
        const QString active =
            v == m_size.budgetVersions ? QStringLiteral("S") : QStringLiteral("N");
        QList<qint64> amounts;
        qint64 total = 0;
        for (int m = 0; m < 12; ++m) {
            amounts.append(std::uniform_int_distribution<int>(0, 200)(m_random) * 500);
            total += amounts.last();
        }
        QVariantList values = k + QVariantList{active, v};
        for (qint64 a : amounts)
            values.append(QVariant::fromValue(Money::fromWhole(a)));
        for (qint64 a : amounts)
            values.append(total == 0 ? 0 : roundHalfEven(a * 100, total));
        values += QVariantList{saved.addDays(v), key.year};
        m_bulk->flows.add(values);
        const qint64 inv =
            roundHalfEven(total * std::uniform_int_distribution<int>(1, 99)(m_random), 100);
        m_bulk->splits.add(k + QVariantList{active, v, QVariant::fromValue(Money::fromWhole(inv)),
                                            QVariant::fromValue(Money::fromWhole(total - inv)),
                                            key.year, saved.addDays(v),
                                            QVariant::fromValue(Money::fromWhole(total))});
    }
    for (int r = 1; r <= m_size.executionReports; ++r) {
        QVariantList values =
            k + QVariantList{
                    r == m_size.executionReports ? QStringLiteral("S") : QStringLiteral("N"), r};
        const int month = (r - 1) % 12;
        for (int m = 0; m < 12; ++m)
            values.append(QVariant::fromValue(Money::fromWhole(
                m == month ? std::uniform_int_distribution<int>(0, 90)(m_random) * 500 : 0)));
        values +=
            QVariantList{QDate(key.year.toInt(), month + 1, 28), QStringLiteral("u") + key.unit};
        m_bulk->executions.add(values);
    }
}

void OfficeGenerator::unit(const QString& code, bool entity, int year) {
    const QString y = QString::number(year);
    const auto pick = [this](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(m_random);
    };

    const QString yes = QStringLiteral("S");
    const QString no = QStringLiteral("N");

    ActionScope action;
    // The numbering rule gives the first header's number and locks the unit's numbers until
    // the action ends, so the headers after it take the numbers that follow.
    const qint64 firstNumber = ProductHeaders(&m_connection).newNumber(code, y);
    for (int p = 0; p < m_size.products; ++p) {
        const qint64 number = firstNumber + p;
        const ProductKey key{code, number, y};
        m_bulk->headers.add({code, y, number,
                             QStringLiteral("Producto %1 de %2").arg(number).arg(code),
                             QStringLiteral("Actividades del producto %1").arg(number),
                             QStringLiteral("Resultado esperado %1").arg(number), yes});

        const QDate start = yearStart(y).addDays(pick(0, 60));
        const QDate end = yearEnd(y).addDays(-pick(0, 60));
        const QString flag = entity ? yes : no;
        m_bulk->products.add(
            {code, number, number, y, start, end, flag, flag, flag, flag, yes, no});

        // Goals end on distinct days before the product's end, in order; the closing goal
        // follows the last.
        const qint64 span = daysInclusive(start, end);
        QList<qint64> cuts;
        while (cuts.size() < m_size.goals) {
            const qint64 c = pick(1, int(span) - 2);
            if (!cuts.contains(c))
                cuts.append(c);
        }
        std::sort(cuts.begin(), cuts.end());
        struct Goal {
            qint64 number;
            QDate start;
            QDate end;
            qint64 percentage;
            qint64 reports = 0;
            bool closed = false;
        };
        QList<Goal> goals;
        QDate from = start;
        const qint64 first = entity ? 0 : 1;
        for (int g = 0; g < cuts.size(); ++g) {
            const QDate to = start.addDays(cuts[g] - 1);
            goals.append({first + g, from, to, cumulativePercentage(start, end, to)});
            from = to.addDays(1);
        }
        goals.append({first + cuts.size(), from, end, 100});

        // Reports spread over the product's days, on the open goal, each reaching a bit
        // more; a goal closes when its percentage is reached. Each is what recording it
        // writes: the next number of its goal's reports, and the goal closed when reached.
        const int reportCount = std::max(0, m_size.reports + pick(-2, 2));
        QList<QDate> days;
        for (int r = 0; r < reportCount; ++r)
            days.append(start.addDays(pick(0, int(span) - 1)));
        std::sort(days.begin(), days.end());
        qint64 reached = 0;
        int open = 0;
        for (const QDate& day : days) {
            if (open >= goals.size())
                break;
            Goal& g = goals[open];
            const qint64 expected = expectedProgress(day, start, end);
            const qint64 percentage =
                std::clamp(std::max(expected, reached + 1), reached, g.percentage);
            Q_ASSERT(acceptable(percentage, reached, g.percentage));
            m_bulk->reports.add({code, number, y, g.number, ++g.reports, day, percentage,
                                 QString(QStringLiteral("u") + code).left(10),
                                 QStringLiteral("Avance al %1").arg(percentage), QString(),
                                 expected});
            reached = percentage;
            if (percentage == g.percentage) {
                g.closed = true;
                ++open;
            }
        }
        for (const Goal& g : goals)
            m_bulk->goals.add({code, number, number, y, g.number,
                               g.number == goals.last().number
                                   ? closingGoalDescription
                                   : QStringLiteral("Meta %1").arg(g.number),
                               g.start, g.end, g.percentage, g.closed ? yes : no});
        if (entity) {
            attributes(key);
            budget(key);
        }
    }
    m_bulk->flush();
    action.commit();
}
