#include "budget/budgetmath.h"
#include "budget/execution.h"
#include "budget/programming.h"
#include "core/error.h"
#include "fixture/storetest.h"
#include "fixture/testmain.h"
#include "store/actionscope.h"
#include "store/query.h"
#include "store/storeerror.h"

#include <QTest>

namespace {

Money bs(const char* text) {
    return Money::parse(QString::fromLatin1(text));
}

MonthAmounts months(std::initializer_list<const char*> first) {
    MonthAmounts amounts{};
    int i = 0;
    for (const char* a : first)
        amounts[i++] = bs(a);
    return amounts;
}

} // namespace

// The budget's figures: the months' shares of the total, the split by type of support and
// the executed share; and the versions in which programme and execution are stored.
class TestBudget : public StoreTest {
    Q_OBJECT

    const ProductKey key{QStringLiteral("E01C01U01"), 5, QStringLiteral("2008")};

    BudgetProgramming::Versions save(BudgetProgramming& programming, const ProductKey& k,
                                     const BudgetProgramming::Flow& flow,
                                     const BudgetProgramming::Distribution& distribution,
                                     const QDate& day = QDate(2008, 3, 5)) {
        ActionScope action;
        const auto versions = programming.save(k, flow, distribution, day);
        action.commit();
        return versions;
    }
    qint64 report(BudgetExecution& execution, int month, const char* amount,
                  const QDate& day = QDate(2008, 4, 2)) {
        ActionScope action;
        const qint64 number =
            execution.report(key, month, bs(amount), day, QStringLiteral("entidad"));
        action.commit();
        return number;
    }
    // "correlativo activo" of every row of a table, in version order.
    QStringList versions(const QString& table, const ProductKey& k) const {
        Query q(c.get(), QStringLiteral("select correlativo, activo from %1 where cod_area = ? "
                                        "and id_producto = ? and gestion = ? order by "
                                        "correlativo")
                             .arg(table));
        q.setParams({k.unit, k.number, k.year});
        QStringList rows;
        for (q.open(); !q.eof(); q.next())
            rows.append(
                QStringLiteral("%1 %2").arg(q.integer("correlativo")).arg(q.text("activo")));
        return rows;
    }
    static BudgetProgramming::Flow flowOf(const MonthAmounts& amounts, Money total) {
        BudgetProgramming::Flow flow;
        flow.amounts = amounts;
        flow.percentages = *monthRule(amounts, total).percentages;
        return flow;
    }

private slots:
    void aMonthsShareIsRoundedHalfToEven_data() {
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QString>("total");
        QTest::addColumn<qint64>("percentage");
        QTest::newRow("12.5 goes down") << "125"
                                        << "1000" << qint64(12);
        QTest::newRow("13.5 goes up") << "135"
                                      << "1000" << qint64(14);
        QTest::newRow("just above a half") << "125,0001"
                                           << "1000" << qint64(13);
        QTest::newRow("a third") << "333"
                                 << "1000" << qint64(33);
        QTest::newRow("decimals of the total") << "1"
                                               << "0,5" << qint64(200);
        QTest::newRow("above the total") << "2500"
                                         << "1000" << qint64(250);
        QTest::newRow("nothing") << "0"
                                 << "1000" << qint64(0);
        QTest::newRow("the largest amounts") << "922337203685477,5807"
                                             << "922337203685477,5807" << qint64(100);
    }
    void aMonthsShareIsRoundedHalfToEven() {
        QFETCH(QString, amount);
        QFETCH(QString, total);
        QFETCH(qint64, percentage);
        QCOMPARE(monthPercentage(Money::parse(amount), Money::parse(total)), percentage);
    }

    void theMonthRule() {
        // Each month is rounded on its own: nothing is carried to make 100.
        const MonthFigures thirds = monthRule(months({"333", "333", "334"}), bs("1000"));
        QCOMPARE(thirds.sum, bs("1000"));
        QCOMPARE(thirds.difference, Money());
        QVERIFY(thirds.percentages.has_value());
        QCOMPARE((*thirds.percentages)[0], 33);
        QCOMPARE((*thirds.percentages)[2], 33);
        QCOMPARE((*thirds.percentages)[11], 0);
        QCOMPARE(percentageTotal(*thirds.percentages), 99);
        QVERIFY(!exceedsWhole(99) && !exceedsWhole(100) && exceedsWhole(101));

        // Months above the total leave a negative difference.
        const MonthFigures over = monthRule(months({"600", "600,25"}), bs("1000"));
        QCOMPARE(over.sum.toString(), QStringLiteral("1200,25"));
        QCOMPARE(over.difference.toString(), QStringLiteral("-200,25"));
        QCOMPARE(percentageTotal(*over.percentages), 120);

        // Without a total nothing is worked out as a share; the sum and difference are.
        const MonthFigures noTotal = monthRule(months({"0", "5"}), Money());
        QVERIFY(!noTotal.percentages.has_value());
        QCOMPARE(noTotal.sum, bs("5"));
        QCOMPARE(noTotal.difference, bs("-5"));
        QVERIFY_THROWS_EXCEPTION(ConversionError, monthPercentage(bs("5"), Money()));

        // Twelve of the largest amounts do not fit an amount.
        MonthAmounts huge;
        huge.fill(Money::max());
        QVERIFY_THROWS_EXCEPTION(ConversionError, monthRule(huge, bs("1")));
    }

