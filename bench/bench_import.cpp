// The import of an office's old database file at office scale:
//   bench_import <office> <folder> <target>
// writes the office the store <office> holds (as the login's "Servidor:" box names it, e.g.
// the large office of bench_generate) into <folder> as CSV files and, with the tests' Jet
// writer, as <folder>/QUV.mdb; then imports that file into the store <target> (a new one),
// and prints the time of each step, rows a second and peak memory.
#include "core/money.h"
#include "core/today.h"
#include "importer/importer.h"
#include "store/actionscope.h"
#include "store/connection.h"
#include "store/schema.h"
#include "timing.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSqlQuery>
#include <sys/resource.h>

namespace {

QString jetType(const ColumnDef& c) {
    switch (c.type) {
    case ColumnType::Text:
        return QStringLiteral("text(%1)").arg(c.size);
    case ColumnType::Memo:
        return QStringLiteral("memo");
    case ColumnType::Integer:
        return QStringLiteral("long");
    case ColumnType::Float:
        return QStringLiteral("double");
    case ColumnType::DateTime:
        return QStringLiteral("datetime");
    case ColumnType::Money:
        return QStringLiteral("currency");
    }
    return {};
}

QString field(const QVariant& v, const ColumnDef& c) {
    if (v.isNull())
        return {};
    QString s;
    if (c.type == ColumnType::DateTime) {
        s = v.toString().left(19).replace(u'T', u' '); // stored ISO text or a timestamp
        if (v.typeId() == QMetaType::QDateTime)
            s = v.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    } else if (c.type == ColumnType::Money) {
        s = Money::parse(v.toString()).toStorageText();
    } else if (c.type == ColumnType::Float) {
        s = QString::number(v.toDouble(), 'g', 17);
    } else {
        s = v.toString();
    }
    if (s.contains(u',') || s.contains(u'"') || s.contains(u'\n') || s.contains(u'\r'))
        s = u'"' + s.replace(u'"', QStringLiteral("\"\"")) + u'"';
    return s;
}

// Every table of the store as a CSV file of the Jet writer, read a row at a time.
QStringList dump(Connection& office, const QString& folder, qint64& rows) {
    QStringList files;
    for (const TableDef& t : schemaTables()) {
        if (t.name == QLatin1String("t_avanceresumen"))
            continue;
        QFile out(QDir(folder).filePath(t.name + QStringLiteral(".csv")));
        if (!out.open(QIODevice::WriteOnly))
            throw Error(QStringLiteral("No se puede escribir %1").arg(out.fileName()));
        QStringList header, names;
        for (const ColumnDef& c : t.columns) {
            header.append(c.name + u':' + jetType(c));
            names.append(quotedName(c.name));
        }
        out.write((header.join(u',') + u'\n').toUtf8());
        QSqlQuery q(office.database());
        q.setForwardOnly(true);
        if (!q.exec(QStringLiteral("select %1 from %2")
                        .arg(names.join(QStringLiteral(", ")), quotedName(t.name))))
            throw Error(t.name);
        QString line;
        while (q.next()) {
            line.clear();
            for (int i = 0; i < t.columns.size(); ++i) {
                if (i)
                    line += u',';
                line += field(q.value(i), t.columns[i]);
            }
            line += u'\n';
            out.write(line.toUtf8());
            ++rows;
        }
        files.append(out.fileName());
    }
    return files;
}

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
            files = dump(office, args[1], rows);
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
