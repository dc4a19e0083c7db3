#include "core/datetext.h"
#include "core/money.h"
#include "fixture/storetest.h"
#include "store/datasource.h"
#include "store/query.h"
#include "store/rowreader.h"
#include "store/schema.h"
#include "store/sqltext.h"
#include "store/statement.h"
#include "store/storeerror.h"
#include "store/values.h"

#include <QSqlRecord>
#include <QTest>

class TestDataset : public StoreTest {
    Q_OBJECT

private slots:
    void storedDateTextsAreReadAsTheDaysTheyName() {
        const auto read = [](const char* text) {
            return variantDateTime(QVariant(QString::fromLatin1(text)));
        };
        const QDateTime day(QDate(2008, 3, 5), QTime(0, 0), Qt::UTC);
        QCOMPARE(read("2008-03-05"), day);
        QCOMPARE(read(" 2008-03-05 "), day);
        QCOMPARE(read("2008-03-05T10:20:30"), day.addSecs(37230));
        QCOMPARE(read("2008-03-05 10:20:30.125"), day.addSecs(37230));
        QCOMPARE(read("2008-03-05 00:00:00"), day);
        for (const char* bad : {"2008-02-30", "2008-13-01", "abcd-03-05", "05/03/2008x", ""})
            QVERIFY_THROWS_EXCEPTION(ConversionError, read(bad));
    }

    void namedParametersBecomePositions() {
        const PositionalSql p = toPositional(QStringLiteral(
            "select ':a', \"x:y\" from t where a = :area and b =:area and c::text = :c and d = ?"));
        QCOMPARE(p.parameterCount, 4);
        QCOMPARE(p.text,
                 QStringLiteral(
                     "select ':a', \"x:y\" from t where a = ? and b =? and c::text = ? and d = ?"));
        QCOMPARE(toPositional(QStringLiteral("select 'it''s :x' from t")).parameterCount, 0);
        QCOMPARE(toPositional(QStringLiteral("where a = :unterminated '")).parameterCount, 1);

        Query q(c.get(), QStringLiteral("select num from t_mes where num = :x or num = :x"));
        QCOMPARE(q.parameterCount(), 2);
        q.setParams({1, 2});
        q.open();
        QCOMPARE(q.rowCount(), 2);
        QVERIFY_THROWS_EXCEPTION(StoreError, q.setParam(2, 3));
    }

    void aTextParameterMatchesAnInteger() {
        c->execDirect(
            QStringLiteral("insert into t_hito (cod_area, id_producto, gestion, cod_hito) "
                           "values ('U1', 7, '2008', 1)"));
        Query q(c.get(), QStringLiteral("select * from t_hito where id_producto = :prod"));
        for (const QVariant& v :
             {QVariant(QStringLiteral("7")), QVariant(7), QVariant(qlonglong(7))}) {
            q.setParam(0, v);
            q.open();
            QCOMPARE(q.rowCount(), 1);
            QCOMPARE(q.integer(QStringLiteral("id_producto")), qint64(7));
        }
        q.setParam(0, QStringLiteral("8"));
        q.open();
        QCOMPARE(q.rowCount(), 0);
        // And an integer finds a text column's value.
        Query t(c.get(), QStringLiteral("select * from t_hito where gestion = ?"));
        t.setParam(0, 2008);
        t.open();
        QCOMPARE(t.rowCount(), 1);
    }

