#include "fixture/storetest.h"
#include "fixture/testmain.h"
#include "plan/headers.h"
#include "store/actionscope.h"
#include "store/storeerror.h"
#include "store/table.h"

#include <QTest>

// The headers of a unit's products: numbers, changes, reactivation and deletion.
class TestHeaders : public StoreTest {
    Q_OBJECT

    void header(const QString& unit, int number, const QString& year, const QString& ok) {
        db->exec(QStringLiteral("insert into t_prodaccion (cod_unidad, uni_gestion, id_proyecto, "
                                "proy_descorta, proy_ok) values ('%1', '%2', %3, 'H%3', '%4')")
                     .arg(unit, year, QString::number(number), ok));
    }
    void productWithGoals(int number, int goals) {
        db->exec(QStringLiteral("insert into t_producto (cod_area, id_proyecto, id_producto, "
                                "pro_gestion) values ('U1', %1, %1, '2008')")
                     .arg(number));
        for (int g = 1; g <= goals; ++g)
            db->exec(QStringLiteral("insert into t_hito (cod_area, id_producto, gestion, "
                                    "cod_hito) values ('U1', %1, '2008', %2)")
                         .arg(number)
                         .arg(g));
    }

    // Products 1 (three goals, one progress report) and 2 (two goals) of unit U1 in 2008.
    void twoProductsOneReported() {
        header(QStringLiteral("U1"), 1, QStringLiteral("2008"), QStringLiteral("S"));
        header(QStringLiteral("U1"), 2, QStringLiteral("2008"), QStringLiteral("S"));
        productWithGoals(1, 3);
        productWithGoals(2, 2);
        db->exec(QStringLiteral("insert into t_avancepor (cod_area, id_producto, gestion, "
                                "cod_hito, correla) values ('U1', 1, '2008', 1, 1)"));
    }

private slots:
    void numbersFollowTheHighestOfTheUnitAndYear() {
        ProductHeaders headers(c.get());
        {
            ActionScope action;
            QCOMPARE(headers.newNumber(QStringLiteral("U1"), QStringLiteral("2008")), 1);
        }
        for (int n : {1, 2, 7})
            header(QStringLiteral("U1"), n, QStringLiteral("2008"), QStringLiteral("N"));
        header(QStringLiteral("U1"), 20, QStringLiteral("2007"), QStringLiteral("S"));
        header(QStringLiteral("U2"), 30, QStringLiteral("2008"), QStringLiteral("S"));
        {
            ActionScope action;
            QCOMPARE(headers.newNumber(QStringLiteral("u1"), QStringLiteral("2008")), 8);
        }

        // What deleted headers of the unit and year left behind keeps its numbers: a new
        // product shows no other product's reports, attributes or budget.
        const auto next = [&] {
            ActionScope action;
            return headers.newNumber(QStringLiteral("U1"), QStringLiteral("2008"));
        };
        db->exec(QStringLiteral("insert into t_avancepor (cod_area, id_producto, gestion, "
                                "cod_hito, correla) values ('U1', 9, '2008', 1, 1)"));
        QCOMPARE(next(), 10);
        db->exec(QStringLiteral("insert into t_distribucion (cod_area, id_producto, gestion, "
                                "activo, correlativo) values ('U1', 15, '2008', 'S', 1)"));
        QCOMPARE(next(), 16);
        db->exec(QStringLiteral("insert into p_uniindi (cod_unidad, cod_producto, gestion, "
                                "num_indica, ok) values ('U1', 40, '2007', 1, 'N'), ('U2', 41, "
                                "'2008', 1, 'S')"));
        QCOMPARE(next(), 16); // another year, another unit
    }

