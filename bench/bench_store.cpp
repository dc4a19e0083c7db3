// Figures of the shared store on a large plan: how long the reads and writes the windows
// make take when a database holds many years of many units.
//
//   bench_store [folder] [units] [products per unit] [goals per product]
//
// The embedded store is made in the folder (a new temporary one by default).

#include "core/money.h"
#include "store/actionscope.h"
#include "store/connection.h"
#include "store/numbers.h"
#include "store/query.h"
#include "store/table.h"
#include "timing.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <cstdio>
#include <functional>

namespace {

QString unitCode(int u) {
    return QStringLiteral("B%1").arg(u, 5, 10, QLatin1Char('0'));
}

void generate(Connection& c, int units, int products, int goals) {
    const QStringList years{"2006", "2007", "2008", "2009"};
    ActionScope action;
    c.aboutToWrite();
    QSqlQuery header(c.database()), product(c.database()), goal(c.database()), report(c.database());
    header.prepare("insert into t_prodaccion (cod_unidad, uni_gestion, id_proyecto, "
                   "proy_descorta, proy_ok) values (?, ?, ?, ?, 'S')");
    product.prepare("insert into t_producto (cod_area, id_proyecto, id_producto, pro_gestion, "
                    "pro_fecini, pro_fecfin, pro_montotot) values (?, ?, ?, ?, ?, ?, ?)");
    goal.prepare("insert into t_hito (cod_area, id_producto, gestion, cod_hito, hito_descr, "
                 "hito_fecini, hito_fecfin, hito_porpro, ava_registro) values (?, ?, ?, ?, ?, "
                 "?, ?, ?, 'N')");
    report.prepare("insert into t_avancepor (cod_area, id_producto, gestion, cod_hito, correla, "
                   "fecha_avance, por_avance, usuario) values (?, ?, ?, ?, 1, ?, ?, 'bench')");
    for (const QString& y : years)
        for (int u = 0; u < units; ++u)
            for (int p = 1; p <= products; ++p) {
                const QString unit = unitCode(u);
                header.addBindValue(unit);
                header.addBindValue(y);
                header.addBindValue(p);
                header.addBindValue(QStringLiteral("Producto %1 de %2").arg(p).arg(unit));
                header.exec();
                product.addBindValue(unit);
                product.addBindValue(p);
                product.addBindValue(p);
                product.addBindValue(y);
                product.addBindValue(y + "-01-01");
                product.addBindValue(y + "-12-31");
                product.addBindValue(Money::fromWhole(1000 * p).toStorageText());
                product.exec();
                for (int g = 1; g <= goals; ++g) {
                    goal.addBindValue(unit);
                    goal.addBindValue(p);
                    goal.addBindValue(y);
                    goal.addBindValue(g);
                    goal.addBindValue(QStringLiteral("Meta %1").arg(g));
                    goal.addBindValue(y + "-01-01");
                    goal.addBindValue(y + "-12-31");
                    goal.addBindValue(100 * g / goals);
                    goal.exec();
                    report.addBindValue(unit);
                    report.addBindValue(p);
                    report.addBindValue(y);
                    report.addBindValue(g);
                    report.addBindValue(y + "-06-30");
                    report.addBindValue(50);
                    report.exec();
                }
            }
    action.commit();
}

// Runs a query `times` times with the parameters `params(i)` gives and reports it.
void timeQuery(Connection& c, const char* what, const QString& sql, int times,
               const std::function<QVariantList(int)>& params) {
    Query q(&c, sql);
    Timer t;
    for (int i = 0; i < times; ++i) {
        q.setParams(params(i));
        q.open();
    }
    report(what, t.ms(), times);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir tmp;
    const QStringList args = app.arguments();
    const QString folder = args.value(1, tmp.path());
    const int units = args.value(2, "250").toInt();
    const int products = args.value(3, "10").toInt();
    const int goals = args.value(4, "8").toInt();

    Connection c;
    c.setServer(folder);
    {
        Timer t;
        c.open();
        report("open a new store (tables and installation data)", t.ms(), 1);
    }
    {
        Timer t;
        generate(c, units, products, goals);
        const int headers = 4 * units * products;
        std::printf("generated %d headers, %d goals and %d progress reports\n", headers,
                    headers * goals, headers * goals);
        report("generate the plan in one action", t.ms(), 1);
    }
    c.close();
    {
        Timer t;
        const int times = 20;
        for (int i = 0; i < times; ++i) {
            c.close();
            c.open();
        }
        report("open an existing store", t.ms(), times);
    }

    timeQuery(c, "goal list of one product (query)",
              "select * from t_hito where cod_area = :area and id_producto = :prod and "
              "gestion = :gestion order by cod_hito",
              500, [&](int i) {
                  return QVariantList{unitCode(i % units), 1 + i % products, "2008"};
              });
    timeQuery(c, "next report number of a goal (max + 1)",
              "select max(correla) as maxcorrela from t_avancepor where cod_area = :area and "
              "id_producto = :prod and gestion = :ges and cod_hito = :hito",
              500, [&](int i) {
                  return QVariantList{unitCode(i % units), 1 + i % products, "2008", 1 + i % goals};
              });
    {
        // The same number as a window takes it: one call with its lock, in an action.
        const int times = 500;
        Timer t;
        for (int i = 0; i < times; ++i) {
            ActionScope action;
            newNumber(c, "t_avancepor", "correla",
                      Filter::equals("cod_area", unitCode(i % units))
                          .andEquals("id_producto", QString::number(1 + i % products))
                          .andEquals("gestion", "2008")
                          .andEquals("cod_hito", QString::number(1 + i % goals)));
            action.commit();
        }
        report("next report number in one call (lock, max + 1, commit)", t.ms(), times);
    }
    {
        Table headers(&c, "t_prodaccion");
        headers.setFiltered(true);
        headers.open();
        const int times = 200;
        Timer t;
        for (int i = 0; i < times; ++i)
            headers.setFilter(
                Filter::equals("cod_unidad", unitCode(i % units)).andEquals("uni_gestion", "2008"));
        report("product headers of a unit and year (filtered table)", t.ms(), times);
    }
    {
        Table vice(&c, "t_vicemin"), dir(&c, "t_direccion"), uni(&c, "t_unidad");
        dir.setMaster(&vice, {"cod_min", "cod_vicemin", "vicmin_gestion"},
                      {"cod_min", "cod_vicemin", "dir_gestion"});
        uni.setMaster(&dir, {"cod_min", "cod_vicemin", "cod_direc", "dir_gestion"},
                      {"cod_min", "cod_vicemin", "cod_direc", "uni_gestion"});
        dir.open();
        uni.open();
        vice.open();
        const int times = 200;
        Timer t;
        for (int i = 0; i < times; ++i)
            vice.moveTo(i % vice.rowCount());
        report("move the hierarchy's top level (two details follow)", t.ms(), times);
    }
    {
        Table goalsTable(&c, "t_hito");
        goalsTable.setFilter(Filter::equals("cod_area", unitCode(0)).andEquals("gestion", "2008"));
        goalsTable.setFiltered(true);
        goalsTable.open();
        const int times = 200;
        Timer t;
        {
            ActionScope action;
            for (int i = 0; i < times; ++i) {
                goalsTable.append();
                goalsTable.setField("cod_area", unitCode(0));
                goalsTable.setField("id_producto", 999);
                goalsTable.setField("gestion", "2008");
                goalsTable.setField("cod_hito", i);
                goalsTable.setField("hito_fecini", "05/03/2008");
                goalsTable.post();
            }
            action.commit();
        }
        report("append and post a goal, all in one action", t.ms(), times);
        Timer single;
        for (int i = 0; i < 50; ++i) {
            ActionScope action;
            goalsTable.last();
            goalsTable.edit();
            goalsTable.setField("hito_descr", QStringLiteral("Cambio %1").arg(i));
            goalsTable.post();
            action.commit();
        }
        report("edit and post a goal, one action each", single.ms(), 50);
    }
    return 0;
}
