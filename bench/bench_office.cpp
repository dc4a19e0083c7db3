// Figures of the interactive actions on a large office (made by bench_generate), each
// run through the code the windows run, and beside it the time the engine itself needs
// for the same statements, replayed through its own C library.
//
//   bench_office <server> [runs] [year] [only]
//
// With MONITOREO_BENCH_TRACE set, the statements of each action's first run go to stderr.
//
// <server> as in the login window: the folder of an embedded store, or a PostgreSQL
// host[:port] (database "quv"). The actions write: run it on a copy of the office.

#include "accounts/passwords.h"
#include "app/application.h"
#include "budget/frmpptoavance.h"
#include "budget/programming.h"
#include "enginereplay.h"
#include "generator.h"
#include "plan/frmmuestra.h"
#include "plan/frmverpro.h"
#include "plan/goalentry.h"
#include "progress/frmavance.h"
#include "progress/progress.h"
#include "reports/frmavaunidad.h"
#include "session/frmmenpri.h"
#include "session/frmmenu.h"
#include "store/actionscope.h"
#include "store/connection.h"
#include "store/query.h"
#include "store/statement.h"
#include "store/tdtm.h"
#include "timing.h"
#include "ui/dblookup.h"
#include "ui/messages.h"
#include "ui/modalruns.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QHash>
#include <QLineEdit>
#include <QProcess>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <sys/resource.h>

namespace {

QString year = QStringLiteral("2020");

// Boxes are told on the standard error and answered "Sí": a figure taken past a box the
// program showed is not a figure of the action.
class PrintedBoxes : public MessageHandler {
public:
    void information(QWidget*, const QString& text) override { say("box", text); }
    bool question(QWidget*, const QString& text) override {
        say("question", text);
        return true;
    }
    void error(QWidget*, const QString& text) override {
        ++errors;
        say("error", text);
    }
    int shown = 0;
    int errors = 0;

private:
    void say(const char* kind, const QString& text) {
        ++shown;
        std::fprintf(stderr, "%s: %s\n", kind, qPrintable(text));
    }
};

// Only the actions whose name holds this text are measured (for profiling one of them);
// the others run once.
QString only;
QList<EngineReplay::Statement> recorded;
bool recording = false;
std::unique_ptr<EngineReplay> engine;

double percentile(QList<double> values, double p) {
    if (values.isEmpty())
        return 0;
    std::sort(values.begin(), values.end());
    const auto at = qsizetype(std::ceil(p * double(values.size()))) - 1;
    return values[std::clamp<qsizetype>(at, 0, values.size() - 1)];
}

// Runs `action` `runs` times and prints the median and 95th percentile of its time and of
// the engine's time for the statements it ran.
void measure(const char* what, int runs, const std::function<void(int run)>& action) {
    if (!only.isEmpty() && !QString::fromUtf8(what).contains(only)) {
        action(0); // what the actions after it stand on (the login)
        return;
    }
    QList<double> ours, theirs;
    bool replayed = true;
    qsizetype statements = 0;
    for (int i = 0; i < runs; ++i) {
        recorded.clear();
        recording = true;
        Timer t;
        action(i);
        const double ms = t.ms();
        recording = false;
        ours.append(ms);
        statements = recorded.size();
        if (i == 0 && qEnvironmentVariableIsSet("MONITOREO_BENCH_TRACE"))
            for (const EngineReplay::Statement& s : recorded)
                std::fprintf(stderr, "%s: %s\n", what, qPrintable(s.sql));
        const double e = engine ? engine->run(recorded) : -1;
        replayed = replayed && e >= 0;
        theirs.append(e);
    }
    const double ourMedian = percentile(ours, 0.5);
    if (replayed && statements > 0) {
        const double engineMedian = percentile(theirs, 0.5);
        std::printf("| %-44s | %3lld | %8.2f | %8.2f | %8.2f | %8.2f | %5.2f |\n", what,
                    qlonglong(statements), ourMedian, percentile(ours, 0.95), engineMedian,
                    percentile(theirs, 0.95), engineMedian > 0 ? ourMedian / engineMedian : 0.0);
    } else {
        std::printf("| %-44s | %3lld | %8.2f | %8.2f | %8s | %8s | %5s |\n", what,
                    qlonglong(statements), ourMedian, percentile(ours, 0.95), "-", "-", "-");
    }
    std::fflush(stdout);
}

// Chooses an entry of a list as a person does.
void choose(QComboBox* list, const QString& text) {
    const int row = list->findText(text);
    if (row < 0) {
        std::fprintf(stderr, "no \"%s\" in %s\n", qPrintable(text), qPrintable(list->objectName()));
        std::exit(1);
    }
    list->setCurrentIndex(row);
    emit list->activated(row);
}

void chooseUnit(QComboBox* vicemin, QComboBox* direcc, QComboBox* unidad, const QString& unit) {
    choose(vicemin, QStringLiteral("Viceministerio ") + unit.left(3));
    choose(direcc, QStringLiteral("Dirección ") + unit.left(5));
    choose(unidad, QStringLiteral("Unidad ") + unit);
}

// Start-up to the login window, as a process of its own.
int startupChild(int argc, char** argv) {
    QApplication qt(argc, argv);
    Application::prepare(qt);
    Application program;
    QTimer::singleShot(0, [] {
        std::puts("shown");
        std::fflush(stdout);
        std::_Exit(0);
    });
    return program.run();
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc > 1 && QByteArray(argv[1]) == "--startup")
        return startupChild(argc, argv);

