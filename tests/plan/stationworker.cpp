// A workstation as a program of its own, on the database its first argument names (the
// embedded store's folder, or a libpq connection text such as "host=127.0.0.1 port=5432
// dbname=quv user=postgres"). Every action runs as the windows run it: one user action
// each, through the rule classes.
//
//   station_worker <database> stations <name> <actions> <run>
//     Says "ready", waits for a line on its input (so that two of them start together),
//     then does <actions> user actions on the unit's product 1 of 2008, each kind <run>
//     times in a row before the next: adds headers,
//     stores and undoes goals, records progress reports, adds attribute lines, saves
//     budget versions and execution reports, adds accounts. After each it writes one line
//     with what it stored and the numbers it got; an action that failed writes "error"
//     and the engine's message. "done" at the end.
//
//   station_worker <database> crash <name>
//     Works until it is killed on products of its own: adds a header, stores goals on it
//     and undoes one every other time, records a report, adds attribute lines, saves a
//     budget version and an execution report, and deletes the header again two times in
//     three. A line after each action.

#include "accounts/accounts.h"
#include "budget/execution.h"
#include "budget/programming.h"
#include "pickers/groups.h"
#include "pickers/indicators.h"
#include "pickers/municipalities.h"
#include "pickers/responsibles.h"
#include "pickers/sectorialplan.h"
#include "pickers/sectors.h"
#include "plan/goalentry.h"
#include "plan/headers.h"
#include "progress/progress.h"
#include "store/actionscope.h"
#include "store/connection.h"
#include "store/query.h"
#include "store/table.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QHash>
#include <cstdio>
#include <functional>
#include <iostream>
#include <string>

namespace {

const QString unit = QStringLiteral("V01D01U01");
const QString year = QStringLiteral("2008");

void say(const QString& line) {
    const QByteArray text = line.toUtf8() + '\n';
    std::fwrite(text.constData(), 1, size_t(text.size()), stdout);
    std::fflush(stdout);
}

// Points the connection at the database the argument names.
void attach(Connection& c, const QString& database) {
    if (database.startsWith(u'/') || database.startsWith(u'.') || database.startsWith(u'~')) {
        c.setServer(database);
        return;
    }
    QHash<QString, QString> keys;
    for (const QString& part : database.split(u' ', Qt::SkipEmptyParts)) {
        const qsizetype eq = part.indexOf(u'=');
        if (eq > 0)
            keys.insert(part.left(eq), part.mid(eq + 1));
    }
    ConnectionTarget t;
    t.engine = Engine::PostgreSQL;
    t.host = keys.value(QStringLiteral("host"));
    t.port = keys.value(QStringLiteral("port"), QStringLiteral("-1")).toInt();
    t.database = keys.value(QStringLiteral("dbname"));
    t.user = keys.value(QStringLiteral("user"));
    t.password = keys.value(QStringLiteral("password"));
    c.setResolver([t](const QString&) { return t; });
    c.setServer(QStringLiteral("servidor"));
}

// The rules a workstation's windows use, on one connection.
class Station {
public:
    Station(Connection* c, const QString& name)
        : m_c(c)
        , m_name(name)
        , m_headerTable(c, QStringLiteral("t_prodaccion"))
        , m_products(c, QStringLiteral("t_producto"))
        , m_accountTable(c, QStringLiteral("t_usuario"))
        , m_headers(c)
        , m_goals(c, &m_products, Kind::MN)
        , m_reports(c)
        , m_responsibles(c)
        , m_indicators(c)
        , m_groups(c)
        , m_sectors(c)
        , m_municipalities(c)
        , m_plan(c)
        , m_budget(c)
        , m_execution(c)
        , m_accounts(c) {}

    // Runs one user action; what it says is written once the action is stored.
    void act(const char* what, const std::function<QString()>& action) {
        QString said;
        try {
            ActionScope scope;
            said = action();
            scope.commit();
        } catch (const std::exception& e) {
            say(QStringLiteral("error %1: %2")
                    .arg(QLatin1String(what), QString::fromUtf8(e.what())));
            return;
        }
        say(QLatin1String(what) + (said.isEmpty() ? QString() : u' ' + said));
    }

    // "Agregar registro", then "Grabar registro" in the register browser.
    qint64 addHeader(int n) {
        m_headerTable.close();
        m_headerTable.setFilter(Filter::equals(QStringLiteral("cod_unidad"), unit)
                                    .andEquals(QStringLiteral("uni_gestion"), year));
        m_headerTable.setFiltered(true);
        m_headerTable.open();
        m_headerTable.append();
        return m_headers.add(&m_headerTable, unit, year,
                             {QStringLiteral("Producto %1-%2").arg(m_name).arg(n),
                              QStringLiteral("Actividades"), QStringLiteral("Indicadores"),
                              QString()});
    }

    // A new opening of the entry window on a product.
    void openEntry(const ProductKey& key) {
        m_goals.begin();
        m_goals.abre_hito(key);
    }

