#include "core/error.h"
#include "fixture/storetest.h"
#include "fixture/testmain.h"
#include "plan/goalsheet.h"
#include "store/actionscope.h"
#include "store/query.h"
#include "store/storeerror.h"

#include <QTest>

namespace {

QDate d(int month, int day) {
    return QDate(2008, month, day);
}

} // namespace

// The goals of a product as the goal sheets save and remove them.
class TestGoalSheet : public StoreTest {
    Q_OBJECT

    std::unique_ptr<GoalSheet> sheet;
    const ProductKey key{QStringLiteral("V01D01U01"), 3, QStringLiteral("2008")};
    const ProductKey lastYear{QStringLiteral("V01D01U01"), 3, QStringLiteral("2007")};

    void add(const QString& sql, const QVariantList& values) {
        Query q(c.get(), sql);
        q.setParams(values);
        q.exec();
    }
    void addGoal(qint64 number, const QDate& start, const QDate& end, const ProductKey& of) {
        add(QStringLiteral("insert into t_hito (cod_area, id_producto, gestion, cod_hito, "
                           "hito_descr, hito_fecini, hito_fecfin, hito_porpro) values (?, ?, ?, "
                           "?, ?, ?, ?, 0)"),
            {of.unit, of.number, of.year, number, QStringLiteral("Meta %1").arg(number), start,
             end});
    }
    void addGoal(qint64 number, const QDate& start, const QDate& end) {
        addGoal(number, start, end, key);
    }
    void addProduct(const QDate& start, const QDate& end, const ProductKey& of) {
        add(QStringLiteral("insert into t_producto (cod_area, id_proyecto, id_producto, "
                           "pro_gestion, pro_fecini, pro_fecfin) values (?, ?, ?, ?, ?, ?)"),
            {of.unit, of.number, of.number, of.year, start, end});
    }

    void save(qint64 number, const QString& description, const QDate& start, const QDate& end) {
        if (!sheet) {
            sheet = std::make_unique<GoalSheet>(c.get());
            sheet->abre_metas(key);
        }
        QVERIFY(sheet->Qhito->locate(QStringLiteral("cod_hito"), number));
        sheet->graba_meta(key, {description, start, end});
    }

    // What is stored for a product: its goals ("number descr start end percentage", by
    // number), then its product rows ("start end").
    QStringList stored(const ProductKey& of) const {
        QStringList rows;
        Query goals(c.get(), QStringLiteral("select * from t_hito where cod_area = ? and "
                                            "id_producto = ? and gestion = ? order by cod_hito"));
        goals.setParams({of.unit, of.number, of.year});
        for (goals.open(); !goals.eof(); goals.next())
            rows.append(QStringLiteral("%1 %2 %3 %4 %5")
                            .arg(goals.integer("cod_hito"))
                            .arg(goals.text("hito_descr"),
                                 goals.date("hito_fecini").toString(QStringLiteral("dd/MM")),
                                 goals.date("hito_fecfin").toString(QStringLiteral("dd/MM")))
                            .arg(goals.integer("hito_porpro")));
        Query product(c.get(), QStringLiteral("select * from t_producto where cod_area = ? and "
                                              "id_producto = ? and pro_gestion = ?"));
        product.setParams({of.unit, of.number, of.year});
        for (product.open(); !product.eof(); product.next())
            rows.append(product.date("pro_fecini").toString(QStringLiteral("dd/MM")) + u' ' +
                        product.date("pro_fecfin").toString(QStringLiteral("dd/MM")));
        return rows;
    }
    QStringList stored() const { return stored(key); }

private slots:
    void init() {
        StoreTest::init();
        sheet.reset();
        addProduct(d(1, 1), d(12, 31), key);
    }
    void cleanup() {
        sheet.reset();
        StoreTest::cleanup();
    }

    void threeGoalsOfTenDaysGetARunningSumInGoalNumberOrder() {
        // Stored out of order, and read back in the order stored (without the index the
        // engines have no other).
        db->exec(QStringLiteral("drop index t_hito_clave"));
        addGoal(3, d(1, 21), d(1, 30));
        addGoal(1, d(1, 1), d(1, 10));
        addGoal(2, d(1, 11), d(1, 20));
        save(1, QStringLiteral("Diagnóstico «inicial» de O'Brien"), d(1, 1), d(1, 10));
        // The last goal need not reach 100; the product takes the goals' span.
        QCOMPARE(stored(), QStringList({"1 Diagnóstico «inicial» de O'Brien 01/01 10/01 33",
                                        "2 Meta 2 11/01 20/01 66", "3 Meta 3 21/01 30/01 99",
                                        "01/01 30/01"}));
        QCOMPARE(sheet->firstStart(), d(1, 1));
        QCOMPARE(sheet->lastEnd(), d(1, 30));
        // The list shows the goals as stored.
        QVERIFY(sheet->Qhito->locate(QStringLiteral("cod_hito"), 3));
        QCOMPARE(sheet->Qhito->integer("hito_porpro"), qint64(99));
    }

    void sharesRoundHalvesToEven() {
        // Of 8 days: 1 day is 12.5 % and gives 12, 3 days are 37.5 % and give 38.
        addGoal(1, d(1, 1), d(1, 1));
        addGoal(2, d(1, 2), d(1, 4));
        addGoal(3, d(1, 5), d(1, 8));
        save(1, QStringLiteral("Meta 1"), d(1, 1), d(1, 1));
        QCOMPARE(stored(), QStringList({"1 Meta 1 01/01 01/01 12", "2 Meta 2 02/01 04/01 50",
                                        "3 Meta 3 05/01 08/01 100", "01/01 08/01"}));
    }