    QApplication qt(argc, argv);
    const QStringList args = qt.arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: bench_office <server> [runs]\n");
        return 2;
    }
    const QString server = args[1];
    const int runs = args.value(2, QStringLiteral("30")).toInt();
    year = args.value(3, year);
    only = args.value(4);
    PrintedBoxes boxes;
    Messages::setHandler(&boxes);

    // Start to login window: a fresh process each time.
    {
        QList<double> starts;
        for (int i = 0; i < std::max(5, runs / 3); ++i) {
            QProcess child;
            QElapsedTimer t;
            t.start();
            child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--startup")});
            child.waitForReadyRead(30000);
            starts.append(double(t.nsecsElapsed()) / 1e6);
            child.waitForFinished(30000);
        }
        std::printf("start to login window: median %.1f ms, 95th percentile %.1f ms\n\n",
                    percentile(starts, 0.5), percentile(starts, 0.95));
    }

    Application::prepare(qt);
    Application program;
    setStatementObserver([](const Connection&, const QString& sql, const QVariantList& bound) {
        if (recording)
            recorded.append({sql, bound});
    });
    QHash<QString, std::function<void(Form&)>> scripts;
    ModalRuns::setRunner([&](Form& f) {
        if (const auto script = scripts.take(f.objectName()))
            script(f);
        return 0;
    });
    ModalRuns::setStrict(false);

    TFRMmenu* login = program.FRMmenu();
    login->EDIserv->setText(server);
    login->Edit1->setText(QStringLiteral("admin"));
    login->Edit2->setText(QStringLiteral("clave"));
    login->EDIgestion->setEditText(year);

    std::printf("| action | statements | ours median ms | ours p95 ms | engine median ms | "
                "engine p95 ms | ratio |\n|---|---:|---:|---:|---:|---:|---:|\n");
    // A run of the program checks the embedded store once, at its first login (on a large
    // file, for seconds): that login is measured apart from the others.
    const auto logIn = [&](int) {
        login->guard([&] { login->LBLingresoClick(); });
        if (!engine)
            engine = EngineReplay::open(program.DTM()->connection()->target());
    };
    measure("first login of a run (the store's check)", 1, logIn);
    measure("login (the account, then the unit's names)", runs, logIn);

    // Of the login, the check of the typed password against its hash takes most: slow on
    // purpose, so that guessing passwords from a stolen file is slow too.
    const QString stored = passwords::hash(QStringLiteral("clave"));
    measure("login: the password check alone (Argon2id)", runs,
            [&](int) { passwords::matches(stored, QStringLiteral("clave")); });

    TDTM* dtm = program.DTM();
    Connection* c = dtm->connection();
    TFRMmenpri* menu = program.FRMmenpri();
    const QString unit = OfficeGenerator::ministryUnit(0);
    const QString entity = OfficeGenerator::entityUnit(0);

    scripts[QStringLiteral("FRMmenpri")] = [&](Form&) {
        // The register browser: a unit's headers listed.
        scripts[QStringLiteral("FRMmuestra")] = [&](Form& f) {
            auto* b = static_cast<TFRMmuestra*>(&f);
            chooseUnit(b->DBLvicemin, b->DBLdirecc, b->DBLunidad, unit);
            measure("register browser: a unit's headers", runs, [&](int i) {
                b->DBLunidad->setCurrentIndex(i % b->DBLunidad->count());
                emit b->DBLunidad->activated(b->DBLunidad->currentIndex());
            });
        };
        menu->guard([&] { menu->Datosiniciales2Click(); });

        // The goal rules of the entry windows, on a new product of the unit.
        GoalEntry entry(c, dtm->ADOTproducto, Kind::MN);
        const ProductKey fresh{unit, 900, year};
        entry.begin();
        entry.abre_hito(fresh);
        measure("store a goal with its closing goal", runs, [&](int i) {
            ActionScope action;
            const QDate start = yearStart(year).addDays(i * 7);
            entry.storeGoal(fresh, {yearStart(year), yearEnd(year),
                                    QStringLiteral("Meta %1").arg(i), start, start.addDays(6)});
            action.commit();
        });
        measure("undo the last goal (Deshacer)", std::max(1, runs - 2), [&](int) {
            ActionScope action;
            entry.undo(fresh);
            action.commit();
        });

        // A progress report on a product with reports.
        ProgressReports reports(c);
        measure("record a progress report", runs, [&](int) {
            ActionScope action;
            const ProductKey key{unit, 3, year};
            const auto goal = reports.openGoal(key);
            if (goal) {
                Query g(c, QStringLiteral("select hito_porpro from t_hito where cod_area = ? and "
                                          "id_producto = ? and gestion = ? and cod_hito = ?"));
                g.setParams({key.unit, key.number, key.year, *goal});
                g.open();
                const qint64 last = reports.lastPercentage(key);
                reports.store(key,
                              {*goal, g.integer("hito_porpro"), last, yearEnd(year).addDays(-30),
                               QStringLiteral("admin"), QStringLiteral("Avance"), QString(), 0});
            }
            action.commit();
        });

        // The progress report window: a product chosen, a goal selected, the history.
        scripts[QStringLiteral("FRMavance")] = [&](Form& f) {
            auto* a = static_cast<TFRMavance*>(&f);
            chooseUnit(a->DBLvicemin, a->DBLdirecc, a->DBLunidad, unit);
            measure("progress report: choose a product", runs, [&](int i) {
                a->DBLproducto->setCurrentIndex(i % a->DBLproducto->count());
                emit a->DBLproducto->activated(a->DBLproducto->currentIndex());
            });
            measure("progress report: select a goal", runs, [&](int i) {
                a->ADOQhito->moveTo(i % std::max(1, a->ADOQhito->rowCount()));
                a->guard([&] { a->DBGrid1CellClick(); });
            });
            measure("history of a product", runs,
                    [&](int) { a->guard([&] { a->BitBtn3Click(); }); });
        };
        menu->guard([&] { menu->avance1Click(); });

        // Progress by executing unit.
        scripts[QStringLiteral("FRMavaunidad")] = [&](Form& f) {
            auto* r = static_cast<TFRMavaunidad*>(&f);
            for (QCheckBox* all : {r->CHBtodvic, r->CHBtoddir, r->CHBtoduni})
                all->setChecked(true);
            measure("unit report, \"Todos\" at every level", std::max(3, runs / 3),
                    [&](int) { r->guard([&] { r->BitBtn1Click(); }); });
            for (QCheckBox* all : {r->CHBtodvic, r->CHBtoddir, r->CHBtoduni})
                all->setChecked(false);
            for (QComboBox* list :
                 {static_cast<QComboBox*>(r->DBLvicemin), static_cast<QComboBox*>(r->DBLdirecc),
                  static_cast<QComboBox*>(r->DBLunidad)})
                list->setEnabled(true);
            chooseUnit(r->DBLvicemin, r->DBLdirecc, r->DBLunidad, unit);
            measure("unit report, one unit", runs,
                    [&](int) { r->guard([&] { r->BitBtn1Click(); }); });
            r->CHBtoduni->setChecked(true);
            measure("unit report, one direction", runs,
                    [&](int) { r->guard([&] { r->BitBtn1Click(); }); });
            r->CHBtoddir->setChecked(true);
            measure("unit report, one vice-ministry", runs,
                    [&](int) { r->guard([&] { r->BitBtn1Click(); }); });
        };
        menu->guard([&] { menu->Ministerio1Click(); });

        // A territorial action: its information sheet, its budget, its execution.
        TFRMverpro* sheet = program.FRMverpro();
        sheet->LBLcodigo->setText(entity);
        sheet->LBLproy->setText(QStringLiteral("2"));
        measure("information sheet: activation", runs, [&](int) { menu->open(sheet); });

        BudgetProgramming budget(c);
        const ProductKey action{entity, 2, year};
        measure("budget programming: save a version", runs, [&](int i) {
            ActionScope scope;
            BudgetProgramming::Flow flow;
            for (int m = 0; m < 12; ++m) {
                flow.amounts[m] = Money::fromWhole(1000 + i);
                flow.percentages[m] = 8;
            }
            budget.save(action, flow,
                        {Money::fromWhole(6000), Money::fromWhole(6000 + 12 * i),
                         Money::fromWhole(12000 + 12 * i)},
                        yearStart(year).addDays(60));
            scope.commit();
        });
        TFRMpptoavance* execution = program.FRMpptoavance();
        execution->LBLcodigo->setText(entity);
        execution->LBLprod->setText(QStringLiteral("2"));
        measure("budget execution: the month grid", runs, [&](int) { menu->open(execution); });
    };
    // A login of its own, whose menu runs the actions with the session as a user has it.
    login->guard([&] { login->LBLingresoClick(); });
    setStatementObserver({});

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("\npeak memory: %.1f MB\n", double(usage.ru_maxrss) / 1024.0);
    // An action that failed gives no figure worth printing.
    return boxes.errors == 0 ? 0 : 1;
}