    // "Grabar meta": a goal of six days, starting on the `day`-th day of the year.
    QString storeGoal(const ProductKey& key, int day) {
        const QDate start = QDate(2008, 1, 1).addDays(qMin(day, 350));
        const auto outcome =
            m_goals.storeGoal(key, {QDate(2008, 1, 1), QDate(2008, 12, 31),
                                    QStringLiteral("Meta %1-%2").arg(m_name).arg(++m_goalsTyped),
                                    start, start.addDays(5)});
        return outcome == GoalEntry::Outcome::Stored ? QStringLiteral("stored")
                                                     : QStringLiteral("refused");
    }

    // "Deshacer", on the goal list the window shows.
    QString undoGoal(const ProductKey& key) {
        switch (m_goals.undo(key)) {
        case GoalEntry::Undone::Nothing:
            return QStringLiteral("nothing");
        case GoalEntry::Undone::Product:
            return QStringLiteral("product");
        case GoalEntry::Undone::LastGoal:
            return QStringLiteral("last");
        }
        return {};
    }

    // "Grabar" in the progress report: on the open goal, at the last reported percentage
    // or at the goal's percentage, which closes it.
    QString report(const ProductKey& key, bool closing) {
        const auto goal = m_reports.openGoal(key);
        if (!goal)
            return QStringLiteral("none");
        Query g(m_c, QStringLiteral("select hito_porpro from t_hito where cod_area = ? and "
                                    "id_producto = ? and gestion = ? and cod_hito = ?"));
        g.setParams({key.unit, key.number, key.year, *goal});
        g.open();
        if (g.isEmpty())
            return QStringLiteral("none");
        const qint64 goalPercentage = g.integer("hito_porpro");
        const qint64 last = m_reports.lastPercentage(key);
        const qint64 percentage = closing ? goalPercentage : last;
        qint64 number = 0;
        const auto outcome = m_reports.store(key,
                                             {*goal, goalPercentage, percentage, QDate(2008, 6, 1),
                                              m_name, QStringLiteral("Avance"), QString(), 50},
                                             &number);
        if (outcome != ProgressReports::Outcome::Stored &&
            outcome != ProgressReports::Outcome::StoredAndClosed)
            return QStringLiteral("refused");
        return QStringLiteral("%1 %2").arg(*goal).arg(number);
    }

    QString responsible(const ProductKey& key, int n) {
        return QString::number(
            m_responsibles.store(key, QStringLiteral("000%1").arg(1 + n % 4), false));
    }
    QString indicator(const ProductKey& key, int n) {
        return QString::number(m_indicators.store(key, 1 + n % 3, 10 + n));
    }
    QString group(const ProductKey& key, int n) {
        const qint64 orga = 1 + n % 2;
        return QStringLiteral("%1 %2").arg(orga).arg(m_groups.store(key, orga));
    }
    QString sector(const ProductKey& key) {
        return QString::number(m_sectors.storeOne(key, QStringLiteral("0101")));
    }
    QString municipality(const ProductKey& key) {
        m_municipalities.storeOne(key, QStringLiteral("01"), QStringLiteral("0101"),
                                  QStringLiteral("010101"));
        return {};
    }
    QString plan(const ProductKey& key) {
        m_plan.store(key, 1, 1);
        return {};
    }

    // "Grabar" in the budget programming.
    QString budget(const ProductKey& key, int n) {
        BudgetProgramming::Flow flow;
        for (int m = 0; m < 12; ++m) {
            flow.amounts[m] = Money::fromWhole(100 + n);
            flow.percentages[m] = 8;
        }
        const auto v = m_budget.save(
            key, flow, {Money::fromWhole(600), Money::fromWhole(600), Money::fromWhole(1200)},
            QDate(2008, 3, 1));
        return QStringLiteral("%1 %2").arg(v.flow).arg(v.distribution);
    }

    // "Grabar" in the budget execution entry.
    QString execution(const ProductKey& key, int n) {
        return QString::number(m_execution.report(key, 1 + n % 12, Money::fromWhole(50 + n),
                                                  QDate(2008, 7, 1), m_name));
    }

    // "Agregar" then "Grabar" in the user administration.
    QString account(int n) {
        m_accountTable.close();
        m_accountTable.setFiltered(false);
        m_accountTable.open();
        m_accountTable.append();
        m_accountTable.setField(QStringLiteral("nombres"), QStringLiteral("Usuario"));
        m_accountTable.setField(QStringLiteral("apellidos"), m_name);
        m_accountTable.setField(QStringLiteral("usuario"),
                                QStringLiteral("%1-%2").arg(m_name).arg(n));
        m_accountTable.setField(QStringLiteral("contra"), QStringLiteral("clave"));
        m_accountTable.setField(QStringLiteral("gestion"), year);
        m_accountTable.setField(QStringLiteral("entidad"), QStringLiteral("MN"));
        m_accountTable.setField(QStringLiteral("activo"), QStringLiteral("SI"));
        m_accountTable.setField(QStringLiteral("tipo"), QStringLiteral("3"));
        m_accountTable.setField(QStringLiteral("nivel"), 3);
        m_accountTable.setField(QStringLiteral("unidad"), unit);
        const qint64 number = m_accounts.newNumber(year);
        m_accountTable.setField(QStringLiteral("cod_usuario"), QString::number(number));
        m_accountTable.post();
        return QString::number(number);
    }