    void monthNamesAreTheTwelveOfTheList() {
        QCOMPARE(monthNames().size(), 12);
        QCOMPARE(monthNames().first(), QStringLiteral("Enero"));
        QCOMPARE(monthNames().last(), QStringLiteral("Diciembre"));
        QCOMPARE(monthNumber(QStringLiteral("Marzo")), std::optional<int>(3));
        QCOMPARE(monthNumber(QStringLiteral("Septiembre")), std::optional<int>(9));
        QCOMPARE(monthNumber(QStringLiteral("marzo")), std::nullopt);
        QCOMPARE(monthNumber(QStringLiteral("Marz")), std::nullopt);
        QCOMPARE(monthNumber(QString()), std::nullopt);
    }

    void theSplitBySupport_data() {
        QTest::addColumn<qint64>("percentage");
        QTest::addColumn<QString>("total");
        QTest::addColumn<QString>("share");
        QTest::addColumn<qint64>("otherPercentage");
        QTest::addColumn<QString>("other");
        QTest::newRow("301.5 goes to the even 302") << qint64(30) << "1005"
                                                    << "302" << qint64(70) << "703";
        QTest::newRow("2.5 goes to the even 2") << qint64(50) << "5"
                                                << "2" << qint64(50) << "3";
        QTest::newRow("3.5 goes to the even 4") << qint64(50) << "7"
                                                << "4" << qint64(50) << "3";
        QTest::newRow("all of it") << qint64(100) << "1005"
                                   << "1005" << qint64(0) << "0";
        QTest::newRow("one percent") << qint64(1) << "1005"
                                     << "10" << qint64(99) << "995";
        QTest::newRow("nothing to split") << qint64(40) << "0"
                                          << "0" << qint64(60) << "0";
        // p x T does not fit 32 bits: the split is still exact.
        QTest::newRow("a large total") << qint64(99) << "100000000000"
                                       << "99000000000" << qint64(1) << "1000000000";
        QTest::newRow("the largest total") << qint64(100) << "922337203685477"
                                           << "922337203685477" << qint64(0) << "0";
        // A total with decimals is split to the ten-thousandth.
        QTest::newRow("decimals") << qint64(30) << "1000,5"
                                  << "300,15" << qint64(70) << "700,35";
        QTest::newRow("a half ten-thousandth goes to the even")
            << qint64(50) << "0,0005"
            << "0,0002" << qint64(50) << "0,0003";
    }
    void theSplitBySupport() {
        QFETCH(qint64, percentage);
        QFETCH(QString, total);
        QFETCH(QString, share);
        QFETCH(qint64, otherPercentage);
        QFETCH(QString, other);
        const auto split = splitBySupport(percentage, Money::parse(total));
        QVERIFY(split.has_value());
        QCOMPARE(split->share.toString(), share);
        QCOMPARE(split->otherPercentage, otherPercentage);
        QCOMPARE(split->other.toString(), other);
    }

    void aPercentageOutsideOneToHundredDoesNotSplit() {
        for (qint64 p : {qint64(0), qint64(-5), qint64(101), std::numeric_limits<qint64>::max(),
                         std::numeric_limits<qint64>::min()})
            QVERIFY2(!splitBySupport(p, bs("1005")).has_value(), qPrintable(QString::number(p)));
    }

    void aStoredSplitGivesBackItsPercentages() {
        // Every percentage a total is split by comes back from the two amounts.
        for (const char* total : {"1005", "1000,5"})
            for (qint64 p = 1; p <= 100; ++p) {
                const SupportSplit split = *splitBySupport(p, bs(total));
                const auto back = splitPercentages(split.share, split.other);
                QVERIFY(back.has_value());
                QCOMPARE(back->share, p);
                QCOMPARE(back->other, 100 - p);
            }
        // Of the amounts' sum, whatever total was stored beside them; halves to even.
        QCOMPARE(splitPercentages(bs("250"), bs("700"))->share, qint64(26));
        QCOMPARE(splitPercentages(bs("5"), bs("995"))->share, qint64(0));
        QCOMPARE(splitPercentages(bs("15"), bs("985"))->other, qint64(98));
        // Nothing split.
        QVERIFY(!splitPercentages(Money(), Money()).has_value());
    }

