#include "fixture/storetest.h"
#include "fixture/testmain.h"
#include "pickers/groups.h"
#include "pickers/indicators.h"
#include "pickers/municipalities.h"
#include "pickers/responsibles.h"
#include "pickers/sectorialplan.h"
#include "pickers/sectors.h"
#include "store/actionscope.h"
#include "store/query.h"
#include "store/storeerror.h"

#include <QTest>
#include <functional>

// What the attribute pickers store and remove, and how they number the lines.
class TestLinks : public StoreTest {
    Q_OBJECT

    const ProductKey key{QStringLiteral("E01C01U01"), 3, QStringLiteral("2008")};
    // The same number in the unit's next year, and another product of the year.
    const ProductKey nextYear{QStringLiteral("E01C01U01"), 3, QStringLiteral("2009")};
    const ProductKey other{QStringLiteral("E01C01U01"), 4, QStringLiteral("2008")};

    // Runs `step` as one user action.
    static void action(const std::function<void()>& step) {
        ActionScope scope;
        step();
        scope.commit();
    }

    QStringList rows(const QString& sql) const { return rowsOf(c.get(), sql); }

    // A listing query's column, row by row.
    static QStringList column(Query* q, const QString& field) {
        QStringList values;
        for (q->first(); !q->eof(); q->next())
            values.append(q->text(field));
        values.sort();
        return values;
    }

private slots:
    void municipalityLinesRestartOnEveryStore() {
        MunicipalityLinks links(c.get());
        action([&] {
            links.storeOne(key, "09", "0901", "090101");
            links.storeOne(key, "09", "0901", "090101");
        });
        // Pando's municipalities, as its list shows them.
        links.municipalitiesOf("09");
        QStringList names;
        for (links.Qmuni->first(); !links.Qmuni->eof(); links.Qmuni->next())
            names.append(links.Qmuni->text("MUN_NOMBRE"));
        QCOMPARE(names.size(), 15);
        QCOMPARE(names, rows("select mun_nombre from t_muni where cod_depto = '09' order by "
                             "mun_nombre"));
        int stored = 0;
        action([&] { stored = links.storeDepartment(key, "09"); });
        QCOMPARE(stored, 15);

        // The single municipality twice as line 1, then the department 1 to 15 in name order.
        QStringList lines{"1 COBIJA", "1 COBIJA"};
        for (int i = 1; i <= 15; ++i)
            lines.append(QStringLiteral("%1 %2").arg(i).arg(names[i - 1]));
        lines.sort();
        QStringList stored15 = rows("select d.correlativo, m.mun_nombre from p_unimun d, t_muni m "
                                    "where d.cod_mun = m.cod_mun");
        stored15.sort();
        QCOMPARE(stored15, lines);
        QCOMPARE(rows("select correlativo, cod_depto, cod_prov, ok from p_unimun where cod_mun = "
                      "'090101' and cod_unidad = 'E01C01U01' and cod_producto = 3 and gestion = "
                      "'2008' order by correlativo"),
                 QStringList({"1 09 0901 S", "1 09 0901 S",
                              QStringLiteral("%1 09 0901 S").arg(names.indexOf("COBIJA") + 1)}));

        links.list(key);
        QCOMPARE(links.Qgeo->rowCount(), 17);
        QCOMPARE(links.Qgeo->text("depto_nombre"), QStringLiteral("PANDO"));
        links.list(other);
        QCOMPARE(links.Qgeo->rowCount(), 0);
    }

    void aMunicipalityListedTwiceGoesWithOneRemoval() {
        MunicipalityLinks links(c.get());
        action([&] {
            links.storeOne(key, "02", "0201", "020101");
            links.storeOne(key, "02", "0201", "020101");
            links.storeOne(key, "02", "0201", "020102");
            links.storeOne(other, "02", "0201", "020101");
            links.storeOne(nextYear, "02", "0201", "020101");
        });
        int removed = 0;
        action([&] { removed = links.remove(key, "020101"); });
        QCOMPARE(removed, 2);
        links.list(key);
        QCOMPARE(links.Qgeo->rowCount(), 1);
        QCOMPARE(links.Qgeo->text("cod_mun"), QStringLiteral("020102"));
        // The rows stay, marked removed; other products and years keep theirs.
        QCOMPARE(count("p_unimun"), qint64(5));
        QCOMPARE(rows("select cod_producto, gestion, ok from p_unimun where cod_mun = '020101' "
                      "order by cod_producto, gestion, ok"),
                 QStringList({"3 2008 N", "3 2008 N", "3 2009 S", "4 2008 S"}));
    }

