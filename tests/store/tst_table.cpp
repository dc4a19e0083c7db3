#include "core/error.h"
#include "core/money.h"
#include "fixture/storetest.h"
#include "store/datasource.h"
#include "store/query.h"
#include "store/storeerror.h"
#include "store/table.h"

#include <QSignalSpy>
#include <QTest>

class TestTable : public StoreTest {
    Q_OBJECT

    void addHeader(Table& t, const QString& unit, const QString& year, int number,
                   const QString& name) {
        t.append();
        t.setField(QStringLiteral("cod_unidad"), unit);
        t.setField(QStringLiteral("uni_gestion"), year);
        t.setField(QStringLiteral("id_proyecto"), number);
        t.setField(QStringLiteral("proy_descorta"), name);
        t.setField(QStringLiteral("proy_ok"), QStringLiteral("S"));
        t.post();
    }

private slots:

    void appendEditCancelPostAndDelete() {
        Table t(c.get(), QStringLiteral("t_prodaccion"));
        QVERIFY_THROWS_EXCEPTION(StoreError, t.append());
        t.open();
        QCOMPARE(t.rowCount(), 0);
        QSignalSpy states(&t, &Table::stateChanged);
        addHeader(t, QStringLiteral("U1"), QStringLiteral("2008"), 1, QStringLiteral("Primero"));
        QCOMPARE(states.size(), 2); // insert, browse
        QCOMPARE(t.state(), Table::State::Browse);
        QCOMPARE(count(QStringLiteral("t_prodaccion")), qint64(1));

        t.edit();
        t.setField(QStringLiteral("proy_descorta"), QStringLiteral("Cambiado"));
        QCOMPARE(t.text(QStringLiteral("proy_descorta")), QStringLiteral("Cambiado"));
        t.cancel();
        QCOMPARE(t.text(QStringLiteral("proy_descorta")), QStringLiteral("Primero"));
        QCOMPARE(count(QStringLiteral("t_prodaccion where proy_descorta = 'Primero'")), qint64(1));

        t.edit();
        t.setField(QStringLiteral("proy_descorta"), QStringLiteral("Segundo"));
        t.post();
        QCOMPARE(count(QStringLiteral("t_prodaccion where proy_descorta = 'Segundo'")), qint64(1));

        t.append();
        t.setField(QStringLiteral("cod_unidad"), QStringLiteral("U1"));
        QCOMPARE(t.rowCount(), 2);
        t.cancel();
        QCOMPARE(t.rowCount(), 1);
        QCOMPARE(count(QStringLiteral("t_prodaccion")), qint64(1));

        t.remove();
        QCOMPARE(t.rowCount(), 0);
        QCOMPARE(count(QStringLiteral("t_prodaccion")), qint64(0));
        QVERIFY_THROWS_EXCEPTION(StoreError, t.remove());
        QVERIFY_THROWS_EXCEPTION(StoreError,
                                 t.setField(QStringLiteral("proy_ok"), QStringLiteral("S")));
    }

    void movingAwayPostsTheEdit() {
        Table t(c.get(), QStringLiteral("t_mes"));
        t.open();
        t.edit();
        t.setField(QStringLiteral("mes"), QStringLiteral("ENERO"));
        t.next();
        QCOMPARE(t.state(), Table::State::Browse);
        QCOMPARE(count(QStringLiteral("t_mes where mes = 'ENERO'")), qint64(1));
    }

