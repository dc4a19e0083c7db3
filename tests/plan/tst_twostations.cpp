#include "fixture/storetest.h"
#include "fixture/testmain.h"
#include "plan/goalmath.h"
#include "plan/headers.h"
#include "planchecks.h"
#include "store/actionscope.h"
#include "store/table.h"

#include <QElapsedTimer>
#include <QHash>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <algorithm>

// Two workstations, each a program of its own, working on the same unit and product at the
// same moment: several hundred user actions each, every kind of action that takes a new
// number. Nothing either stored is lost or numbered twice, the product ends in one closing
// goal, the budget has one current version, and no action fails because the other
// workstation held the database.
class TestTwoStations : public StoreTest {
    Q_OBJECT

    // Fourteen kinds of action, each eleven times in a row, twice over.
    static constexpr int kinds = 14;
    static constexpr int runOfAKind = 11;
    static constexpr int actionsEach = 2 * kinds * runOfAKind;
    const ProductKey product{QStringLiteral("V01D01U01"), 1, QStringLiteral("2008")};

    // What the workstations said they stored: for each kind of action, the words after it.
    using Said = QHash<QString, QStringList>;

    static Said parse(const QByteArray& output, QStringList& errors) {
        Said said;
        for (const QByteArray& raw : output.split('\n')) {
            const QString line = QString::fromUtf8(raw).trimmed();
            if (line.isEmpty() || line == u"ready" || line == u"done")
                continue;
            const qsizetype space = line.indexOf(u' ');
            const QString kind = space < 0 ? line : line.left(space);
            if (kind == u"error")
                errors.append(line);
            else
                said[kind].append(space < 0 ? QString() : line.mid(space + 1));
        }
        return said;
    }

    QStringList column(const QString& sql) const { return rowsOf(c.get(), sql); }

    // The stored numbers of one kind against those the workstations got: the same, each
    // once.
    static QStringList compare(const QString& what, QStringList stored, QStringList got) {
        std::sort(stored.begin(), stored.end());
        std::sort(got.begin(), got.end());
        QStringList found;
        if (QSet<QString>(stored.begin(), stored.end()).size() != stored.size())
            found.append(QStringLiteral("%1: a number is stored twice: %2")
                             .arg(what, stored.join(QStringLiteral(", "))));
        if (stored != got)
            found.append(
                QStringLiteral("%1: stored %2, the workstations got %3")
                    .arg(what, stored.join(QStringLiteral(", ")), got.join(QStringLiteral(", "))));
        return found;
    }