    void movesAndEndsOfRows() {
        Query q(c.get(), QStringLiteral("select num, mes from t_mes order by num"));
        q.open();
        QCOMPARE(q.rowCount(), 12);
        QVERIFY(q.bof());
        QVERIFY(!q.eof());
        QStringList seen;
        for (q.first(); !q.eof(); q.next())
            seen.append(q.text(QStringLiteral("mes")));
        QCOMPARE(seen.size(), 12);
        QCOMPARE(seen.first(), QStringLiteral("Enero"));
        QCOMPARE(q.currentRow(), 11); // stays on the last row
        q.prior();
        QCOMPARE(q.integer(QStringLiteral("num")), qint64(11));
        q.first();
        q.prior();
        QVERIFY(q.bof());
        QCOMPARE(q.integer(QStringLiteral("NUM")), qint64(1));
        q.last();
        QCOMPARE(q.text(QStringLiteral("Mes")), QStringLiteral("Diciembre"));
        QVERIFY(q.locate(QStringLiteral("mes"), QStringLiteral("Marzo")));
        QCOMPARE(q.integer(QStringLiteral("num")), qint64(3));
        QVERIFY(!q.locate(QStringLiteral("mes"), QStringLiteral("Nada")));
        QCOMPARE(q.integer(QStringLiteral("num")), qint64(3));
        QVERIFY_THROWS_EXCEPTION(StoreError, q.value(QStringLiteral("no_such_field")));

        Query none(c.get(), QStringLiteral("select num, mes from t_mes where num = 13"));
        none.open();
        QVERIFY(none.bof() && none.eof());
        QCOMPARE(none.currentRow(), -1);
        QCOMPARE(none.text(QStringLiteral("mes")), QString());
        QCOMPARE(none.integer(QStringLiteral("num")), qint64(0));
        QVERIFY(none.isNull(QStringLiteral("num")));
    }

    void rowsListedInAnOrderOfTheirOwn() {
        for (const char* goal : {"3, 'c'", "1, 'a'", "2, 'b'", "1, 'a2'"})
            c->execDirect(QStringLiteral("insert into t_hito (cod_area, id_producto, gestion, "
                                         "cod_hito, hito_descr) values ('U', 1, '2008', %1)")
                              .arg(QString::fromLatin1(goal)));
        Query q(c.get(), QStringLiteral("select * from t_hito where cod_area = :a"));
        q.setParams({QStringLiteral("U")});
        q.setRowOrder({QStringLiteral("COD_HITO")});
        q.open();
        QStringList listed;
        for (q.first(); !q.eof(); q.next())
            listed.append(q.text("hito_descr"));
        // Equal numbers stay in the order the engine gave them.
        QCOMPARE(listed.size(), 4);
        QCOMPARE(listed.last(), QStringLiteral("c"));
        QCOMPARE(QStringList(listed.mid(2, 1)), QStringList({"b"}));
        QVERIFY(listed.mid(0, 2).contains("a") && listed.mid(0, 2).contains("a2"));
        q.setRowOrder({QStringLiteral("no_such_field")});
        QVERIFY_THROWS_EXCEPTION(StoreError, q.open());
    }

    void aStatementWrittenForTheEngineRunsThere() {
        Query q(c.get(), QStringLiteral("select num from t_mes where num = :n"));
        const Engine other = db->engine() == Engine::SQLite ? Engine::PostgreSQL : Engine::SQLite;
        q.setTextFor(other, QStringLiteral("select num + 100 as num from t_mes where num = :n"));
        q.setParams({2});
        q.open();
        QCOMPARE(q.integer(QStringLiteral("num")), qint64(2));
        q.setTextFor(db->engine(),
                     QStringLiteral("select num + 10 as num from t_mes where num = :n"));
        q.open();
        QCOMPARE(q.integer(QStringLiteral("num")), qint64(12));
        QVERIFY_THROWS_EXCEPTION(StoreError,
                                 q.setTextFor(other, QStringLiteral("select num from t_mes")));
    }