    void fieldsTakeTheSystemsTexts() {
        Table t(c.get(), QStringLiteral("t_producto"));
        t.open();
        t.append();
        t.setField(QStringLiteral("cod_area"), QStringLiteral("U1"));
        t.setField(QStringLiteral("id_producto"), QStringLiteral("7"));
        t.setField(QStringLiteral("pro_gestion"), QStringLiteral("2008"));
        t.setField(QStringLiteral("pro_fecini"), QStringLiteral("05/03/2008"));
        t.setField(QStringLiteral("pro_fecfin"), QDate(2008, 12, 31));
        t.setField(QStringLiteral("pro_montotot"), QStringLiteral("1500,5"));
        QVERIFY_THROWS_EXCEPTION(ConversionError,
                                 t.setField(QStringLiteral("pro_flias"), QStringLiteral("muchas")));
        QVERIFY_THROWS_EXCEPTION(ConversionError, t.setField(QStringLiteral("pro_feccre"),
                                                             QStringLiteral("31/02/2008")));
        QVERIFY_THROWS_EXCEPTION(
            ConversionError, t.setField(QStringLiteral("pro_montotgn"), QStringLiteral("1.500,5")));
        QCOMPARE(t.state(), Table::State::Insert);
        t.post();

        Query q(c.get(), QStringLiteral("select * from t_producto where pro_fecini = ? and "
                                        "id_producto = 7"));
        q.setParam(0, QDate(2008, 3, 5));
        q.open();
        QCOMPARE(q.rowCount(), 1);
        QCOMPARE(q.money(QStringLiteral("pro_montotot")), Money::parse(u"1500,5"));
        QVERIFY(q.isNull(QStringLiteral("pro_flias")));
        QVERIFY(q.isNull(QStringLiteral("pro_montotgn")));
        t.refresh();
        QCOMPARE(t.date(QStringLiteral("pro_fecfin")), QDate(2008, 12, 31));
    }

    void rowsWithEqualValuesStayApart() {
        for (int i = 0; i < 2; ++i)
            c->execDirect(QStringLiteral("insert into p_unimun (cod_unidad, cod_producto, "
                                         "correlativo, gestion, cod_mun, ok) values ('U1', 1, 1, "
                                         "'2008', '020101', 'S')"));
        Table t(c.get(), QStringLiteral("p_unimun"));
        t.open();
        QCOMPARE(t.rowCount(), 2);
        t.last();
        t.edit();
        t.setField(QStringLiteral("ok"), QStringLiteral("N"));
        t.post();
        QCOMPARE(count(QStringLiteral("p_unimun where ok = 'N'")), qint64(1));
        t.first();
        t.remove();
        QCOMPARE(count(QStringLiteral("p_unimun")), qint64(1));
        QCOMPARE(count(QStringLiteral("p_unimun where ok = 'N'")), qint64(1));
        // The row edited before can be edited again: the table still finds it.
        t.edit();
        t.setField(QStringLiteral("ok"), QStringLiteral("S"));
        t.post();
        QCOMPARE(count(QStringLiteral("p_unimun where ok = 'S'")), qint64(1));
    }

    void filtersBindTheirValues() {
        for (const char* name : {"O'Brien", "OBrien", "x"})
            for (const char* year : {"2007", "2008"}) {
                Query w(c.get(),
                        QStringLiteral("insert into t_usuario (usuario, gestion) values (?, ?)"));
                w.setParams({QString::fromUtf8(name), QString::fromLatin1(year)});
                w.exec();
            }
        Table t(c.get(), QStringLiteral("t_usuario"));
        const Filter f = Filter::equals(QStringLiteral("usuario"), QStringLiteral("O'Brien"))
                             .andEquals(QStringLiteral("gestion"), QStringLiteral("2008"));
        QCOMPARE(f.text(), QStringLiteral("usuario='O''Brien' and gestion='2008'"));
        QCOMPARE(Filter::parse(f.text()), f);
        t.setFilter(f);
        t.setFiltered(true);
        t.open();
        QCOMPARE(t.rowCount(), 1);
        QCOMPARE(t.text(QStringLiteral("usuario")), QStringLiteral("O'Brien"));

        t.setFilterText(QStringLiteral("usuario='x'' or ''1''=''1' or gestion='2007'"));
        QCOMPARE(t.rowCount(), 4); // only the 2007 rows, Admin's too: the value is one text
        t.setFilterText(QStringLiteral("usuario = 'x' AND gestion='2007' or usuario='OBrien'"));
        QCOMPARE(t.rowCount(), 3);
        t.setFiltered(false);
        QCOMPARE(t.rowCount(), 10); // with the default accounts of four years
        for (const char* bad :
             {"usuario=x", "usuario='x", "usuario='x' xor gestion='1'", "='x'", "usuario='x' and"})
            QVERIFY_THROWS_EXCEPTION(StoreError, Filter::parse(QString::fromLatin1(bad)));
        QVERIFY_THROWS_EXCEPTION(StoreError, t.setFilterText(QStringLiteral("nadie='x'")));
        QVERIFY(Filter::parse(QStringLiteral("  ")).isEmpty());
    }

