#include "fixture/storetest.h"
#include "fixture/testmain.h"
#include "plan/territorialaction.h"
#include "store/actionscope.h"

#include <QTest>

// A territorial action's attribute flags and its rows in the attribute tables.
class TestAction : public StoreTest {
    Q_OBJECT

    std::unique_ptr<TerritorialAction> action;
    const ProductKey key{QStringLiteral("E01C01U01"), 2, QStringLiteral("2008")};

    void productRow(const QString& unit, int number, const QString& year, const QString& flags) {
        db->exec(QStringLiteral("insert into t_producto (cod_area, id_proyecto, id_producto, "
                                "pro_gestion, pro_municipio, pro_organizacion, pro_responsable, "
                                "pro_indicador, pro_sector, pro_efecto) values ('%1', %2, %2, "
                                "'%3', %4)")
                     .arg(unit)
                     .arg(number)
                     .arg(year, flags));
    }

    // One row of each of the six attribute tables for a product.
    void attributes(const QString& unit, int number, const QString& year) {
        const QString k = QStringLiteral("'%1', %2, '%3'").arg(unit).arg(number).arg(year);
        db->exec("insert into p_unimun (cod_unidad, cod_producto, gestion, correlativo, "
                 "cod_depto, cod_prov, cod_mun, ok) values (" +
                 k + ", 1, '01', '0101', '010101', 'S')");
        db->exec("insert into p_uniorga (cod_unidad, cod_producto, gestion, cod_orga, "
                 "correlativo, ok) values (" +
                 k + ", 3, 1, 'S')");
        db->exec("insert into p_responsable (cod_unidad, cod_producto, gestion, correlativo, "
                 "cod_responsable, responsable, ok) values (" +
                 k + ", 1, '0001', 'N', 'N')");
        db->exec("insert into p_unisector (cod_unidad, cod_producto, gestion, cod_grupo, "
                 "correlativo, ok) values (" +
                 k + ", '0101', 1, 'S')");
        db->exec("insert into p_uniindi (cod_unidad, cod_producto, gestion, num_indica, "
                 "cantidad, cod_indicador, ok) values (" +
                 k + ", 1, 40, 2, 'S')");
        db->exec("insert into p_unisectorial (cod_unidad, cod_producto, gestion, cod_politica, "
                 "cod_programa) values (" +
                 k + ", 1, 2)");
    }
    qint64 attributeRows(const QString& where) const {
        qint64 n = 0;
        for (const char* table : {"p_unimun", "p_uniorga", "p_responsable", "p_unisector",
                                  "p_uniindi", "p_unisectorial"})
            n += count(QString::fromLatin1(table) + " where " + where);
        return n;
    }

private slots:
    void init() {
        StoreTest::init();
        action = std::make_unique<TerritorialAction>(c.get());
    }
    void cleanup() {
        action.reset();
        StoreTest::cleanup();
    }

    void aStoredColumnIsYesUnlessItIsNoOrEmpty() {
        QCOMPARE(ActionFlags::fromStored(QStringLiteral("S")), QStringLiteral("S"));
        QCOMPARE(ActionFlags::fromStored(QStringLiteral("X")), QStringLiteral("S"));
        QCOMPARE(ActionFlags::fromStored(QStringLiteral("N")), QStringLiteral("N"));
        QCOMPARE(ActionFlags::fromStored(QString()), QStringLiteral("N"));
    }

    void theFlagsAreReadFromTheActionOfTheYear() {
        ActionScope scope;
        QVERIFY(!action->storedFlags(key));
        // The same unit and number in another year, and another unit: other actions.
        productRow(key.unit, 2, QStringLiteral("2007"), "'S', 'S', 'S', 'S', 'S', 'S'");
        productRow(QStringLiteral("E01C01U02"), 2, key.year, "'S', 'S', 'S', 'S', 'S', 'S'");
        QVERIFY(!action->storedFlags(key));
        productRow(key.unit, 2, key.year, "'S', NULL, 'X', 'N', '', 'S'");
        const auto flags = action->storedFlags(key);
        QVERIFY(flags);
        QCOMPARE(*flags, (ActionFlags{"S", "N", "S", "N", "N", "S"}));
    }

    void writingTheFlagsBackKeepsTheEffectsFlag() {
        ActionScope scope;
        productRow(key.unit, 2, key.year, "'N', 'N', 'N', 'N', 'N', 'N'");
        productRow(key.unit, 2, QStringLiteral("2007"), "'N', 'N', 'N', 'N', 'N', 'N'");
        action->writeFlags(key, {"S", "N", "S", "S", "N", "S"});
        QCOMPARE(*action->storedFlags(key), (ActionFlags{"S", "N", "S", "S", "N", "N"}));
        QCOMPARE(*action->storedFlags({key.unit, 2, QStringLiteral("2007")}), ActionFlags{});
    }

    void removingTheAttributesTouchesOnlyTheActionOfTheYear() {
        attributes(key.unit, 2, key.year);
        attributes(key.unit, 2, QStringLiteral("2007"));
        attributes(key.unit, 3, key.year);
        attributes(QStringLiteral("E01C01U02"), 2, key.year);
        {
            ActionScope scope;
            action->removeAttributes(key);
            scope.commit();
        }
        QCOMPARE(attributeRows("cod_unidad = 'E01C01U01' and cod_producto = 2 and gestion = "
                               "'2008'"),
                 0);
        QCOMPARE(attributeRows("1 = 1"), 18);
    }

    void aRemovalStoppedByTheEngineKeepsEveryRow() {
        attributes(key.unit, 2, key.year);
        // The fifth of the six statements fails: the four before it are undone.
        db->refuse(QStringLiteral("p_unisectorial"), QStringLiteral("delete"));
        {
            ActionScope scope;
            QVERIFY_THROWS_EXCEPTION(std::exception, action->removeAttributes(key));
        }
        QCOMPARE(attributeRows("1 = 1"), 6);
    }
};

MONITOREO_TEST_MAIN(new TestAction)
#include "tst_action.moc"
