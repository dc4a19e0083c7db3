// Figures of plan registration: how long a person waits on the goal rules of the entry
// windows and the goal sheet, each measured as the user action it is (one transaction,
// committed), on a store that already holds many products.
//
//   bench_plan [folder] [products]
//
// The embedded store is made in the folder (a new temporary one by default).

#include "plan/goalentry.h"
#include "plan/goalsheet.h"
#include "store/actionscope.h"
#include "store/connection.h"
#include "store/query.h"
#include "store/table.h"
#include "timing.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>

namespace {

const QString unit = QStringLiteral("V01D01U01");
const QString year = QStringLiteral("2008");

// Twelve monthly goals, each stored as "Grabar meta" stores it.
void storeYear(GoalEntry& entry, const ProductKey& key) {
    entry.begin();
    entry.abre_hito(key);
    for (int month = 1; month <= 12; ++month) {
        ActionScope action;
        const QDate start(2008, month, 1);
        entry.storeGoal(key, {QDate(2008, 1, 1), QDate(2008, 12, 31),
                              QStringLiteral("Meta del mes %1").arg(month), start,
                              start.addMonths(1).addDays(-1)});
        action.commit();
    }
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir tmp;
    const QStringList args = app.arguments();
    const QString folder = args.value(1, tmp.path());
    const int products = args.value(2, "300").toInt();

    Connection c;
    c.setServer(folder);
    c.open();
    Table productTable(&c, QStringLiteral("t_producto"));
    GoalEntry entry(&c, &productTable, Kind::MN);
    GoalSheet sheet(&c);

    {
        Timer t;
        for (int p = 1; p <= products; ++p)
            storeYear(entry, {unit, p, year});
        report("store a goal behind the closing goal (one action)", t.ms(), products * 12);
    }
    {
        const int times = 200;
        Timer t;
        for (int i = 0; i < times; ++i)
            entry.abre_hito({unit, 1 + i % products, year});
        report("reload a product's goal list", t.ms(), times);
    }
    {
        // Each undo of a 13-goal list renumbers, re-chains and recomputes twelve goals.
        const int times = qMin(products, 100);
        Timer t;
        for (int p = 1; p <= times; ++p) {
            ActionScope action;
            entry.abre_hito({unit, p, year});
            entry.undo({unit, p, year});
            action.commit();
        }
        report("undo the last goal of 12 (one action)", t.ms(), times);
    }
    {
        const int times = qMin(products, 100);
        Timer t;
        for (int i = 0; i < times; ++i) {
            const ProductKey key{unit, products - i, year};
            ActionScope action;
            sheet.abre_metas(key);
            sheet.Qhito->moveTo(3);
            sheet.graba_meta(
                key, {QStringLiteral("Meta corregida"), QDate(2008, 4, 1), QDate(2008, 4, 20)});
            action.commit();
        }
        report("goal sheet: save a goal of 13 and recompute (one action)", t.ms(), times);
    }
    return 0;
}