    void theKindFilterChangesTheRowsAtOnce() {
        Table t(c.get(), QStringLiteral("t_vicemin"));
        t.open();
        const int all = t.rowCount();
        t.setFilterText(QStringLiteral("tipo='MN'"));
        QCOMPARE(t.rowCount(), all); // not filtered yet
        t.setFiltered(true);
        QVERIFY(t.rowCount() > 0 && t.rowCount() < all);
        for (t.first(); !t.eof(); t.next())
            QCOMPARE(t.text(QStringLiteral("tipo")), QStringLiteral("MN"));
        const int mn = t.rowCount();
        t.setFilterText(QStringLiteral("tipo='EX'"));
        QCOMPARE(t.rowCount(), all - mn);
        for (t.first(); !t.eof(); t.next())
            QCOMPARE(t.text(QStringLiteral("tipo")), QStringLiteral("EX"));
        // The year is part of the key: the same codes in four years are four rows.
        t.setFilterText(QStringLiteral("cod_vicemin='V01'"));
        QCOMPARE(t.rowCount(), 4);
    }

    void aDetailFollowsItsMaster() {
        Table vice(c.get(), QStringLiteral("t_vicemin"));
        Table dir(c.get(), QStringLiteral("t_direccion"));
        Table uni(c.get(), QStringLiteral("t_unidad"));
        dir.setMaster(&vice, {"cod_min", "cod_vicemin", "vicmin_gestion"},
                      {"cod_min", "cod_vicemin", "dir_gestion"});
        uni.setMaster(&dir, {"cod_min", "cod_vicemin", "cod_direc", "dir_gestion"},
                      {"cod_min", "cod_vicemin", "cod_direc", "uni_gestion"});
        dir.open();
        uni.open();
        QCOMPARE(dir.rowCount(), 0); // no master row yet
        vice.setFilterText(QStringLiteral("cod_vicemin='V01' and vicmin_gestion='2008'"));
        vice.setFiltered(true);
        vice.open();
        QCOMPARE(dir.rowCount(), 2);
        QCOMPARE(dir.text(QStringLiteral("dir_gestion")), QStringLiteral("2008"));
        QCOMPARE(dir.text(QStringLiteral("cod_direc")), QStringLiteral("V01D01"));
        QCOMPARE(uni.rowCount(), 2);
        dir.next();
        QCOMPARE(uni.rowCount(), 1);
        QCOMPARE(uni.text(QStringLiteral("cod_unidad")), QStringLiteral("V01D02U01"));
        vice.setFilterText(QStringLiteral("cod_vicemin='V02' and vicmin_gestion='2007'"));
        QCOMPARE(dir.rowCount(), 1);
        QCOMPARE(dir.text(QStringLiteral("dir_gestion")), QStringLiteral("2007"));
        QCOMPARE(uni.text(QStringLiteral("cod_unidad")), QStringLiteral("V02D01U01"));
        QCOMPARE(uni.text(QStringLiteral("uni_gestion")), QStringLiteral("2007"));
        vice.close();
        QVERIFY(dir.isOpen());
        QCOMPARE(dir.rowCount(), 0);
        QCOMPARE(uni.rowCount(), 0);
    }