    QString productWhere(const char* unit, const char* number, const char* year) const {
        return QStringLiteral(" where %1 = 'V01D01U01' and %2 = 1 and %3 = '2008'")
            .arg(QLatin1String(unit), QLatin1String(number), QLatin1String(year));
    }

private slots:
    void twoStationsWorkOnOneProductAtOnce() {
        {
            // The product's header, made as the register browser makes it.
            Table headers(c.get(), QStringLiteral("t_prodaccion"));
            ProductHeaders rules(c.get());
            ActionScope action;
            QCOMPARE(rules.add(&headers, product.unit, product.year,
                               {QStringLiteral("Riego"), QString(), QString(), QString()}),
                     product.number);
            action.commit();
        }
        const QStringList accountsBefore =
            column(QStringLiteral("select cod_usuario from t_usuario where gestion = '2008'"));

        QElapsedTimer clock;
        clock.start();
        QProcess stations[2];
        for (int i = 0; i < 2; ++i) {
            stations[i].start(QStringLiteral(STATION_WORKER),
                              {db->connectionText(), QStringLiteral("stations"),
                               QStringLiteral("w%1").arg(i + 1), QString::number(actionsEach),
                               QString::number(runOfAKind)});
            QVERIFY(stations[i].waitForStarted());
        }
        // Both connected; then both are told to start at once.
        for (QProcess& p : stations) {
            while (!p.canReadLine())
                QVERIFY2(p.waitForReadyRead(30000), qPrintable(p.readAllStandardError()));
            QCOMPARE(p.readLine().trimmed(), QByteArray("ready"));
        }
        for (QProcess& p : stations)
            p.write("go\n");
        for (QProcess& p : stations)
            QVERIFY(p.waitForBytesWritten(10000));
        QByteArray output[2];
        for (int i = 0; i < 2; ++i) {
            QVERIFY2(stations[i].waitForFinished(180000),
                     qPrintable(stations[i].readAllStandardError()));
            QCOMPARE(stations[i].exitCode(), 0);
            output[i] = stations[i].readAllStandardOutput();
            QVERIFY(output[i].trimmed().endsWith("done"));
        }
        qInfo("%d actions on each of two workstations in %lld ms", actionsEach, clock.elapsed());

        QStringList errors;
        Said said;
        for (const QByteArray& o : output) {
            const Said one = parse(o, errors);
            for (auto it = one.cbegin(); it != one.cend(); ++it)
                said[it.key()] += it.value();
        }
        // A workstation never told that the database is busy, nor any other failure.
        QCOMPARE(errors, QStringList());
        // Every kind of action ran on both.
        QCOMPARE(said.value(QStringLiteral("header")).size(), 2 * actionsEach / kinds);

        // A report said as its goal and number; a refused one stored nothing.
        const QStringList reports = said.value(QStringLiteral("report"))
                                        .filter(QRegularExpression(QStringLiteral("^\\d+ \\d+$")));

        QStringList found = planInconsistencies(c.get());

        found += compare(QStringLiteral("headers"),
                         column(QStringLiteral("select id_proyecto from t_prodaccion where "
                                               "cod_unidad = 'V01D01U01' and uni_gestion = "
                                               "'2008'")),
                         said.value(QStringLiteral("header")) << QStringLiteral("1"));
        found += compare(QStringLiteral("reports"),
                         column(QStringLiteral("select cod_hito, correla from t_avancepor") +
                                productWhere("cod_area", "id_producto", "gestion")),
                         reports);
        found += compare(QStringLiteral("responsible lines"),
                         column(QStringLiteral("select correlativo from p_responsable") +
                                productWhere("cod_unidad", "cod_producto", "gestion")),
                         said.value(QStringLiteral("responsible")));
        found += compare(QStringLiteral("indicator lines"),
                         column(QStringLiteral("select num_indica from p_uniindi") +
                                productWhere("cod_unidad", "cod_producto", "gestion")),
                         said.value(QStringLiteral("indicator")));
        found += compare(QStringLiteral("group lines"),
                         column(QStringLiteral("select cod_orga, correlativo from p_uniorga") +
                                productWhere("cod_unidad", "cod_producto", "gestion")),
                         said.value(QStringLiteral("group")));
        // Nothing is removed: the listed sub-sectors count up without repeating.
        found += compare(QStringLiteral("sub-sector lines"),
                         column(QStringLiteral("select correlativo from p_unisector") +
                                productWhere("cod_unidad", "cod_producto", "gestion")),
                         said.value(QStringLiteral("sector")));
        QStringList flows;
        QStringList splits;
        for (const QString& v : said.value(QStringLiteral("budget"))) {
            flows.append(v.section(u' ', 0, 0));
            splits.append(v.section(u' ', 1, 1));
        }
        found += compare(QStringLiteral("cash flow versions"),
                         column(QStringLiteral("select correlativo from t_flujofondos") +
                                productWhere("cod_area", "id_producto", "gestion")),
                         flows);
        found += compare(QStringLiteral("split versions"),
                         column(QStringLiteral("select correlativo from t_distribucion") +
                                productWhere("cod_area", "id_producto", "gestion")),
                         splits);
        found += compare(QStringLiteral("execution reports"),
                         column(QStringLiteral("select correlativo from t_avanceflujo") +
                                productWhere("cod_area", "id_producto", "gestion")),
                         said.value(QStringLiteral("execution")));
        found += compare(QStringLiteral("accounts"),
                         column(QStringLiteral("select cod_usuario from t_usuario where gestion "
                                               "= '2008'")),
                         said.value(QStringLiteral("account")) + accountsBefore);
        QVERIFY2(found.isEmpty(), qPrintable(found.join(u'\n')));

        // Lines without numbers: as many as were stored.
        QCOMPARE(count(QStringLiteral("p_unimun") +
                       productWhere("cod_unidad", "cod_producto", "gestion")),
                 qint64(said.value(QStringLiteral("municipality")).size()));
        QCOMPARE(count(QStringLiteral("p_unisectorial") +
                       productWhere("cod_unidad", "cod_producto", "gestion")),
                 qint64(said.value(QStringLiteral("plan")).size()));

        // The goals: every stored goal that no "Deshacer" took back, and the closing goal.
        const QStringList undone = said.value(QStringLiteral("undo"));
        const qint64 entered = said.value(QStringLiteral("goal")).count(QStringLiteral("stored")) -
                               undone.count(QStringLiteral("last")) -
                               undone.count(QStringLiteral("product"));
        QVERIFY(entered > 0);
        QCOMPARE(said.value(QStringLiteral("goal")).count(QStringLiteral("stored")),
                 said.value(QStringLiteral("goal")).size());
        QCOMPARE(count(QStringLiteral("t_hito") +
                       productWhere("cod_area", "id_producto", "gestion") +
                       QStringLiteral(" and hito_descr <> '%1'").arg(closingGoalDescription)),
                 entered);
        QCOMPARE(
            count(QStringLiteral("t_hito") + productWhere("cod_area", "id_producto", "gestion")),
            entered + 1);
        QCOMPARE(count(QStringLiteral("t_producto") +
                       productWhere("cod_area", "id_producto", "pro_gestion")),
                 qint64(1));
        // Reports were stored (the others were refused: a "Deshacer" recomputes the goals'
        // percentages, which can leave the open goal below the last report).
        QVERIFY(!reports.isEmpty());
        qInfo("%lld goals entered, %lld reports stored", entered, qlonglong(reports.size()));
    }
};

MONITOREO_TEST_MAIN(new TestTwoStations)
#include "tst_twostations.moc"