    void aTypedPercentageIsAWholeNumberInItsRange() {
        QCOMPARE(readPercentage(u" 30 ", QStringLiteral("Infraestructura %")), qint64(30));
        QCOMPARE(readPercentage(u"-7", QStringLiteral("Enero %")), qint64(-7));
        QCOMPARE(readPercentage(u"2147483647", QStringLiteral("Enero %"), 0, 2147483647),
                 qint64(2147483647));
        const QList<std::tuple<const char16_t*, qint64, QString>> refused{
            {u"30%", 0, "Infraestructura %: \"30%\" no es un número entero válido"},
            {u"'; drop table t_producto; --", 0,
             "Infraestructura %: \"'; drop table t_producto; --\" no es un número entero válido"},
            {u"١٢", 0, "Infraestructura %: \"١٢\" no es un número entero válido"},
            {u"12,5", 0, "Infraestructura %: \"12,5\" no es un número entero válido"},
            {u"9223372036854775808", 0,
             "Infraestructura %: \"9223372036854775808\" no es un número entero válido"},
            {u"2147483648", 2147483647,
             "Infraestructura %: el número 2147483648 está fuera de rango"}};
        for (const auto& [text, max, message] : refused) {
            try {
                readPercentage(text, QStringLiteral("Infraestructura %"), 0,
                               max ? max : std::numeric_limits<qint64>::max());
                QFAIL(qPrintable(QString::fromUtf16(text)));
            } catch (const ConversionError& e) {
                QCOMPARE(e.message(), message);
            }
        }
    }

    void theExecutedShare_data() {
        QTest::addColumn<QString>("executed");
        QTest::addColumn<QString>("programmed");
        QTest::addColumn<QString>("share");
        QTest::newRow("a month of twelve") << "500"
                                           << "12000"
                                           << "4,1667";
        QTest::newRow("a half") << "6000"
                                << "12000"
                                << "50";
        QTest::newRow("a third") << "1"
                                 << "3"
                                 << "33,3333";
        QTest::newRow("two thirds") << "2"
                                    << "3"
                                    << "66,6667";
        QTest::newRow("half of the last decimal to the even 0") << "1"
                                                                << "2000000"
                                                                << "0";
        QTest::newRow("half of the last decimal to the even 2") << "3"
                                                                << "2000000"
                                                                << "0,0002";
        QTest::newRow("more than programmed") << "1500"
                                              << "1000"
                                              << "150";
        QTest::newRow("nothing programmed") << "500"
                                            << "0"
                                            << "0";
        QTest::newRow("nothing at all") << "0"
                                        << "0"
                                        << "0";
    }
    void theExecutedShare() {
        QFETCH(QString, executed);
        QFETCH(QString, programmed);
        QFETCH(QString, share);
        QCOMPARE(executedShare(Money::parse(executed), Money::parse(programmed)).toString(), share);
    }

    void aProductWithoutAFlowReadsAsZeros() {
        BudgetProgramming programming(c.get());
        const auto flow = programming.currentFlow(key);
        for (int i = 0; i < monthCount; ++i) {
            QCOMPARE(flow.amounts[i], Money());
            QCOMPARE(flow.percentages[i], 0);
        }
        const auto d = programming.currentDistribution(key);
        QCOMPARE(d.total, Money());
        QCOMPARE(d.infrastructure + d.technicalAssistance, Money());
    }