    // "Eliminar registro" in the register browser.
    QString removeHeader(const ProductKey& key) {
        m_headers.remove(key, key.unit);
        return QString::number(key.number);
    }

private:
    Connection* m_c;
    QString m_name;
    Table m_headerTable;
    Table m_products;
    Table m_accountTable;
    ProductHeaders m_headers;
    GoalEntry m_goals;
    ProgressReports m_reports;
    ResponsibleLinks m_responsibles;
    IndicatorLinks m_indicators;
    GroupLinks m_groups;
    SectorLinks m_sectors;
    MunicipalityLinks m_municipalities;
    SectorialPlanLinks m_plan;
    BudgetProgramming m_budget;
    BudgetExecution m_execution;
    Accounts m_accounts;
    int m_goalsTyped = 0;
};

// Several hundred actions on one product, side by side with another workstation.
void stations(Station& s, int actions, int runOfAKind) {
    const ProductKey key{unit, 1, year};
    say(QStringLiteral("ready"));
    std::string go;
    std::getline(std::cin, go);
    // The goals follow the clock, one day every 20 ms, so that the goals of both
    // workstations end in the order they are stored and their percentages rise with their
    // numbers: a report on the open goal is then never below one on an earlier goal.
    QElapsedTimer clock;
    clock.start();
    const auto today = [&] { return int(clock.elapsed() / 20); };
    s.openEntry(key);
    const QList<std::function<void(int)>> kinds{
        [&](int n) { s.act("header", [&] { return QString::number(s.addHeader(n)); }); },
        [&](int) { s.act("goal", [&] { return s.storeGoal(key, today()); }); },
        [&](int n) { s.act("report", [&] { return s.report(key, n % 2); }); },
        [&](int n) { s.act("responsible", [&] { return s.responsible(key, n); }); },
        [&](int) { s.act("goal", [&] { return s.storeGoal(key, today()); }); },
        [&](int n) { s.act("indicator", [&] { return s.indicator(key, n); }); },
        [&](int n) { s.act("group", [&] { return s.group(key, n); }); },
        [&](int) { s.act("sector", [&] { return s.sector(key); }); },
        [&](int) { s.act("municipality", [&] { return s.municipality(key); }); },
        [&](int) { s.act("plan", [&] { return s.plan(key); }); },
        [&](int n) { s.act("budget", [&] { return s.budget(key, n); }); },
        [&](int n) { s.act("execution", [&] { return s.execution(key, n); }); },
        [&](int n) { s.act("account", [&] { return s.account(n); }); },
        [&](int) { s.act("undo", [&] { return s.undoGoal(key); }); },
    };
    // Each kind of action a few times in a row, so that both workstations take numbers of
    // the same kind at the same moment.
    for (int n = 0; n < actions; ++n)
        kinds[n / runOfAKind % kinds.size()](n);
    say(QStringLiteral("done"));
}

// Until killed: products of its own, each filled and most of them deleted again.
[[noreturn]] void crash(Station& s) {
    for (int n = 0;; ++n) {
        qint64 number = 0;
        s.act("header", [&] {
            number = s.addHeader(n);
            return QString::number(number);
        });
        if (number == 0)
            continue;
        const ProductKey key{unit, number, year};
        s.openEntry(key);
        for (int g = 0; g < 2; ++g)
            s.act("goal", [&] { return s.storeGoal(key, g * 100 + n % 100); });
        if (n % 2)
            s.act("undo", [&] { return s.undoGoal(key); });
        s.act("report", [&] { return s.report(key, n % 2); });
        s.act("responsible", [&] { return s.responsible(key, n); });
        s.act("indicator", [&] { return s.indicator(key, n); });
        // The other attribute lines, half of them each time.
        if (n % 2) {
            s.act("group", [&] { return s.group(key, n); });
            s.act("sector", [&] { return s.sector(key); });
        } else {
            s.act("municipality", [&] { return s.municipality(key); });
            s.act("plan", [&] { return s.plan(key); });
        }
        s.act("budget", [&] { return s.budget(key, n); });
        s.act("execution", [&] { return s.execution(key, n); });
        if (n % 3 != 2)
            s.act("delete", [&] { return s.removeHeader(key); });
    }
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 4) {
        std::fputs("usage: station_worker <database> stations <name> <actions> <run> | "
                   "station_worker <database> crash <name>\n",
                   stderr);
        return 2;
    }
    try {
        Connection c;
        attach(c, args[1]);
        c.open();
        Station station(&c, args[3]);
        if (args[2] == QLatin1String("crash"))
            crash(station);
        stations(station, args.value(4).toInt(), qMax(1, args.value(5).toInt()));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