    void aNewHeaderIsTheRowBeingTypedWithTheNextNumberActive() {
        for (int n : {1, 2, 7})
            header(QStringLiteral("U1"), n, QStringLiteral("2008"), QStringLiteral("N"));
        ProductHeaders headers(c.get());
        Table typed(c.get(), QStringLiteral("t_prodaccion"));
        typed.open();
        typed.append();
        {
            ActionScope action;
            QCOMPARE(headers.add(&typed, QStringLiteral("U1"), QStringLiteral("2008"),
                                 {QStringLiteral("Riego"), QStringLiteral("Obras"),
                                  QStringLiteral("Hectáreas"), QStringLiteral("N")}),
                     8);
            // Without a row being typed, one is appended.
            QCOMPARE(headers.add(&typed, QStringLiteral("U1"), QStringLiteral("2008"), {}), 9);
            action.commit();
        }
        QCOMPARE(
            db->rows(QStringLiteral("select id_proyecto, proy_descorta, proy_descripcion, "
                                    "proy_resultado, proy_ok from t_prodaccion where "
                                    "id_proyecto > 7 order by id_proyecto")),
            QStringList({QStringLiteral("8 Riego Obras Hectáreas S"), QStringLiteral("9    S")}));
        QCOMPARE(count(QStringLiteral("t_prodaccion")), qint64(5));
    }

    void changingAndReactivating() {
        header(QStringLiteral("U1"), 1, QStringLiteral("2008"), QStringLiteral("N"));
        header(QStringLiteral("U1"), 2, QStringLiteral("2008"), QStringLiteral("X"));
        header(QStringLiteral("U1"), 3, QStringLiteral("2007"), QStringLiteral("N"));
        ProductHeaders headers(c.get());
        headers.modify({QStringLiteral("U1"), 1, QStringLiteral("2008")},
                       {QStringLiteral("Riego de O'Brien"), QStringLiteral("Obras"), QString(),
                        QStringLiteral("N")});
        QCOMPARE(db->scalar(QStringLiteral("select proy_descorta || '|' || proy_descripcion || "
                                           "'|' || proy_resultado || '|' || proy_ok from "
                                           "t_prodaccion where id_proyecto = 1"))
                     .toString(),
                 QStringLiteral("Riego de O'Brien|Obras||N"));
        headers.reactivate(QStringLiteral("U1"), QStringLiteral("2008"));
        QCOMPARE(count(QStringLiteral("t_prodaccion where proy_ok = 'S'")), qint64(2));
        QCOMPARE(count(QStringLiteral("t_prodaccion where uni_gestion = '2007' and proy_ok = "
                                      "'N'")),
                 qint64(1));
    }

    void deletingTakesTheProductAndItsGoalsOnly() {
        twoProductsOneReported();
        ProductHeaders headers(c.get());
        const ProductKey first{QStringLiteral("U1"), 1, QStringLiteral("2008")};
        QCOMPARE(headers.goalCount(first), 3);

        // Stopped at the goals, the deletion leaves everything.
        db->refuse(QStringLiteral("t_hito"), QStringLiteral("delete"), QStringLiteral("1 = 1"));
        try {
            ActionScope action;
            headers.remove(first, QStringLiteral("U1"));
            action.commit();
            QFAIL("the deletion was not stopped");
        } catch (const StoreError&) {
        }
        QCOMPARE(count(QStringLiteral("t_prodaccion")), qint64(2));
        QCOMPARE(count(QStringLiteral("t_producto")), qint64(2));
    }

    void deletingLeavesTheProgressReports() {
        twoProductsOneReported();
        ProductHeaders headers(c.get());
        const ProductKey first{QStringLiteral("U1"), 1, QStringLiteral("2008")};
        {
            ActionScope action;
            headers.remove(first, QStringLiteral("U1"));
            action.commit();
        }
        QCOMPARE(headers.goalCount(first), 0);
        QCOMPARE(count(QStringLiteral("t_prodaccion")), qint64(1));
        QCOMPARE(count(QStringLiteral("t_producto")), qint64(1));
        QCOMPARE(count(QStringLiteral("t_hito")), qint64(2));
        QCOMPARE(count(QStringLiteral("t_avancepor")), qint64(1));
    }
};

MONITOREO_TEST_MAIN(new TestHeaders)
#include "tst_headers.moc"