    void eachSaveIsANewCurrentVersionOfBoth() {
        BudgetProgramming programming(c.get());
        const MonthAmounts first = months({"333", "333", "334"});
        const auto v1 =
            save(programming, key, flowOf(first, bs("1000")), {bs("302"), bs("703"), bs("1000")});
        QCOMPARE(v1.flow, 1);
        QCOMPARE(v1.distribution, 1);
        MonthAmounts second{};
        second.fill(bs("1000,5"));
        BudgetProgramming::Flow secondFlow = flowOf(second, bs("12006"));
        secondFlow.percentages[11] = 120; // stored as given, whatever the amounts say
        save(programming, key, secondFlow, {bs("0,25"), bs("12005,75"), bs("12006")});
        const auto v3 = save(programming, key, flowOf(first, bs("2000")),
                             {bs("600"), bs("1400"), bs("2000")}, QDate(2008, 6, 30));
        QCOMPARE(v3.flow, 3);
        QCOMPARE(v3.distribution, 3);
        QCOMPARE(versions("t_flujofondos", key), QStringList({"1 N", "2 N", "3 S"}));
        QCOMPARE(versions("t_distribucion", key), QStringList({"1 N", "2 N", "3 S"}));

        const auto current = programming.currentFlow(key);
        QCOMPARE(current.amounts[2], bs("334"));
        QCOMPARE(current.percentages[0], 17); // 333 of 2000 is 16.65
        QCOMPARE(current.percentages[2], 17);
        const auto d = programming.currentDistribution(key);
        QCOMPARE(d.infrastructure, bs("600"));
        QCOMPARE(d.technicalAssistance, bs("1400"));
        QCOMPARE(d.total, bs("2000"));

        // Every column of version 2 as stored: amounts to the ten-thousandth, the year in
        // the user column, the day of the save.
        Query flow(c.get(), QStringLiteral("select * from t_flujofondos where correlativo = 2"));
        flow.open();
        QCOMPARE(flow.money("flu_diciembre"), bs("1000,5"));
        QCOMPARE(flow.integer("flu_pordic"), 120);
        QCOMPARE(flow.integer("flu_porene"), 8); // 1000.5 of 12006 is 8.33
        QCOMPARE(flow.text("usuario"), QStringLiteral("2008"));
        QCOMPARE(flow.date("flu_fecact"), QDate(2008, 3, 5));
        QVERIFY(flow.isNull("flu_fecmod"));
        Query split(c.get(), QStringLiteral("select * from t_distribucion where correlativo = 2"));
        split.open();
        QCOMPARE(split.money("monto_inv"), bs("0,25"));
        QCOMPARE(split.money("monto_atec"), bs("12005,75"));
        QCOMPARE(split.money("monto_total"), bs("12006"));
        QCOMPARE(split.text("usuario"), QStringLiteral("2008"));
        QCOMPARE(split.date("fecact"), QDate(2008, 3, 5));
    }

    void versionsCountThoseOfTheProductAndYearOnly() {
        // Rows of another product, year or unit; and two old versions of this product
        // numbered out of turn: the next number counts rows, it does not follow the highest.
        for (const char* row :
             {"('E01C01U01', 6, '2008', 'S', 1)", "('E01C01U01', 5, '2007', 'S', 1)",
              "('E01C01U02', 5, '2008', 'S', 1)", "('E01C01U01', 5, '2008', 'N', 7)",
              "('E01C01U01', 5, '2008', 'S', 9)"}) {
            db->exec(QStringLiteral("insert into t_flujofondos (cod_area, id_producto, gestion, "
                                    "activo, correlativo) values ") +
                     QString::fromLatin1(row));
            db->exec(QStringLiteral("insert into t_distribucion (cod_area, id_producto, gestion, "
                                    "activo, correlativo) values ") +
                     QString::fromLatin1(row));
        }
        BudgetProgramming programming(c.get());
        const auto v =
            save(programming, key, flowOf(months({"1"}), bs("1")), {Money(), Money(), bs("1")});
        QCOMPARE(v.flow, 3);
        QCOMPARE(v.distribution, 3);
        QCOMPARE(versions("t_flujofondos", key), QStringList({"3 S", "7 N", "9 N"}));
        QCOMPARE(count("t_flujofondos where activo = 'S'"), 4);
        QCOMPARE(count("t_distribucion where activo = 'S'"), 4);
        // The current version is the highest current number.
        db->exec(QStringLiteral("update t_flujofondos set activo = 'S', flu_enero = 77 where "
                                "correlativo = 9"));
        QCOMPARE(programming.currentFlow(key).amounts[0], bs("77"));
    }

    void aSaveIsOneActionWhole() {
        BudgetProgramming programming(c.get());
        save(programming, key, flowOf(months({"1000"}), bs("1000")),
             {bs("300"), bs("700"), bs("1000")});
        // The second table refuses the new version: the first table's is undone too, and
        // the stored version stays the current one of both.
        db->refuse(QStringLiteral("t_distribucion"), QStringLiteral("insert"));
        {
            ActionScope action;
            QVERIFY_THROWS_EXCEPTION(
                StoreError, programming.save(key, flowOf(months({"5"}), bs("5")),
                                             {Money(), Money(), bs("5")}, QDate(2008, 3, 6)));
        }
        QCOMPARE(versions("t_flujofondos", key), QStringList({"1 S"}));
        QCOMPARE(versions("t_distribucion", key), QStringList({"1 S"}));
        QCOMPARE(programming.currentFlow(key).amounts[0], bs("1000"));
        // Outside an action no number is taken and nothing is written.
        QVERIFY_THROWS_EXCEPTION(StoreError,
                                 programming.save(key, flowOf(months({"5"}), bs("5")),
                                                  {Money(), Money(), bs("5")}, QDate(2008, 3, 6)));
        QCOMPARE(count("t_flujofondos"), 1);
    }