    void productsOfOtherYearsAreOtherRows() {
        Table t(c.get(), QStringLiteral("t_prodaccion"));
        t.open();
        addHeader(t, QStringLiteral("U1"), QStringLiteral("2007"), 1, QStringLiteral("De 2007"));
        addHeader(t, QStringLiteral("U1"), QStringLiteral("2008"), 1, QStringLiteral("De 2008"));
        t.setFilter(Filter::equals(QStringLiteral("cod_unidad"), QStringLiteral("U1"))
                        .andEquals(QStringLiteral("uni_gestion"), QStringLiteral("2008")));
        t.setFiltered(true);
        QCOMPARE(t.rowCount(), 1);
        t.edit();
        t.setField(QStringLiteral("proy_descorta"), QStringLiteral("Cambiado"));
        t.post();
        t.remove();
        QCOMPARE(count(QStringLiteral("t_prodaccion where uni_gestion = '2007' and proy_descorta "
                                      "= 'De 2007'")),
                 qint64(1));
        QCOMPARE(count(QStringLiteral("t_prodaccion")), qint64(1));
    }

    void aRowChangedElsewhereIsNotOverwritten() {
        Table t(c.get(), QStringLiteral("t_mes"));
        t.open();
        auto other = db->connect();
        other->execDirect(QStringLiteral("delete from t_mes where num = 1"));
        t.edit();
        t.setField(QStringLiteral("mes"), QStringLiteral("Otro"));
        QVERIFY_THROWS_EXCEPTION(StoreError, t.post());
        QCOMPARE(t.state(), Table::State::Edit);
        t.cancel();
        QVERIFY_THROWS_EXCEPTION(StoreError, t.remove());
        t.refresh();
        QCOMPARE(t.rowCount(), 11);
        QCOMPARE(count(QStringLiteral("t_mes where mes = 'Otro'")), qint64(0));
    }

    void anUpdateMadeElsewhereIsNotOverwritten() {
        Table t(c.get(), QStringLiteral("t_mes"));
        t.open();
        auto other = db->connect();
        other->execDirect(QStringLiteral("update t_mes set mes = 'ENERO' where num = 1"));
        t.edit();
        t.setField(QStringLiteral("mes"), QStringLiteral("Primero"));
        QVERIFY_THROWS_EXCEPTION(StoreError, t.post());
        t.cancel();
        QCOMPARE(count(QStringLiteral("t_mes where mes = 'ENERO'")), qint64(1));
        // A change elsewhere to another column of a row does not stop an edit of this one,
        // and stays.
        other->execDirect(QStringLiteral("update t_mes set mes = 'FEBRERO' where num = 2"));
        t.next();
        t.edit();
        t.setField(QStringLiteral("num"), 22);
        t.post();
        QCOMPARE(count(QStringLiteral("t_mes where num = 22 and mes = 'FEBRERO'")), qint64(1));
    }

    void aRowRemovedAndAddedElsewhereIsNotTakenForTheOld() {
        Table t(c.get(), QStringLiteral("t_mes"));
        t.open();
        t.last();
        auto other = db->connect();
        // The new row may get the same row number the removed one had.
        other->execDirect(QStringLiteral("delete from t_mes where num = 12"));
        other->execDirect(QStringLiteral("insert into t_mes (num, mes) values (13, 'Extra')"));
        QVERIFY_THROWS_EXCEPTION(StoreError, t.remove());
        QCOMPARE(count(QStringLiteral("t_mes where num = 13")), qint64(1));
    }