    void groupLinesCountPerGroup() {
        GroupLinks links(c.get());
        QList<qint64> lines;
        action([&] {
            lines << links.store(key, 3) << links.store(key, 3) << links.store(key, 7)
                  << links.store(other, 3) << links.store(nextYear, 3);
        });
        QCOMPARE(lines, QList<qint64>({1, 2, 1, 1, 1}));
        links.list(key);
        QCOMPARE(column(links.ADOQuery1, "org_sigla"), QStringList({"AYM", "AYM", "CAV"}));

        // Deleting line 1 of the group leaves line 2 and the other group; a deleted line no
        // longer counts, so the highest line of the group is taken again.
        int deleted = 0;
        action([&] { deleted = links.remove(key, 3, 1); });
        QCOMPARE(deleted, 1);
        QCOMPARE(rows("select cod_orga, correlativo, ok from p_uniorga where cod_producto = 3 and "
                      "gestion = '2008' order by cod_orga, correlativo"),
                 QStringList({"3 2 S", "7 1 S"}));
        action([&] { lines = {links.store(key, 3), links.store(key, 7)}; });
        QCOMPARE(lines, QList<qint64>({3, 2}));
        action([&] {
            links.remove(key, 3, 3);
            links.remove(key, 3, 2);
        });
        action([&] { lines = {links.store(key, 3)}; });
        QCOMPARE(lines, QList<qint64>({1}));
        QCOMPARE(count("p_uniorga where cod_producto = 4 or gestion = '2009'"), qint64(2));
    }

    void responsibleLinesFollowTheHighestEverUsed() {
        ResponsibleLinks links(c.get());
        QList<qint64> lines;
        action(
            [&] { lines << links.store(key, "0004", false) << links.store(key, "0001", false); });
        QCOMPARE(lines, QList<qint64>({1, 2}));
        int removed = 0;
        action([&] { removed = links.remove(key, 2); });
        QCOMPARE(removed, 1);
        // The removed line keeps its number: the next person takes 3.
        action([&] {
            lines = {links.store(key, "0002", false), links.store(other, "0002", false),
                     links.store(nextYear, "0002", true)};
        });
        QCOMPARE(lines, QList<qint64>({3, 1, 1}));
        QCOMPARE(rows("select correlativo, cod_responsable, responsable, ok from p_responsable "
                      "where cod_producto = 3 and gestion = '2008' order by correlativo"),
                 QStringList({"1 0004 N S", "2 0001 N N", "3 0002 N S"}));
        QCOMPARE(rows("select responsable from p_responsable where gestion = '2009'"),
                 QStringList({"S"}));
        links.list(key);
        QCOMPARE(column(links.ADOQuery1, "res_nombre"),
                 QStringList({"José Ñuflo Paredes", "Luis Gutiérrez Rojas"}));
    }

    void sectorLinesNeverShareANumber() {
        SectorLinks links(c.get());
        QList<qint64> lines;
        action([&] { lines << links.storeOne(key, "0201") << links.storeOne(key, "0201"); });
        // A sub-sector stored twice is listed twice, with its own numbers.
        QCOMPARE(lines, QList<qint64>({1, 2}));
        int stored = 0;
        action([&] { stored = links.storeSector(key, "01"); });
        QCOMPARE(stored, 3);
        QCOMPARE(rows("select cod_grupo, correlativo from p_unisector where cod_producto = 3 "
                      "order by correlativo"),
                 QStringList({"0201 1", "0201 2", "0101 3", "0102 4", "0103 5"}));
        links.list(key);
        QCOMPARE(column(links.Qsector, "grupo_nombre"),
                 QStringList(
                     {"Agrícola", "Atención primaria", "Atención primaria", "Pecuario", "Riego"}));
        QCOMPARE(column(links.Qsector, "sector_nombre").count("Agropecuario"), 3);

        // A removed line stays marked; its number is not given again.
        int removed = 0;
        action([&] { removed = links.remove(key, 4, "0102"); });
        QCOMPARE(removed, 1);
        action([&] { lines = {links.storeOne(key, "0501"), links.storeOne(other, "0501")}; });
        QCOMPARE(lines, QList<qint64>({6, 1}));
        QCOMPARE(rows("select cod_grupo, ok from p_unisector where cod_producto = 3 and "
                      "correlativo = 4"),
                 QStringList({"0102 N"}));
        // Removing a line removes that line only, also where an earlier numbering gave two
        // lines one number.
        action([&] { removed = links.remove(key, 5, "0103"); });
        QCOMPARE(removed, 1);
        db->exec(QStringLiteral("insert into p_unisector (cod_unidad, cod_producto, gestion, "
                                "cod_grupo, correlativo, ok) values ('E01C01U01', 3, '2008', "
                                "'0102', 6, 'S')"));
        action([&] { removed = links.remove(key, 6, "0501"); });
        QCOMPARE(removed, 1);
        links.list(key);
        QCOMPARE(column(links.Qsector, "grupo_nombre"),
                 QStringList({"Agrícola", "Atención primaria", "Atención primaria", "Pecuario"}));
    }

