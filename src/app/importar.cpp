// monitoreo-importar ORIGEN.mdb DESTINO: brings an office's old database file into the
// store that DESTINO names, as the login window's "Servidor:" box reads it (a folder or a
// PostgreSQL server), or a libpq connection text ("host=... dbname=...") for a database of
// another name, all or nothing, printing its progress and summary.
#include "core/error.h"
#include "core/today.h"
#include "importer/importer.h"
#include "store/actionscope.h"
#include "store/connection.h"

#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

namespace {

// A libpq connection text, "key=value" words: host, port, dbname, user and password.
ConnectionTarget connectionText(const QString& text) {
    ConnectionTarget target;
    target.engine = Engine::PostgreSQL;
    target.database = QStringLiteral("quv");
    for (const QString& word : text.split(u' ', Qt::SkipEmptyParts)) {
        const QString key = word.section(u'=', 0, 0);
        const QString value = word.section(u'=', 1);
        if (key == QLatin1String("host"))
            target.host = value;
        else if (key == QLatin1String("port"))
            target.port = value.toInt();
        else if (key == QLatin1String("dbname"))
            target.database = value;
        else if (key == QLatin1String("user"))
            target.user = value;
        else if (key == QLatin1String("password"))
            target.password = value;
        else
            throw Error(QStringLiteral("No se entiende \"%1\" en DESTINO").arg(word));
    }
    return target;
}

void say(FILE* to, const QString& text) {
    std::fputs(qPrintable(text + QLatin1Char('\n')), to);
    std::fflush(to);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("monitoreo"));
    keepLocalTimeZone();
    const QStringList args = app.arguments().mid(1);
    if (args.size() != 2) {
        say(stderr, QStringLiteral("Uso: monitoreo-importar ORIGEN.mdb DESTINO\n"
                                   "  DESTINO: la carpeta de la base incorporada o el servidor "
                                   "PostgreSQL, como en la casilla \"Servidor:\" del ingreso,\n"
                                   "           o el texto de conexión de libpq de otra base "
                                   "(\"host=... dbname=...\")"));
        return 2;
    }
    try {
        Connection store;
        if (args[1].contains(u'=')) {
            const ConnectionTarget target = connectionText(args[1]);
            store.setResolver([target](const QString&) { return target; });
        }
        store.setServer(args[1]);
        store.open();
        store.checkIntegrity();
        ActionScope action;
        QString current;
        int shown = -1;
        Importer importer(store, args[0]);
        const Importer::Summary summary = importer.run([&](const QString& table, qint64 rows,
                                                           qint64 total) {
            const int tenth = total > 0 ? int(rows * 10 / total) : 10;
            if (table != current || tenth != shown) {
                current = table;
                shown = tenth;
                say(stdout, QStringLiteral("%1: %2 de %3 filas").arg(table).arg(rows).arg(total));
            }
            return true;
        });
        action.commit();
        for (const QString& line : summary.lines())
            say(stdout, line);
        say(stdout, QStringLiteral("Importación terminada."));
        return 0;
    } catch (const Error& e) {
        say(stderr, QStringLiteral("monitoreo-importar: %1").arg(e.message()));
        return 1;
    } catch (const std::exception& e) {
        say(stderr, QStringLiteral("monitoreo-importar: %1").arg(QString::fromLocal8Bit(e.what())));
        return 1;
    }
}