    void aMasterMovePostsTheDetailsEdit() {
        Table vice(c.get(), QStringLiteral("t_vicemin"));
        Table dir(c.get(), QStringLiteral("t_direccion"));
        dir.setMaster(&vice, {"cod_min", "cod_vicemin", "vicmin_gestion"},
                      {"cod_min", "cod_vicemin", "dir_gestion"});
        vice.setFilterText(QStringLiteral("vicmin_gestion='2008'"));
        vice.setFiltered(true);
        vice.open();
        dir.open();
        dir.edit();
        dir.setField(QStringLiteral("dir_sigla"), QStringLiteral("NUEVA"));
        vice.next();
        QCOMPARE(dir.state(), Table::State::Browse);
        QCOMPARE(count(QStringLiteral("t_direccion where dir_sigla = 'NUEVA'")), qint64(1));
        // Editing a master field the link does not use leaves the detail alone.
        dir.edit();
        dir.setField(QStringLiteral("dir_sigla"), QStringLiteral("OTRA"));
        vice.edit();
        vice.setField(QStringLiteral("vicmin_sigla"), QStringLiteral("X"));
        QCOMPARE(dir.state(), Table::State::Edit);
        vice.cancel();
        dir.cancel();
    }

    void cancellingAnAppendGoesBackToTheRowBefore() {
        Table t(c.get(), QStringLiteral("t_mes"));
        t.open();
        t.moveTo(4);
        t.append();
        t.cancel();
        QCOMPARE(t.currentRow(), 4);
        QCOMPARE(t.text(QStringLiteral("mes")), QStringLiteral("Mayo"));
    }

    // Adding, cancelling and removing a row tell what shows the rows of that one row: a
    // long list keeps its place and its other rows.
    void oneRowAddedOrRemovedIsNoNewReading() {
        Table t(c.get(), QStringLiteral("t_mes"));
        DataSource source(&t);
        t.open();
        t.moveTo(3);
        QSignalSpy resets(&source, &QAbstractItemModel::modelReset);
        QSignalSpy inserted(&source, &QAbstractItemModel::rowsInserted);
        QSignalSpy removed(&source, &QAbstractItemModel::rowsRemoved);
        QSignalSpy moved(&t, &Dataset::currentChanged);

        t.append();
        QCOMPARE(inserted.size(), 1);
        QCOMPARE(inserted[0][1].toInt(), 12);
        QCOMPARE(source.rowCount(), 13);
        QCOMPARE(t.currentRow(), 12);
        QCOMPARE(moved.last()[0].toInt(), 12);
        t.setField(QStringLiteral("num"), 13);
        t.setField(QStringLiteral("mes"), QStringLiteral("Aguinaldo"));
        QCOMPARE(source.data(source.index(12, t.fieldIndex("mes"))).toString(),
                 QStringLiteral("Aguinaldo"));
        t.cancel();
        QCOMPARE(removed.size(), 1);
        QCOMPARE(source.rowCount(), 12);
        QCOMPARE(t.currentRow(), 3);

        // The last row removed: the row before it becomes the current one.
        t.last();
        t.remove();
        QCOMPARE(removed.size(), 2);
        QCOMPARE(removed[1][1].toInt(), 11);
        QCOMPARE(t.currentRow(), 10);
        QCOMPARE(t.text(QStringLiteral("mes")), QStringLiteral("Noviembre"));
        QCOMPARE(source.data(source.index(10, t.fieldIndex("mes"))).toString(),
                 QStringLiteral("Noviembre"));
        // A row in the middle: the one after it takes its place.
        t.moveTo(0);
        t.remove();
        QCOMPARE(t.text(QStringLiteral("mes")), QStringLiteral("Febrero"));
        QCOMPARE(source.rowCount(), 10);
        QCOMPARE(resets.size(), 0);
        QCOMPARE(db->scalar(QStringLiteral("select count(*) from t_mes")).toInt(), 10);
    }

    void refreshStaysOnTheSameRow() {
        Table t(c.get(), QStringLiteral("t_mes"));
        t.open();
        t.moveTo(5);
        auto other = db->connect();
        other->execDirect(QStringLiteral("delete from t_mes where num = 1"));
        other->execDirect(QStringLiteral("update t_mes set mes = 'JUNIO' where num = 6"));
        t.refresh();
        QCOMPARE(t.rowCount(), 11);
        QCOMPARE(t.text(QStringLiteral("mes")), QStringLiteral("JUNIO"));
    }
};

QObject* tableTests() {
    return new TestTable;
}

#include "tst_table.moc"