    void aProgrammeGoesOnlyUnderItsOwnPolicy() {
        SectorialPlanLinks links(c.get());
        action([&] {
            links.store(key, 1, 1);
            links.store(key, 1, 1);
            links.store(key, 2, 1);
            links.store(key, 1, 2);
            links.store(other, 1, 1);
        });
        links.list(key);
        QCOMPARE(column(links.Qsector, "pro_descri"),
                 QStringList({"Desarrollo agropecuario", "Desarrollo agropecuario",
                              "Producción de alimentos", "Riego tecnificado"}));
        // Programme 1 of policy 1, stored twice, goes whole; programme 1 of policy 2 stays.
        int deleted = 0;
        action([&] { deleted = links.remove(key, 1, 1); });
        QCOMPARE(deleted, 2);
        QCOMPARE(rows("select cod_producto, cod_politica, cod_programa from p_unisectorial "
                      "order by cod_producto, cod_politica, cod_programa"),
                 QStringList({"3 1 2", "3 2 1", "4 1 1"}));
        links.list(key);
        QCOMPARE(column(links.Qsector, "pro_descri"),
                 QStringList({"Producción de alimentos", "Riego tecnificado"}));
    }

    void indicatorLinesRestartEachYear() {
        IndicatorLinks links(c.get());
        QList<qint64> lines;
        action([&] {
            lines << links.store(key, 2, 40) << links.store(key, 5, 120)
                  << links.store(nextYear, 2, 60) << links.store(other, 1, 9);
        });
        QCOMPARE(lines, QList<qint64>({1, 2, 1, 1}));
        // The list holds every year of the product.
        links.list(key.unit, key.number);
        QCOMPARE(column(links.ADOQuery1, "cantidad"), QStringList({"120", "40", "60"}));

        // Removing line 1 of 2009 leaves line 1 of 2008.
        int removed = 0;
        action([&] { removed = links.remove(nextYear, 1); });
        QCOMPARE(removed, 1);
        QCOMPARE(rows("select gestion, num_indica, cod_indicador, cantidad, ok from p_uniindi "
                      "where cod_producto = 3 order by gestion, num_indica"),
                 QStringList({"2008 1 2 40 S", "2008 2 5 120 S", "2009 1 2 60 N"}));
        // Removed lines keep their numbers.
        action([&] { lines = {links.store(nextYear, 6, 1)}; });
        QCOMPARE(lines, QList<qint64>({2}));
        links.list(key.unit, key.number);
        QCOMPARE(column(links.ADOQuery1, "cantidad"), QStringList({"1", "120", "40"}));
    }

    void numbersAreTakenInsideAnAction() {
        // Outside a user action there is no numbering lock to take.
        GroupLinks groups(c.get());
        QVERIFY_THROWS_EXCEPTION(StoreError, groups.store(key, 3));
        QCOMPARE(count("p_uniorga"), qint64(0));
    }

    void anIndicatorQuantityIsAWholeNumber_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("quantity"); // -1: none
        QTest::newRow("whole") << "12" << qint64(12);
        QTest::newRow("blanks around") << " 7 " << qint64(7);
        QTest::newRow("zero") << "0" << qint64(0);
        QTest::newRow("largest") << "2147483647" << qint64(2147483647);
        QTest::newRow("empty") << "" << qint64(-1);
        QTest::newRow("blank") << "  " << qint64(-1);
        QTest::newRow("letters") << "doce" << qint64(-1);
        QTest::newRow("decimal point") << "1.5" << qint64(-1);
        QTest::newRow("decimal comma") << "1,5" << qint64(-1);
        QTest::newRow("too large") << "2147483648" << qint64(-1);
        QTest::newRow("far too large") << "99999999999999999999" << qint64(-1);
    }
    void anIndicatorQuantityIsAWholeNumber() {
        QFETCH(QString, text);
        QFETCH(qint64, quantity);
        const auto read = indicatorQuantity(text);
        QCOMPARE(read.has_value(), quantity >= 0);
        if (read)
            QCOMPARE(*read, quantity);
    }
};

MONITOREO_TEST_MAIN(new TestLinks)
#include "tst_links.moc"