    void theExecutionNeedsACurrentFlowAndReport() {
        BudgetExecution execution(c.get());
        QVERIFY(!execution.current(key).has_value());
        BudgetProgramming programming(c.get());
        MonthAmounts flow;
        flow.fill(bs("1000"));
        save(programming, key, flowOf(flow, bs("12000")), {Money(), Money(), bs("12000")});
        // A programme without a report shows nothing.
        QVERIFY(!execution.current(key).has_value());

        QCOMPARE(report(execution, 3, "500"), 1);
        auto figures = execution.current(key);
        QVERIFY(figures.has_value());
        QCOMPARE(figures->programmed[2], bs("1000"));
        QCOMPARE(figures->executed[2], bs("500"));
        QCOMPARE(figures->executed[3], Money());
        QCOMPARE(figures->programmedTotal, bs("12000"));
        QCOMPARE(figures->executedTotal, bs("500"));
        QCOMPARE(figures->executedShare.toString(), QStringLiteral("4,1667"));
        QCOMPARE(figures->reportDay, QDate(2008, 4, 2));

        // A second report replaces the first, which stays superseded.
        QCOMPARE(report(execution, 4, "300", QDate(2008, 5, 3)), 2);
        figures = execution.current(key);
        QCOMPARE(figures->executed[2], Money());
        QCOMPARE(figures->executed[3], bs("300"));
        QCOMPARE(figures->executedTotal, bs("300"));
        QCOMPARE(figures->reportDay, QDate(2008, 5, 3));
        QCOMPARE(versions("t_avanceflujo", key), QStringList({"1 N", "2 S"}));
        Query first(c.get(), QStringLiteral("select * from t_avanceflujo where correlativo = 1"));
        first.open();
        QCOMPARE(first.money("ava_marzo"), bs("500"));
        QCOMPARE(first.money("ava_enero") + first.money("ava_abril") + first.money("ava_diciembre"),
                 Money());
        QCOMPARE(first.text("usuario"), QStringLiteral("entidad"));
        QVERIFY(first.isNull("ava_fecmod"));

        // A new programme version joins the current report.
        MonthAmounts more;
        more.fill(bs("2000"));
        save(programming, key, flowOf(more, bs("24000")), {Money(), Money(), bs("24000")});
        QCOMPARE(execution.current(key)->programmedTotal, bs("24000"));
        QCOMPARE(execution.current(key)->executedShare.toString(), QStringLiteral("1,25"));
    }

    void reportsFollowTheHighestNumber() {
        // Numbers left by earlier reports: the next one follows the highest of the product
        // and year, current or not, whatever their count.
        db->exec(QStringLiteral("insert into t_avanceflujo (cod_area, id_producto, gestion, "
                                "activo, correlativo) values ('E01C01U01', 5, '2008', 'N', 4), "
                                "('E01C01U01', 5, '2007', 'S', 9), ('E01C01U01', 4, '2008', 'S', "
                                "8)"));
        BudgetExecution execution(c.get());
        QCOMPARE(report(execution, 12, "1"), 5);
        QCOMPARE(count("t_avanceflujo where activo = 'S'"), 3);
        // A month that is none is refused before anything is written.
        {
            ActionScope action;
            QVERIFY_THROWS_EXCEPTION(
                ConversionError,
                execution.report(key, 13, bs("1"), QDate(2008, 5, 3), QStringLiteral("entidad")));
        }
        QCOMPARE(count("t_avanceflujo"), 4);
    }

    void aProgrammeOfNothingShowsNoShare() {
        BudgetProgramming programming(c.get());
        BudgetProgramming::Flow zeros;
        save(programming, key, zeros, {Money(), Money(), Money()});
        BudgetExecution execution(c.get());
        report(execution, 1, "250");
        const auto figures = execution.current(key);
        QVERIFY(figures.has_value());
        QCOMPARE(figures->programmedTotal, Money());
        QCOMPARE(figures->executedShare, Money());
    }
};

MONITOREO_TEST_MAIN(new TestBudget)
#include "tst_budget.moc"
