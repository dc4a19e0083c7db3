#include "core/csv.h"
#include "core/datetext.h"
#include "core/days.h"
#include "core/error.h"
#include "core/flags.h"
#include "core/kind.h"
#include "core/money.h"
#include "core/numbering.h"
#include "core/rounding.h"
#include "core/wholenumber.h"
#include "fixture/testmain.h"

#include <QTest>

class TestCore : public QObject {
    Q_OBJECT
private slots:
    void roundingHalvesGoToEven_data() {
        QTest::addColumn<qint64>("num");
        QTest::addColumn<qint64>("den");
        QTest::addColumn<qint64>("expected");
        QTest::newRow("12.5") << qint64(125) << qint64(10) << qint64(12);
        QTest::newRow("13.5") << qint64(135) << qint64(10) << qint64(14);
        QTest::newRow("-12.5") << qint64(-125) << qint64(10) << qint64(-12);
        QTest::newRow("-13.5") << qint64(-135) << qint64(10) << qint64(-14);
        QTest::newRow("12.49") << qint64(1249) << qint64(100) << qint64(12);
        QTest::newRow("12.51") << qint64(1251) << qint64(100) << qint64(13);
        QTest::newRow("-0.5") << qint64(-1) << qint64(2) << qint64(0);
        QTest::newRow("negative divisor") << qint64(25) << qint64(-2) << qint64(-12);
        QTest::newRow("1 of 3 days") << qint64(100) << qint64(3) << qint64(33);
        QTest::newRow("2 of 3 days") << qint64(200) << qint64(3) << qint64(67);
        QTest::newRow("days of 8") << qint64(100) << qint64(8) << qint64(12);
    }
    void roundingHalvesGoToEven() {
        QFETCH(qint64, num);
        QFETCH(qint64, den);
        QFETCH(qint64, expected);
        QCOMPARE(roundHalfEven(num, den), expected);
        QCOMPARE(roundHalfEven(double(num) / double(den)), expected);
    }

    void roundingRefusesWhatCannotBeRounded() {
        QVERIFY_THROWS_EXCEPTION(ConversionError, roundHalfEven(qint64(1), qint64(0)));
        QVERIFY_THROWS_EXCEPTION(ConversionError, roundHalfEven(std::nan("")));
        QVERIFY_THROWS_EXCEPTION(ConversionError, roundHalfEven(1e19));
        QVERIFY_THROWS_EXCEPTION(ConversionError,
                                 roundHalfEven(std::numeric_limits<qint64>::min(), qint64(-1)));
        QCOMPARE(roundHalfEven(std::numeric_limits<qint64>::min(), qint64(1)),
                 std::numeric_limits<qint64>::min());
    }

    void daysCountBothEnds() {
        const QDate a(2008, 1, 1);
        QCOMPARE(daysInclusive(a, a), qint64(1));
        QCOMPARE(daysInclusive(a, QDate(2008, 12, 31)), qint64(366)); // leap year
        QCOMPARE(daysInclusive(QDate(2007, 12, 31), QDate(2008, 1, 1)), qint64(2));
        QCOMPARE(daysInclusive(QDate(2008, 3, 1), QDate(2008, 2, 28)), qint64(-1));
        QCOMPARE(dayNumber(QDate(2008, 3, 1)) - dayNumber(QDate(2008, 2, 28)), qint64(2));
    }

    void datesShowTheLocalesMonth() {
        const QLocale es(QLocale::Spanish, QLocale::Bolivia);
        QCOMPARE(showDate(QDate(2008, 3, 5), es), QStringLiteral("05/mar/2008"));
        QCOMPARE(showDate(QDate(2008, 12, 31), es).left(3), QStringLiteral("31/"));
        QCOMPARE(showDate(QDate(2008, 3, 5), QLocale::c()), QStringLiteral("05/Mar/2008"));
        QCOMPARE(showDate(QDate()), QString());
        QCOMPARE(paramDateText(QDate(2008, 3, 5)), QStringLiteral("05/03/2008"));
    }