    void computedFieldsFollowTheStatementsColumns() {
        Query q(c.get(), QStringLiteral("select num, mes from t_mes where num <= :n"));
        q.setParams({3});
        // The later field reads the earlier one; a name the row lacks reads as null.
        q.addComputedField(QStringLiteral("doble"), ColumnType::Integer,
                           [](const Query::RowValues& row) {
                               return QVariant(row.value(QStringLiteral("NUM")).toLongLong() * 2);
                           });
        q.addComputedField(
            QStringLiteral("resto"), ColumnType::Integer, [](const Query::RowValues& row) {
                if (!row.value(QStringLiteral("nada")).isNull())
                    return QVariant(-1);
                return QVariant(10 - row.value(QStringLiteral("doble")).toLongLong());
            });
        q.addComputedField(QStringLiteral("vacio"), ColumnType::Integer,
                           [](const Query::RowValues&) { return QVariant(); });
        q.setRowOrder({QStringLiteral("resto")});
        q.open();
        QCOMPARE(q.fieldNames().mid(2), QStringList({"doble", "resto", "vacio"}));
        QCOMPARE(q.rowCount(), 3);
        q.first();
        // Ordered by the computed field: 10 - 6 first.
        QCOMPARE(q.integer(QStringLiteral("num")), qint64(3));
        QCOMPARE(q.integer(QStringLiteral("Doble")), qint64(6));
        QCOMPARE(q.integer(QStringLiteral("resto")), qint64(4));
        QVERIFY(q.isNull(QStringLiteral("vacio")));
        DataSource source(&q);
        QCOMPARE(source.columnCount(), 5);
        QCOMPARE(source.data(source.index(2, 3)).toString(), QStringLiteral("8"));

        // What the computation throws stops the reading.
        Query bad(c.get(), QStringLiteral("select num from t_mes"));
        bad.addComputedField(
            QStringLiteral("x"), ColumnType::Integer,
            [](const Query::RowValues&) -> QVariant { throw StoreError(QStringLiteral("mal")); });
        QVERIFY_THROWS_EXCEPTION(StoreError, bad.open());
        QVERIFY(!bad.isOpen());
    }

    void aFailingStatementCarriesTheEnginesMessage() {
        Query q(c.get(), QStringLiteral("select * from no_such_table"));
        try {
            q.open();
            QFAIL("opened");
        } catch (const StoreError& e) {
            QVERIFY2(e.message().contains(QStringLiteral("no_such_table")),
                     qPrintable(e.message()));
        }
        QVERIFY(!q.isOpen());
        Query w(c.get(), QStringLiteral("update no_such_table set a = 1"));
        QVERIFY_THROWS_EXCEPTION(StoreError, w.exec());
    }

    void writeStatementsReturnNoRows() {
        Query w(c.get(), QStringLiteral("update t_mes set mes = :m where num > :n"));
        w.setParams({QStringLiteral("X"), 10});
        QCOMPARE(w.exec(), 2);
        QVERIFY(!w.isOpen());
        QCOMPARE(db->scalar(QStringLiteral("select count(*) from t_mes where mes = 'X'")).toInt(),
                 2);
    }

    void unicodeAndApostrophesRoundTrip() {
        const QString name = QStringLiteral("Ñandú O'Brien Güemes – 日本 😀");
        Query w(c.get(), QStringLiteral("insert into t_responsable (cod_responsable, res_nombre) "
                                        "values (:c, :n)"));
        w.setParams({QStringLiteral("9"), name});
        w.exec();
        Query q(c.get(),
                QStringLiteral("select res_nombre from t_responsable where res_nombre = ?"));
        q.setParam(0, name);
        q.open();
        QCOMPARE(q.rowCount(), 1);
        QCOMPARE(q.text(QStringLiteral("res_nombre")), name);
        // A value that tries to leave its quotes finds nothing and changes nothing.
        q.setParam(0, QStringLiteral("x' or '1'='1"));
        q.open();
        QCOMPARE(q.rowCount(), 0);
    }

    void amountsAtTheEdgesOfTheirRange() {
        const QList<Money> amounts{Money::max(),         Money::min(), Money::fromUnits(1),
                                   Money::fromUnits(-1), Money(),      Money::parse(u"1500,5")};
        Query w(c.get(),
                QStringLiteral("insert into t_distribucion (cod_area, id_producto, "
                               "gestion, correlativo, monto_total) values ('U', 1, '2008', "
                               ":n, :m)"));
        for (int i = 0; i < amounts.size(); ++i) {
            w.setParams({i, QVariant::fromValue(amounts[i])});
            w.exec();
        }
        Query q(c.get(), QStringLiteral("select correlativo, monto_total from t_distribucion "
                                        "order by correlativo"));
        q.open();
        QCOMPARE(q.rowCount(), amounts.size());
        for (int i = 0; i < amounts.size(); ++i, q.next())
            QCOMPARE(q.money(QStringLiteral("monto_total")), amounts[i]);
        q.first();
        QCOMPARE(q.text(QStringLiteral("monto_total")), QStringLiteral("922337203685477,5807"));
    }

