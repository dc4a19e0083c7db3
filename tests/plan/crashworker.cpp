// Works on the embedded store in the folder given until it is killed: stores and undoes
// goals, records progress reports and saves budget versions on a few products, each as
// one user action, and writes a dot after each.

#include "budget/programming.h"
#include "plan/goalentry.h"
#include "progress/progress.h"
#include "store/actionscope.h"
#include "store/connection.h"
#include "store/query.h"
#include "store/table.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    Connection c;
    c.setServer(app.arguments().value(1));
    c.open();
    Table products(&c, QStringLiteral("t_producto"));
    GoalEntry entry(&c, &products, Kind::MN);
    ProgressReports reports(&c);
    BudgetProgramming budget(&c);
    const auto done = [] {
        std::fputc('.', stdout);
        std::fflush(stdout);
    };
    for (qint64 n = 0;; ++n) {
        const ProductKey key{QStringLiteral("V01D01U01"), 1 + n % 4, QStringLiteral("2008")};
        entry.begin();
        entry.abre_hito(key);
        {
            ActionScope action;
            const QDate start = QDate(2008, 1, 1).addDays(n * 3 % 330);
            entry.storeGoal(key, {QDate(2008, 1, 1), QDate(2008, 12, 31),
                                  QStringLiteral("Meta %1").arg(n), start, start.addDays(2)});
            action.commit();
        }
        done();
        if (n % 3 == 2) {
            ActionScope action;
            entry.abre_hito(key);
            entry.undo(key);
            action.commit();
            done();
        }
        {
            ActionScope action;
            if (const auto goal = reports.openGoal(key)) {
                Query g(&c, QStringLiteral("select hito_porpro from t_hito where cod_area = ? "
                                           "and id_producto = ? and gestion = ? and cod_hito = ?"));
                g.setParams({key.unit, key.number, key.year, *goal});
                g.open();
                reports.store(key, {*goal, g.integer("hito_porpro"), reports.lastPercentage(key),
                                    QDate(2008, 6, 1), QStringLiteral("prueba"),
                                    QStringLiteral("Avance"), QString(), 0});
            }
            action.commit();
        }
        done();
        {
            ActionScope action;
            BudgetProgramming::Flow flow;
            for (int m = 0; m < 12; ++m) {
                flow.amounts[m] = Money::fromWhole(100 + n);
                flow.percentages[m] = 8;
            }
            budget.save(key, flow,
                        {Money::fromWhole(600), Money::fromWhole(600), Money::fromWhole(1200)},
                        QDate(2008, 3, 1));
            action.commit();
        }
        done();
    }
}
