// Figures of the budget: how long a person waits on showing a programme, saving a version,
// showing the execution and storing a report, each measured as the user action it is (one
// transaction, committed), on a store that already holds many versions of many products.
//
//   bench_budget [folder] [units] [products per unit] [versions per product]
//
// The embedded store is made in the folder (a new temporary one by default).

#include "budget/execution.h"
#include "budget/programming.h"
#include "store/actionscope.h"
#include "store/connection.h"
#include "store/query.h"
#include "timing.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <cstdio>

namespace {

QString unitCode(int u) {
    return QStringLiteral("E%1").arg(u, 5, 10, QLatin1Char('0'));
}

const QStringList years{"2006", "2007", "2008", "2009"};

// Every product of every unit and year with `versions` programme versions and as many
// execution reports, the last of each current.
void generate(Connection& c, int units, int products, int versions) {
    ActionScope action;
    c.aboutToWrite();
    QSqlQuery flow(c.database()), split(c.database()), report(c.database());
    flow.prepare("insert into t_flujofondos (cod_area, id_producto, gestion, activo, "
                 "correlativo, flu_enero, flu_porene, flu_junio, flu_porjun, flu_fecact, "
                 "usuario) values (?, ?, ?, ?, ?, 500, 50, 500, 50, '2008-03-05', '2008')");
    split.prepare("insert into t_distribucion (cod_area, id_producto, gestion, activo, "
                  "correlativo, monto_inv, monto_atec, monto_total, fecact, usuario) values "
                  "(?, ?, ?, ?, ?, 300, 700, 1000, '2008-03-05', '2008')");
    report.prepare("insert into t_avanceflujo (cod_area, id_producto, gestion, activo, "
                   "correlativo, ava_marzo, ava_fecact, usuario) values (?, ?, ?, ?, ?, 100, "
                   "'2008-04-02', 'bench')");
    for (const QString& y : years)
        for (int u = 0; u < units; ++u)
            for (int p = 1; p <= products; ++p)
                for (int v = 1; v <= versions; ++v)
                    for (QSqlQuery* q : {&flow, &split, &report}) {
                        q->addBindValue(unitCode(u));
                        q->addBindValue(p);
                        q->addBindValue(y);
                        q->addBindValue(v == versions ? QStringLiteral("S") : QStringLiteral("N"));
                        q->addBindValue(v);
                        q->exec();
                    }
    action.commit();
}

void plan(Connection& c, const QString& sql) {
    QSqlQuery q(c.database());
    QString positional = sql;
    positional.replace(QRegularExpression(QStringLiteral(":\\w+")), QStringLiteral("?"));
    q.prepare(QStringLiteral("EXPLAIN QUERY PLAN ") + positional);
    for (qsizetype i = 0; i < positional.count(u'?'); ++i)
        q.addBindValue(QStringLiteral("x"));
    if (!q.exec())
        std::printf("    %s\n", qPrintable(q.lastError().text()));
    std::printf("  %s\n", qPrintable(sql.left(90)));
    while (q.next())
        std::printf("    %s\n", qPrintable(q.value(3).toString()));
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir tmp;
    const QStringList args = app.arguments();
    const QString folder = args.value(1, tmp.path());
    const int units = args.value(2, "40").toInt();
    const int products = args.value(3, "25").toInt();
    const int versions = args.value(4, "5").toInt();

    Connection c;
    c.setServer(folder);
    c.open();
    {
        Timer t;
        generate(c, units, products, versions);
        report("generate the store", t.ms(), 1);
    }
    std::printf("%d units x %d products x %d years, %d versions each: %d rows a table\n", units,
                products, int(years.size()), versions,
                units * products * int(years.size()) * versions);

    BudgetProgramming programming(&c);
    BudgetExecution execution(&c);
    const int times = 200;
    auto key = [&](int i) {
        return ProductKey{unitCode(i % units), 1 + (i / units) % products, QStringLiteral("2008")};
    };
    {
        Timer t;
        for (int i = 0; i < times; ++i) {
            ActionScope action;
            programming.currentFlow(key(i));
            programming.currentDistribution(key(i));
            action.commit();
        }
        report("show the current programme (flow and split)", t.ms(), times);
    }
    {
        BudgetProgramming::Flow flow;
        flow.amounts[0] = Money::fromWhole(1000);
        flow.percentages[0] = 100;
        Timer t;
        for (int i = 0; i < times; ++i) {
            ActionScope action;
            programming.save(key(i), flow, {Money(), Money(), Money::fromWhole(1000)},
                             QDate(2008, 3, 6));
            action.commit();
        }
        report("save a programme version (one action)", t.ms(), times);
    }
    {
        Timer t;
        for (int i = 0; i < times; ++i) {
            ActionScope action;
            execution.current(key(i));
            action.commit();
        }
        report("show the execution beside the programme", t.ms(), times);
    }
    {
        Timer t;
        for (int i = 0; i < times; ++i) {
            ActionScope action;
            execution.report(key(i), 4, Money::fromWhole(250), QDate(2008, 5, 2),
                             QStringLiteral("bench"));
            action.commit();
        }
        report("store an execution report (one action)", t.ms(), times);
    }
    if (c.engine() == Engine::SQLite) {
        std::printf("query plans:\n");
        for (const Query* q : {programming.Qmaxflujo, programming.Qflujofondos,
                               programming.qupdateflujo, execution.Qavance, execution.Qupdate})
            plan(c, q->sql());
    }
    return 0;
}
