// The import of an office's old database file at office scale:
//   bench_import <office> <folder> <target>
// writes the office the store <office> holds (as the login's "Servidor:" box names it, e.g.
// the large office of bench_generate) into <folder> as CSV files and, with the tests' Jet
// writer, as <folder>/QUV.mdb; then imports that file into the store <target> (a new one),
// and prints the time of each step, rows a second and peak memory.
#include "core/today.h"
#include "fixture/jet/storecsv.h"
#include "importer/importer.h"
#include "store/actionscope.h"
#include "store/connection.h"
#include "timing.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <sys/resource.h>

namespace {

double peakMb(int who) {
    rusage usage{};
    getrusage(who, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    keepLocalTimeZone();
    const QStringList args = app.arguments().mid(1);
    if (args.size() != 3) {
        std::fprintf(stderr, "bench_import <office> <folder> <target>\n");
        return 2;
    }
    try {
        QDir().mkpath(args[1]);
        qint64 rows = 0;
        Timer dumping;
        QStringList files;
        {
            Connection office;
            office.setServer(args[0]);
            office.open();
            files = writeStoreAsJetCsv(office, args[1], &rows);
        }
        std::printf("office as CSV: %lld rows in %.1f s\n", rows, dumping.ms() / 1000);

        const QString file = QDir(args[1]).filePath(QStringLiteral("QUV.mdb"));
        Timer writing;
        QProcess writer;
        writer.setProcessChannelMode(QProcess::ForwardedChannels);
        writer.start(QStringLiteral("python3"),
                     QStringList{QStringLiteral(JET_WRITER), file} + files);
        if (!writer.waitForFinished(-1) || writer.exitCode() != 0)
            throw Error(QStringLiteral("the Jet writer failed"));
        std::printf("Jet file written: %.1f MB in %.1f s\n", double(QFileInfo(file).size()) / 1e6,
                    writing.ms() / 1000);

        Connection target;
        target.setServer(args[2]);
        target.open();
        Timer importing;
        ActionScope action;
        QString last;
        const Importer::Summary summary =
            Importer(target, file).run([&](const QString& table, qint64, qint64) {
                if (table != last) {
                    last = table;
                    std::printf("  %-16s at %7.1f s\n", qPrintable(table), importing.ms() / 1000);
                    std::fflush(stdout);
                }
                return true;
            });
        action.commit();
        const double seconds = importing.ms() / 1000;
        qint64 written = 0;
        for (const auto& t : summary.tables)
            written += t.written;
        std::printf("import: %lld rows in %.1f s, %.0f rows a second\n", written, seconds,
                    double(written) / seconds);
        std::printf("peak memory: this program %.1f MB, the writer %.1f MB\n", peakMb(RUSAGE_SELF),
                    peakMb(RUSAGE_CHILDREN));
        return 0;
    } catch (const Error& e) {
        std::fprintf(stderr, "bench_import: %s\n", qPrintable(e.message()));
        return 1;
    }
}