    void dateAndAmountTextsAreTakenAsTheirColumnsHoldThem() {
        // The system hands dates over as "dd/mm/yyyy" texts and amounts as typed.
        Query w(c.get(),
                QStringLiteral("insert into t_producto (cod_area, id_proyecto, id_producto, "
                               "pro_gestion, pro_fecini, pro_fecfin, pro_montotot) values "
                               "(:area, :proy, :prod, :ges, :ini, :fin, :monto)"));
        QCOMPARE(toPositional(w.sql()).parameterColumns,
                 QStringList({"cod_area", "id_proyecto", "id_producto", "pro_gestion", "pro_fecini",
                              "pro_fecfin", "pro_montotot"}));
        w.setParams({"U1", "5", "5", "2008", "05/03/2008", "31/12/2008", "1500,5"});
        w.exec();
        Query q(c.get(), QStringLiteral("select * from t_producto where pro_fecini = :d and "
                                        "t_producto.pro_fecfin >= ? and cod_area = 'U1'"));
        q.setParams({"05/03/2008", "31/12/2008"});
        q.open();
        QCOMPARE(q.rowCount(), 1);
        QCOMPARE(q.date("pro_fecini"), QDate(2008, 3, 5));
        QCOMPARE(q.money("pro_montotot"), Money::parse(u"1500,5"));
        Query between(c.get(), QStringLiteral("select count(*) as n from t_producto where "
                                              "pro_fecini between ? and ?"));
        QCOMPARE(toPositional(between.sql()).parameterColumns,
                 QStringList({"pro_fecini", "pro_fecini"}));
        between.setParams({"01/03/2008", "31/03/2008"});
        between.open();
        QCOMPARE(between.integer("n"), qint64(1));
        // A text column keeps a date-like text as it was typed.
        Query t(c.get(), QStringLiteral("update t_producto set pro_usucre = ? where cod_area = ?"));
        t.setParams({"05/03/2008", "U1"});
        t.exec();
        QCOMPARE(db->scalar(QStringLiteral("select pro_usucre from t_producto")).toString(),
                 QStringLiteral("05/03/2008"));
    }

    void datesAreWholeDaysOnBothEngines() {
        Query w(c.get(), QStringLiteral("insert into t_hito (cod_area, id_producto, gestion, "
                                        "cod_hito, hito_fecini, hito_fecfin, hito_feccre) values "
                                        "('U1', 1, '2008', :h, :a, :b, :c)"));
        const QDateTime late(QDate(2008, 3, 5), QTime(23, 30, 15), Qt::UTC);
        w.setParams(
            {1, dateFromParamText(QStringLiteral("05/03/2008")), QDate(2008, 12, 31), late});
        w.exec();
        Query q(c.get(), QStringLiteral("select * from t_hito where hito_fecini = :d"));
        q.setParam(0, QDate(2008, 3, 5));
        q.open();
        QCOMPARE(q.rowCount(), 1);
        QCOMPARE(q.date(QStringLiteral("hito_fecini")), QDate(2008, 3, 5));
        QCOMPARE(q.date(QStringLiteral("hito_fecfin")), QDate(2008, 12, 31));
        QCOMPARE(q.dateTime(QStringLiteral("hito_feccre")), late);
        QCOMPARE(q.value(QStringLiteral("hito_fecini")).typeId(), int(QMetaType::QDateTime));
        // A computed column is typed by whoever reads it.
        Query m(c.get(), QStringLiteral("select max(hito_fecfin) as maxfecha from t_hito"));
        m.open();
        QCOMPARE(m.date(QStringLiteral("maxfecha")), QDate(2008, 12, 31));
        Query empty(c.get(), QStringLiteral("select max(hito_fecfin) as maxfecha, max(cod_hito) as "
                                            "maximo from t_hito where gestion = '1999'"));
        empty.open();
        QCOMPARE(empty.rowCount(), 1);
        QVERIFY(empty.isNull(QStringLiteral("maximo")));
        QVERIFY(!empty.date(QStringLiteral("maxfecha")).isValid());
    }