    void datesAreSpanishOnAMachineOfAnotherLanguage() {
        // The tests run with the machine's locale set to C, as many machines are.
        QVERIFY(QLocale::system().language() != QLocale::Spanish);
        QCOMPARE(QLocale().language(), QLocale::Spanish); // what the program chose
        QCOMPARE(showDate(QDate(2008, 3, 5)), QStringLiteral("05/mar/2008"));
        QCOMPARE(displayLocale(QLocale::c()), QLocale(QLocale::Spanish, QLocale::Bolivia));
        QCOMPARE(displayLocale(QLocale(QLocale::English, QLocale::UnitedStates)),
                 QLocale(QLocale::Spanish, QLocale::Bolivia));
        // A Spanish user keeps the own country's way.
        const QLocale argentina(QLocale::Spanish, QLocale::Argentina);
        QCOMPARE(displayLocale(argentina), argentina);
    }

    void wholeNumbersAsTyped() {
        QCOMPARE(parseWhole(u"12"), qint64(12));
        QCOMPARE(parseWhole(u" -3 "), qint64(-3));
        QCOMPARE(parseWhole(u"+7"), qint64(7));
        QCOMPARE(parseInteger(u"2147483647"), 2147483647);
        for (const char16_t* bad : {u"doce", u"", u"1.5", u"1 2", u"-", u"12a"}) {
            try {
                parseWhole(bad);
                QFAIL("no error");
            } catch (const ConversionError& e) {
                QCOMPARE(e.message(), QStringLiteral("\"%1\" no es un número entero válido")
                                          .arg(QString::fromUtf16(bad)));
            }
        }
        try {
            parseInteger(u"2147483648");
            QFAIL("no error");
        } catch (const ConversionError& e) {
            QCOMPARE(e.message(), QStringLiteral("El número 2147483648 está fuera de rango"));
        }
        QVERIFY_THROWS_EXCEPTION(ConversionError, parseWhole(u"99999999999999999999"));
        QVERIFY_THROWS_EXCEPTION(ConversionError, parseWhole(u"5", 1, 4));
        QVERIFY(!tryParseWhole(u"x"));
    }

    void paramDatesAreDayMonthYear() {
        QCOMPARE(dateFromParamText(QStringLiteral("05/03/2008")), QDate(2008, 3, 5));
        QCOMPARE(dateFromParamText(QStringLiteral("5/3/2008")), QDate(2008, 3, 5));
        QCOMPARE(dateFromParamText(QStringLiteral("29/02/2008")), QDate(2008, 2, 29));
        for (const char* bad : {"29/02/2007", "32/01/2008", "2008-03-05", "", "05/03/08",
                                "05/13/2008", " 05/03/2008", "05/03/2008\n", "05/03/2008\n\n"}) {
            QVERIFY_THROWS_EXCEPTION(ConversionError, dateFromParamText(QString::fromLatin1(bad)));
            if (QString::fromLatin1(bad).contains(u'/'))
                QVERIFY_THROWS_EXCEPTION(ConversionError, dateFromText(QString::fromLatin1(bad)));
        }
    }

    void typedDatesInEachForm() {
        const QLocale es(QLocale::Spanish, QLocale::Bolivia);
        for (const char* typed : {"05/03/2008", "5/3/2008", "05/mar/2008", "2008-03-05"})
            QCOMPARE(dateFromText(QString::fromLatin1(typed), es), QDate(2008, 3, 5));
        // A year is four digits, without a sign.
        for (const char* bad :
             {"05/mar/-0008", "05/Mar/-0008", "05/mar/+2008", "05/mar/-008", "05/mar/208",
              "-2008-03-05", "+2008-03-05", "05/mar/2008\n", "05/xyz/2008", "05/mar/0000"})
            QVERIFY_THROWS_EXCEPTION(ConversionError, dateFromText(QString::fromLatin1(bad), es));
    }

