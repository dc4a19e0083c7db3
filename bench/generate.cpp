// Fills an empty store with a large office, for the benchmarks and for trying the program
// on realistic data.
//
//   bench_generate <server> [large|small] [seed]
//
// <server> is what the login window's server box takes: a folder for the embedded store
// (made if missing), or a PostgreSQL host[:port] whose database "quv" is used (user and
// password the libpq way: PGUSER, PGPASSWORD). The store must be empty.

#include "generator.h"
#include "store/connection.h"
#include "store/query.h"
#include "timing.h"

#include <QCoreApplication>
#include <QDir>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: bench_generate <server> [large|small] [seed]\n");
        return 2;
    }
    const QString server = args[1];
    const OfficeSize size =
        args.value(2) == QLatin1String("small") ? OfficeSize::small() : OfficeSize::large();
    const quint32 seed = args.value(3, QStringLiteral("2026")).toUInt();
    if (resolveServer(server).engine == Engine::SQLite)
        QDir().mkpath(QDir(server).filePath(QStringLiteral("TAVRO")));

    try {
        Connection c;
        c.setServer(server);
        c.open();
        Query existing(&c, QStringLiteral("select count(*) as n from t_prodaccion where "
                                          "cod_unidad like 'G%'"));
        existing.open();
        if (existing.integer("n") > 0) {
            std::fprintf(stderr, "the store already holds a generated office\n");
            return 1;
        }
        Timer t;
        OfficeGenerator(c, size, seed).run([&](const QString& step) {
            std::printf("%-20s %8.1f s\n", qPrintable(step), t.ms() / 1000);
            std::fflush(stdout);
        });
        for (const char* table : {"t_prodaccion", "t_producto", "t_hito", "t_avancepor", "p_unimun",
                                  "t_flujofondos", "t_avanceflujo", "t_usuario"}) {
            Query n(&c, QStringLiteral("select count(*) as n from %1").arg(QLatin1String(table)));
            n.open();
            std::printf("%-20s %10lld rows\n", table, n.integer("n"));
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