    void computedColumnsAndDateTextsAreTheSameOnBothEngines() {
        c->execDirect(QStringLiteral("insert into t_hito (cod_area, id_producto, gestion, "
                                     "cod_hito, hito_fecfin, hito_feccre) values ('U1', 1, "
                                     "'2008', 1, '2008-03-05', '2008-03-05 08:15:00'), ('U1', 1, "
                                     "'2008', 2, '2008-04-30', null)"));
        Query m(c.get(), QStringLiteral("select max(t_hito.hito_fecfin) as fin, min(hito_fecfin) "
                                        "fin_min, count(*) as metas, max(cod_hito) as ultima, "
                                        "max(gestion) as anio, 'x' as letra from t_hito"));
        m.open();
        // A computed date is a date whoever reads it, and reads as the system writes dates.
        QCOMPARE(m.value(QStringLiteral("fin")).typeId(), int(QMetaType::QDateTime));
        QCOMPARE(m.date(QStringLiteral("fin")), QDate(2008, 4, 30));
        QCOMPARE(m.text(QStringLiteral("fin")), QStringLiteral("30/04/2008"));
        QCOMPARE(m.value(QStringLiteral("metas")).typeId(), int(QMetaType::LongLong));
        QCOMPARE(m.integer(QStringLiteral("ultima")), qint64(2));
        QCOMPARE(m.value(QStringLiteral("anio")).typeId(), int(QMetaType::QString));
        QCOMPARE(m.text(QStringLiteral("letra")), QStringLiteral("x"));
        Query rows(c.get(), QStringLiteral("select hito_feccre from t_hito where cod_hito = 1"));
        rows.open();
        QCOMPARE(rows.text(QStringLiteral("hito_feccre")), QStringLiteral("05/03/2008 08:15:00"));
    }

    void repeatedColumnNamesAreReadByPosition() {
        c->execDirect(QStringLiteral("insert into t_hito (cod_area, id_producto, gestion, "
                                     "cod_hito) values ('H1', 1, '2008', 1)"));
        c->execDirect(QStringLiteral("insert into t_avancepor (cod_area, id_producto, gestion, "
                                     "cod_hito, correla) values ('A1', 1, '2008', 1, 1)"));
        Query q(c.get(), QStringLiteral("select a.cod_area, b.cod_area from t_hito a, t_avancepor "
                                        "b where a.id_producto = b.id_producto"));
        q.open();
        QCOMPARE(q.fieldCount(), 2);
        QCOMPARE(q.text(QStringLiteral("cod_area")), QStringLiteral("H1")); // the first of them
        QCOMPARE(q.text(0), QStringLiteral("H1"));
        QCOMPARE(q.text(1), QStringLiteral("A1"));
        QVERIFY_THROWS_EXCEPTION(StoreError, q.text(2));
        // A grid shows each column's own value, the current row too.
        DataSource source(&q);
        QCOMPARE(source.data(source.index(0, 1)).toString(), QStringLiteral("A1"));
    }