    void moneyReadsCommaOrPoint_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("units");
        QTest::addColumn<QString>("shown");
        QTest::newRow("comma") << "1500,5" << qint64(15005000) << "1500,5";
        QTest::newRow("point") << "1500.5" << qint64(15005000) << "1500,5";
        QTest::newRow("whole") << "1500" << qint64(15000000) << "1500";
        QTest::newRow("four decimals") << "0,0001" << qint64(1) << "0,0001";
        QTest::newRow("negative") << "-2,25" << qint64(-22500) << "-2,25";
        QTest::newRow("plus and blanks") << " +7 " << qint64(70000) << "7";
        QTest::newRow("leading separator") << ",5" << qint64(5000) << "0,5";
        QTest::newRow("trailing separator") << "5," << qint64(50000) << "5";
        QTest::newRow("zero") << "-0" << qint64(0) << "0";
        QTest::newRow("largest") << "922337203685477,5807" << std::numeric_limits<qint64>::max()
                                 << "922337203685477,5807";
        QTest::newRow("smallest") << "-922337203685477,5808" << std::numeric_limits<qint64>::min()
                                  << "-922337203685477,5808";
    }
    void moneyReadsCommaOrPoint() {
        QFETCH(QString, text);
        QFETCH(qint64, units);
        QFETCH(QString, shown);
        const Money m = Money::parse(text);
        QCOMPARE(m.units(), units);
        QCOMPARE(m.toString(), shown);
        QCOMPARE(Money::parse(m.toStorageText()), m);
    }

    void moneyRefusesBadText() {
        for (const char* bad :
             {"", " ", "-", ",", "1.500,5", "1,2,3", "12,34567", "1e5", "abc", "12 5",
              "922337203685477,5808", "-922337203685477,5809", "99999999999999999999"})
            QVERIFY2(!Money::tryParse(QString::fromLatin1(bad)), bad);
        QVERIFY_THROWS_EXCEPTION(ConversionError, Money::parse(u"1.500,5"));
    }

    void moneySumsAreExactAndNeverWrap() {
        Money sum;
        for (int i = 0; i < 10; ++i)
            sum += Money::parse(u"0,1");
        QCOMPARE(sum, Money::parse(u"1"));
        QCOMPARE((Money::parse(u"0,3") - Money::parse(u"0,1")).toString(), QStringLiteral("0,2"));
        QVERIFY_THROWS_EXCEPTION(ConversionError, Money::max() + Money::fromUnits(1));
        QVERIFY_THROWS_EXCEPTION(ConversionError, Money::min() - Money::fromUnits(1));
        QVERIFY_THROWS_EXCEPTION(ConversionError, -Money::min());
        QVERIFY_THROWS_EXCEPTION(ConversionError, Money::fromWhole(1000000000000000));
        QCOMPARE(Money::fromWhole(-3).toString(), QStringLiteral("-3"));
    }

    void moneyScalesWithHalvesToEven() {
        // 30 % of 12,5 is 3,75; 1/3 of 1 is 0,3333.
        QCOMPARE(Money::parse(u"12,5").scaled(30, 100).toString(), QStringLiteral("3,75"));
        QCOMPARE(Money::parse(u"1").scaled(1, 3).toString(), QStringLiteral("0,3333"));
        QCOMPARE(Money::fromUnits(1).scaled(1, 2).units(), qint64(0));
        QCOMPARE(Money::fromUnits(3).scaled(1, 2).units(), qint64(2));
        QCOMPARE(Money::parse(u"2,5").roundedWhole(), qint64(2));
        QCOMPARE(Money::parse(u"3,5").roundedWhole(), qint64(4));
        // The intermediate product may exceed 64 bits when the result does not.
        QCOMPARE(Money::max().scaled(100, 100), Money::max());
        QVERIFY_THROWS_EXCEPTION(ConversionError, Money::max().scaled(2, 1));
        QVERIFY_THROWS_EXCEPTION(ConversionError, Money::parse(u"1").scaled(1, 0));
    }

    void kindsChooseCaptions() {
        QCOMPARE(kindFromCode(QStringLiteral("MN")), std::optional(Kind::MN));
        QCOMPARE(kindFromCode(QStringLiteral("EX")), std::optional(Kind::EX));
        QVERIFY(!kindFromCode(QStringLiteral("mn")));
        QVERIFY(!kindFromCode(QString()));
        const KindCaptions mn = kindCaptions(Kind::MN);
        QCOMPARE(mn.level1, QStringLiteral("Viceministerio"));
        QCOMPARE(mn.level2, QStringLiteral("Dirección"));
        QCOMPARE(mn.level3, QStringLiteral("Unidad"));
        QCOMPARE(mn.item, QStringLiteral("Producto"));
        const KindCaptions ex = kindCaptions(Kind::EX);
        QCOMPARE(ex.level1, QStringLiteral("Entidad desconcentrada"));
        QCOMPARE(ex.level2, QStringLiteral("Componente"));
        QCOMPARE(ex.item, QStringLiteral("Acción territorial"));
        QCOMPARE(kindCode(*kindFromCode(kindCode(Kind::MN))), QStringLiteral("MN"));
    }

    void flagsAndNumbers() {
        QCOMPARE(flags::flag(true), QStringLiteral("S"));
        QCOMPARE(flags::flag(false), QStringLiteral("N"));
        QVERIFY(!flags::isYes(QStringLiteral("s")));
        QCOMPARE(flags::activeFlag(true), QStringLiteral("SI"));
        QVERIFY(flags::isActive(QStringLiteral("SI")));
        QVERIFY(!flags::isActive(QStringLiteral("S")));
        QCOMPARE(nextNumber(std::nullopt), qint64(1));
        QCOMPARE(nextNumber(5), qint64(6));
        QCOMPARE(nextNumber(0), qint64(1));
        QVERIFY_THROWS_EXCEPTION(ConversionError, nextNumber(std::numeric_limits<qint64>::max()));
    }

    void csvReadsQuotedFields() {
        const CsvTable t = parseCsv(QStringLiteral(
            "a,b,c\r\n1,\"x, y\",\n2,\"say \"\"hi\"\"\",\"two\nlines\"\n\n3,Guarasu'we,ñ"));
        QCOMPARE(t.header, QStringList({"a", "b", "c"}));
        QCOMPARE(t.rows.size(), 3);
        QCOMPARE(t.rows[0], QStringList({"1", "x, y", ""}));
        QCOMPARE(t.rows[1], QStringList({"2", "say \"hi\"", "two\nlines"}));
        QCOMPARE(t.rows[2], QStringList({"3", "Guarasu'we", "ñ"}));
        QVERIFY_THROWS_EXCEPTION(ConversionError, parseCsv(QStringLiteral("a,b\n1\n")));
        QVERIFY_THROWS_EXCEPTION(ConversionError, parseCsv(QStringLiteral("a\n\"open\n")));
        QVERIFY(parseCsv(QString()).header.isEmpty());
        // Rows know the line they begin on, past a quoted line break and a blank line.
        QCOMPARE(t.lines, QList<int>({2, 3, 6}));
    }

    void csvAsSpreadsheetsSaveItAndAsTheProgramWritesIt() {
        // A byte order mark, semicolons, CR LF, a comma inside a field.
        const QByteArray saved = "\xEF\xBB\xBF"
                                 "cod;nombre\r\n7;\"Pérez; Ana\"\r\n8;a,b\r\n";
        CsvTable t = parseSpreadsheetCsv(saved);
        QCOMPARE(t.header, QStringList({"cod", "nombre"}));
        QCOMPARE(t.rows, QList<QStringList>({{"7", "Pérez; Ana"}, {"8", "a,b"}}));
        // Older spreadsheets write one byte per letter.
        t = parseSpreadsheetCsv(QByteArray("cod,nombre\n1,Sacaba\xF1o\n"));
        QCOMPARE(t.rows.first().last(), QStringLiteral("Sacabaño"));
        // What the program writes reads back the same.
        const QList<QStringList> rows = {{"1", "x, y", ""}, {"2", " lead", "a\"b\nc"}};
        const QByteArray written = writeCsv({"a", "b", "c"}, rows);
        QVERIFY(written.startsWith("a,b,c\n1,\"x, y\",\n"));
        QCOMPARE(parseSpreadsheetCsv(written).rows, rows);
        try {
            parseCsv(QStringLiteral("a,b\n1,2\n\"x\ny\",2\n3\n"));
            QFAIL("a short row was read");
        } catch (const ConversionError& e) {
            QVERIFY2(e.message().startsWith(QStringLiteral("Línea 5 ")), qPrintable(e.message()));
        }
    }
};

MONITOREO_TEST_MAIN(new TestCore)
#include "tst_core.moc"