    void everyStartFollowsTheGoalNumberedBefore() {
        addGoal(1, d(1, 1), d(1, 10));
        addGoal(2, d(1, 11), d(1, 20));
        addGoal(4, d(1, 26), d(2, 4));
        // A new start of goal 2 does not last; goal 4 has no goal 3 before it and keeps
        // its own. 35 days in all.
        save(2, QStringLiteral("Meta 2"), d(1, 18), d(1, 22));
        QCOMPARE(stored(), QStringList({"1 Meta 1 01/01 10/01 29", "2 Meta 2 11/01 22/01 63",
                                        "4 Meta 4 26/01 04/02 92", "01/01 04/02"}));
        // A longer goal 1 moves goal 2. Dates are not checked: goal 2 now ends before it
        // starts and takes -3 days of the 30.
        save(1, QStringLiteral("Meta 1"), d(1, 6), d(1, 25));
        QCOMPARE(stored(), QStringList({"1 Meta 1 06/01 25/01 67", "2 Meta 2 26/01 22/01 57",
                                        "4 Meta 4 26/01 04/02 90", "06/01 04/02"}));
    }

    void aProductWithoutGoalsKeepsItsDates() {
        addGoal(1, d(5, 1), d(5, 31), lastYear);
        sheet = std::make_unique<GoalSheet>(c.get());
        sheet->abre_metas(key);
        QVERIFY(!sheet->firstStart().isValid() && !sheet->lastEnd().isValid());
        sheet->graba_meta(key, {QStringLiteral("Nueva"), d(1, 1), d(6, 30)});
        QCOMPARE(stored(), QStringList({"01/01 31/12"}));
        QCOMPARE(stored(lastYear), QStringList({"1 Meta 1 01/05 31/05 0"}));
    }

    void goalsThatSpanNoDayAreRefused() {
        addGoal(1, d(1, 10), d(1, 20));
        const QStringList before = stored();
        // The latest end the day before the earliest start: no share can be computed.
        try {
            ActionScope action;
            save(1, QStringLiteral("Nueva"), d(1, 10), d(1, 9));
            action.commit();
            QFAIL("saved");
        } catch (const ConversionError& e) {
            QVERIFY(e.message().contains(QStringLiteral("Corrija las fechas")));
        }
        QCOMPARE(stored(), before);
    }

    void removingLeavesAttributesBudgetAndOtherYears() {
        for (const ProductKey& of : {key, lastYear}) {
            if (of.year != key.year)
                addProduct(d(1, 1), d(12, 31), of);
            addGoal(1, d(1, 1), d(6, 30), of);
            addGoal(2, d(7, 1), d(12, 31), of);
        }
        db->exec(QStringLiteral("insert into p_unisectorial (cod_unidad, cod_producto, gestion, "
                                "cod_politica, cod_programa) values ('V01D01U01', 3, '2008', 1, "
                                "1)"));
        db->exec(QStringLiteral("insert into t_flujofondos (cod_area, id_producto, gestion, "
                                "activo, correlativo) values ('V01D01U01', 3, '2008', 'S', 1)"));
        sheet = std::make_unique<GoalSheet>(c.get());
        sheet->abre_metas(key);
        sheet->elimina_metas(key);
        QVERIFY(stored().isEmpty());
        QCOMPARE(sheet->Qhito->rowCount(), 0);
        QCOMPARE(count(QStringLiteral("p_unisectorial")) + count(QStringLiteral("t_flujofondos")),
                 qint64(2));
        QCOMPARE(stored(lastYear).size(), 3);
    }

    void anActionTheEngineStopsLeavesTheProductAsItWas_data() {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("operation");
        QTest::addColumn<QString>("when");
        const char* const rows[][4] = {
            {"saving: the goal", "t_hito", "update", "NEW.hito_descr = 'Nueva'"},
            {"saving: the product's end", "t_producto", "update",
             "NEW.pro_fecfin <> OLD.pro_fecfin"},
            {"saving: the chaining", "t_hito", "update",
             "NEW.cod_hito = 3 and NEW.hito_fecini <> OLD.hito_fecini"},
            {"saving: the last percentage", "t_hito", "update",
             "NEW.cod_hito = 3 and NEW.hito_porpro <> OLD.hito_porpro"},
            {"removing: the product row", "t_producto", "delete", "1 = 1"}};
        for (const auto& row : rows)
            QTest::newRow(row[0]) << QString::fromUtf8(row[1]) << QString::fromUtf8(row[2])
                                  << QString::fromUtf8(row[3]);
    }
    void anActionTheEngineStopsLeavesTheProductAsItWas() {
        QFETCH(QString, table);
        QFETCH(QString, operation);
        QFETCH(QString, when);
        addGoal(1, d(1, 1), d(1, 10));
        addGoal(2, d(1, 11), d(1, 20));
        addGoal(3, d(1, 25), d(1, 30));
        sheet = std::make_unique<GoalSheet>(c.get());
        sheet->abre_metas(key);
        const QStringList before = stored();
        db->refuse(table, operation, when);
        try {
            ActionScope action;
            if (operation == QLatin1String("delete"))
                sheet->elimina_metas(key);
            else
                save(2, QStringLiteral("Nueva"), d(1, 11), d(1, 22));
            action.commit();
            QFAIL("not stopped");
        } catch (const StoreError& e) {
            QVERIFY(e.message().contains(QStringLiteral("rechazado por la prueba")));
        }
        QCOMPARE(stored(), before);
        // The list shows what is stored.
        QVERIFY(sheet->Qhito->locate(QStringLiteral("cod_hito"), 2));
        QCOMPARE(sheet->Qhito->text("hito_descr"), QStringLiteral("Meta 2"));
    }
};

MONITOREO_TEST_MAIN(new TestGoalSheet)
#include "tst_goalsheet.moc"