    void theEnginesLibraryReadsWhatItsDriverReads() {
        // Nulls, empty and repeated texts, letters beyond ASCII, times of day, amounts, real
        // numbers and counts, each read by the engine's own library and by Qt's driver, come
        // out the same once taken as their columns hold them; so do the rows bound values
        // choose.
        c->execDirect(QStringLiteral(
            "insert into t_hito (cod_area, id_producto, gestion, cod_hito, hito_descr, "
            "hito_fecfin, hito_feccre, ava_descri) values ('U1', 1, '2008', 1, 'Ñandú O''Brien', "
            "'2008-03-05', '2008-03-05 08:15:30', ''), ('U1', 1, '2008', 2, 'Ñandú O''Brien', "
            "null, null, 'x'), ('U1', 2, '2008', 3, 'otro', '2009-12-31', null, null)"));
        c->execDirect(QStringLiteral("insert into t_distribucion (cod_area, id_producto, gestion, "
                                     "correlativo, monto_total) values ('U1', 1, '2008', 1, "
                                     "'922337203685477.5807'), ('U1', 1, '2008', 2, '-0.5')"));
        const QList<std::pair<const char*, QVariantList>> statements{
            {"select * from t_hito where cod_area = ? and id_producto <> ? order by cod_hito",
             {QStringLiteral("u1"), 9}},
            {"select cod_hito, hito_descr from t_hito where hito_descr like ? or cod_hito = ? "
             "order by cod_hito",
             {QStringLiteral("%O'B%"), QVariant()}},
            {"select cod_hito from t_hito where cod_hito <= ? and ? order by cod_hito",
             {2.0, true}},
            {"select correlativo, monto_total from t_distribucion order by correlativo", {}},
            {"select mun_extencion, mun_poblac, mun_nombre from t_muni order by mun_nombre, 1", {}},
            {"select count(*) as n, max(hito_fecfin) as fin, min(hito_descr) as primero from "
             "t_hito",
             {}}};
        for (const auto& [sql, params] : statements) {
            const QString text = QString::fromLatin1(sql);
            // Qt's driver reads a server's rows as they come: all of them before the next
            // statement.
            QStringList names;
            QList<QVariantList> driverRows;
            {
                QSqlQuery driver = runStatement(*c, text, params);
                for (int i = 0; i < driver.record().count(); ++i)
                    names.append(driver.record().fieldName(i));
                while (driver.next()) {
                    driverRows.append(QVariantList());
                    for (int i = 0; i < names.size(); ++i)
                        driverRows.last().append(driver.value(i));
                }
            }
            QVERIFY2(!driverRows.isEmpty(), sql);
            RowReader reader(*c, text, params);
            QCOMPARE(reader.names(), names);
            for (const QVariantList& row : driverRows) {
                QVERIFY2(reader.next(), sql);
                for (int i = 0; i < names.size(); ++i) {
                    const auto type = columnTypeByName(names[i]);
                    const QVariant ours = fromStored(reader.value(i), type);
                    const QVariant theirs = fromStored(row[i], type);
                    QVERIFY2(ours.isNull() == theirs.isNull() &&
                                 ours.toString() == theirs.toString(),
                             qPrintable(QStringLiteral("%1, %2: %3 / %4")
                                            .arg(QLatin1String(sql), names[i], ours.toString(),
                                                 theirs.toString())));
                }
            }
            QVERIFY2(!reader.next(), sql);
        }
        QCOMPARE(numberedParameters(QStringLiteral("select '?', \"a?\", ? from t where 'it''s ?' "
                                                   "<> ? and b = ?")),
                 QStringLiteral("select '?', \"a?\", $1 from t where 'it''s ?' <> $2 and b = $3"));
        for (const char* wrong : {"select x from y", "select 1; delete from t_mes", "select ?"})
            QVERIFY_THROWS_EXCEPTION(StoreError, RowReader(*c, QString::fromLatin1(wrong), {}));
        QCOMPARE(count(QStringLiteral("t_mes")), qint64(12));
    }

    void parametersAreSetAllAtOnce() {
        Query q(c.get(), QStringLiteral("select num from t_mes where num = :a or num = :b"));
        q.setParams({1, 2});
        QVERIFY_THROWS_EXCEPTION(StoreError, q.setParams({3}));
        QVERIFY_THROWS_EXCEPTION(StoreError, q.setParams({3, 4, 5}));
        q.setParams({3, 4});
        q.open();
        QCOMPARE(q.rowCount(), 2);
        QCOMPARE(q.integer(QStringLiteral("num")), qint64(3));
    }
};

QObject* datasetTests() {
    return new TestDataset;
}

#include "tst_dataset.moc"
