#include "core/csv.h"
#include "fixture/testdb.h"
#include "store/query.h"
#include "store/schema.h"
#include "store/storeerror.h"
#include "store/table.h"

#include <QFile>
#include <QTest>

namespace {

qint64 count(Connection& c, const QString& sql, const QVariantList& params = {}) {
    Query q(&c, sql);
    q.setParams(params);
    q.open();
    return q.integer(q.fieldNames().first());
}

int shippedRows(const QString& table) {
    QFile f(QStringLiteral(":/data/%1.csv").arg(table));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    return int(parseCsv(QString::fromUtf8(f.readAll())).rows.size());
}

} // namespace

class TestSchema : public QObject {
    Q_OBJECT
private slots:
    void everyTableHasEveryColumnInOrder() {
        TestDatabase db;
        auto c = db.connect();
        // The described tables and the store's summary of the latest progress.
        QCOMPARE(schemaTables().size(), 36);
        for (const TableDef& t : schemaTables()) {
            Query q(c.get(), QStringLiteral("select * from %1 where 1 = 0").arg(t.name));
            q.open();
            QStringList got, want;
            for (const QString& f : q.fieldNames())
                got.append(f.toLower());
            for (const QString& f : t.columnNames())
                want.append(f.toLower());
            QCOMPARE(got, want);
        }
        QCOMPARE(findTable(QStringLiteral("t_flujofondos"))->columns.size(), 32);
        QCOMPARE(findTable(QStringLiteral("t_flujofondos"))->columns[19].name,
                 QStringLiteral("flu_pormar"));
        QCOMPARE(findTable(QStringLiteral("t_avanceflujo"))->columns[17].name,
                 QStringLiteral("flu_porfebre"));
        QCOMPARE(findTable(QStringLiteral("t_hito"))->columns.size(), 33);
        QCOMPARE(findTable(QStringLiteral("t_producto"))->columns.size(), 23);
    }

    void everyKeyHasAnOrdinaryIndex() {
        TestDatabase db;
        auto c = db.connect();
        const bool pg = db.engine() == Engine::PostgreSQL;
        Query q(c.get(), pg ? QStringLiteral("select indexname as n, indexdef as d from pg_indexes "
                                             "where schemaname = current_schema()")
                            : QStringLiteral("select name as n, sql as d from sqlite_master "
                                             "where type = 'index'"));
        q.open();
        QHash<QString, QString> present;
        for (q.first(); !q.eof(); q.next())
            present.insert(q.text(QStringLiteral("n")).toLower(), q.text(QStringLiteral("d")));
        for (const TableDef& t : schemaTables()) {
            QVERIFY2(!t.indexes.isEmpty(), qPrintable(t.name));
            for (const IndexDef& i : t.indexes)
                QVERIFY2(present.contains(i.name.toLower()), qPrintable(i.name));
        }
        // Only the summary, one row per product, holds its key once.
        for (const QString& d : present)
            QVERIFY2(!d.contains(QStringLiteral("UNIQUE"), Qt::CaseInsensitive) ||
                         d.contains(QStringLiteral("t_avanceresumen_clave")),
                     qPrintable(d));
        const QString muni = present.value(QStringLiteral("municipiodepto_codigo"));
        QVERIFY2(muni.contains(QStringLiteral("cod_depto")) &&
                     muni.contains(QStringLiteral("cod_prov")),
                 qPrintable(muni));
    }

    void installationDataIsComplete() {
        TestDatabase db;
        auto c = db.connect();
        QCOMPARE(count(*c, QStringLiteral("select count(*) from t_depar")), qint64(9));
        QCOMPARE(count(*c, QStringLiteral("select count(*) from t_provin")), qint64(112));
        QCOMPARE(count(*c, QStringLiteral("select count(*) from t_muni")), qint64(340));
        QCOMPARE(shippedRows(QStringLiteral("t_muni")), 340);
        for (const TableDef& t : schemaTables()) {
            const int shipped = shippedRows(t.name);
            QCOMPARE(count(*c, QStringLiteral("select count(*) from %1").arg(t.name)),
                     qint64(qMax(shipped, 0)));
        }
        QCOMPARE(count(*c, QStringLiteral("select count(*) from t_mes where num between 1 and 12")),
                 qint64(12));
        QCOMPARE(count(*c, QStringLiteral("select count(*) from tipo_usuario where cod_tipo "
                                          "between 1 and 4")),
                 qint64(4));
        // Every province and municipality hangs from its parent, codes nested.
        QCOMPARE(count(*c, QStringLiteral("select count(*) from t_muni m where not exists (select "
                                          "1 from t_provin p where p.cod_prov = m.cod_prov and "
                                          "p.cod_depto = m.cod_depto)")),
                 qint64(0));
        QCOMPARE(count(*c, QStringLiteral("select count(*) from t_provin p where not exists "
                                          "(select 1 from t_depar d where d.cod_depto = "
                                          "p.cod_depto)")),
                 qint64(0));
        Query names(c.get(), QStringLiteral("select prov_nombre from t_provin where cod_prov = ?"));
        names.setParam(0, QStringLiteral("0103"));
        names.open();
        QCOMPARE(names.text(QStringLiteral("PROV_NOMBRE")), QStringLiteral("JAIME ZUDAÑEZ"));
        // The four bands cover every difference from -100 to 100 once.
        Query bands(c.get(), QStringLiteral("select * from t_rango"));
        bands.open();
        QCOMPARE(bands.rowCount(), 4);
        for (int v = -100; v <= 100; ++v) {
            int in = 0;
            for (bands.first(); !bands.eof(); bands.next())
                in += bands.integer(QStringLiteral("final")) < v &&
                      v < bands.integer(QStringLiteral("inicio"));
            QVERIFY2(in == 1, qPrintable(QString::number(v)));
        }
    }

    void theDefaultAccountExistsForEveryYear() {
        TestDatabase db;
        auto c = db.connect();
        for (const char* year : {"2006", "2007", "2008", "2009"}) {
            Query q(c.get(),
                    QStringLiteral("select * from t_usuario u, t_unidad n where u.usuario = ? and "
                                   "u.contra = ? and u.gestion = ? and n.cod_unidad = u.unidad and "
                                   "n.uni_gestion = u.gestion and n.tipo = 'MN'"));
            q.setParams(
                {QStringLiteral("Admin"), QStringLiteral("qampo"), QString::fromLatin1(year)});
            q.open();
            QCOMPARE(q.rowCount(), 1);
            QCOMPARE(q.text(QStringLiteral("tipo")), QStringLiteral("1"));
            QCOMPARE(q.text(QStringLiteral("entidad")), QStringLiteral("MN"));
            QCOMPARE(q.integer(QStringLiteral("nivel")), qint64(3));
            QCOMPARE(q.text(QStringLiteral("activo")), QStringLiteral("SI"));
        }
        // Both kinds have a hierarchy of three levels in every year of the list.
        for (const char* kind : {"MN", "EX"})
            QVERIFY(count(*c,
                          QStringLiteral("select count(*) from t_unidad where tipo = ? and "
                                         "uni_gestion = '2008'"),
                          {QString::fromLatin1(kind)}) >= 2);
    }

    void installsOnceAndCompletesAnOlderDatabase() {
        TestDatabase db;
        {
            auto c = db.connect();
            c->execDirect(QStringLiteral("update t_mes set mes = 'ENERO' where num = 1"));
            c->execDirect(QStringLiteral("drop table t_montomes"));
            c->execDirect(QStringLiteral("delete from t_depar"));
            c->execDirect(QStringLiteral("drop index t_avancepor_avance"));
        }
        auto c = db.connect();
        // An index the older database lacks is made.
        QCOMPARE(count(*c, db.engine() == Engine::SQLite
                               ? QStringLiteral("select count(*) from sqlite_master where "
                                                "type = 'index' and name = 't_avancepor_avance'")
                               : QStringLiteral("select count(*) from pg_indexes where "
                                                "indexname = 't_avancepor_avance'")),
                 qint64(1));
        QCOMPARE(count(*c, QStringLiteral("select count(*) from t_mes")), qint64(12));
        QCOMPARE(count(*c, QStringLiteral("select count(*) from t_mes where mes = 'ENERO'")),
                 qint64(1));
        // The missing table is made again, and nothing is loaded over existing data.
        QCOMPARE(count(*c, QStringLiteral("select count(*) from t_montomes")), qint64(0));
        QCOMPARE(count(*c, QStringLiteral("select count(*) from t_depar")), qint64(0));
    }

    void aColumnMadeNarrowerIsWidenedKeepingItsRows() {
        TestDatabase db;
        {
            // The accounts as a store made before kept them: passwords of 50 characters.
            auto c = db.connect();
            c->execDirect(QStringLiteral("drop table t_usuario"));
            for (QString statement : createStatements(*findTable("t_usuario"), db.engine()))
                c->execDirect(statement.replace(QStringLiteral("<= 128"), QStringLiteral("<= 50")));
            c->execDirect(QStringLiteral("insert into t_usuario (cod_usuario, usuario, gestion, "
                                         "contra) values ('1', 'ana', '2008', 'vieja')"));
            QVERIFY_THROWS_EXCEPTION(
                StoreError,
                c->execDirect(
                    QStringLiteral("update t_usuario set contra = '%1'").arg(QString(97, u'h'))));
        }
        auto c = db.connect();
        QCOMPARE(count(*c, QStringLiteral("select count(*) from t_usuario where contra = 'vieja'")),
                 qint64(1));
        c->execDirect(QStringLiteral("update t_usuario set contra = '%1'").arg(QString(128, u'h')));
        QVERIFY_THROWS_EXCEPTION(
            StoreError,
            c->execDirect(
                QStringLiteral("update t_usuario set contra = '%1'").arg(QString(129, u'h'))));
        QCOMPARE(count(*c, db.engine() == Engine::SQLite
                               ? QStringLiteral("select count(*) from sqlite_master where "
                                                "tbl_name = 't_usuario' and type = 'index'")
                               : QStringLiteral("select count(*) from pg_indexes where "
                                                "tablename = 't_usuario'")),
                 qint64(findTable("t_usuario")->indexes.size()));
    }

    void lowerAndUpperKnowEveryLetter() {
        TestDatabase db;
        auto c = db.connect();
        Query q(c.get(), QStringLiteral("select lower('ÑANDÚ Ä') as l, upper('ñandú ä') as u, "
                                        "lower(null) as n"));
        q.open();
        QCOMPARE(q.text("l"), QStringLiteral("ñandú ä"));
        QCOMPARE(q.text("u"), QStringLiteral("ÑANDÚ Ä"));
        QVERIFY(q.isNull("n"));
    }

    void textsCompareWithoutCaseButWithAccents() {
        TestDatabase db;
        auto c = db.connect();
        c->execDirect(QStringLiteral("delete from t_responsable"));
        const QStringList names{"ñandú", "beta", "Alfa", "O'Brien", "gamma", "Delta", "nandu"};
        for (int i = 0; i < names.size(); ++i) {
            Query add(c.get(), QStringLiteral("insert into t_responsable (cod_responsable, "
                                              "res_nombre) values (:cod, :nombre)"));
            add.setParams({QString::number(i + 1), names[i]});
            add.exec();
        }
        auto matches = [&](const QString& where, const QVariantList& params = {}) {
            Query q(c.get(), QStringLiteral("select res_nombre from t_responsable where ") + where +
                                 QStringLiteral(" order by res_nombre"));
            q.setParams(params);
            q.open();
            QStringList found;
            for (q.first(); !q.eof(); q.next())
                found.append(q.text("res_nombre"));
            return found;
        };
        // Equality, bound or written in the statement.
        QCOMPARE(matches("res_nombre = :n", {"ÑANDÚ"}), QStringList({"ñandú"}));
        QCOMPARE(matches("res_nombre = 'ÑANDÚ'"), QStringList({"ñandú"}));
        QCOMPARE(matches("res_nombre = :n", {"NANDU"}), QStringList({"nandu"}));
        QCOMPARE(matches("res_nombre = :n", {"o'brien"}), QStringList({"O'Brien"}));
        QCOMPARE(matches("res_nombre <> :n", {"ALFA"}).size(), names.size() - 1);
        // LIKE, IN and joins of two text columns.
        QCOMPARE(matches("res_nombre like :p", {"ÑAN%"}), QStringList({"ñandú"}));
        QCOMPARE(matches("res_nombre like 'n_ndu'"), QStringList({"nandu"}));
        QCOMPARE(matches("res_nombre like '%A'"), QStringList({"Alfa", "beta", "Delta", "gamma"}));
        QCOMPARE(matches("res_nombre in ('ALFA', 'BETA')"), QStringList({"Alfa", "beta"}));
        c->execDirect(QStringLiteral("insert into t_organizacion (cod_orga, org_descr) values "
                                     "(90, 'ÑANDÚ'), (91, 'NANDÚ')"));
        Query joined(c.get(), QStringLiteral("select b.res_nombre from t_organizacion a, "
                                             "t_responsable b where a.org_descr = b.res_nombre"));
        joined.open();
        QCOMPARE(joined.rowCount(), 1);
        QCOMPARE(joined.text("res_nombre"), QStringLiteral("ñandú"));
        // LIKE alike for plain and accented texts: "_" is one character, an accented one too,
        // and an escaped "%" or "_" is itself.
        c->execDirect(QStringLiteral("insert into t_organizacion (cod_orga, org_descr) values "
                                     "(92, '50% de avance'), (93, '50 de avance'), (94, "
                                     "'Año_1'), (95, 'Ano_1'), (96, 'Anox1')"));
        auto likeCount = [&](const QString& pattern) {
            Query q(c.get(), QStringLiteral("select count(*) as n from t_organizacion where "
                                            "org_descr like :p escape '!'"));
            q.setParams({pattern});
            q.open();
            return q.integer("n");
        };
        QCOMPARE(likeCount(QStringLiteral("50!%%")), 1);
        QCOMPARE(likeCount(QStringLiteral("50%")), 2);
        QCOMPARE(likeCount(QStringLiteral("A_o!_1")), 2);
        QCOMPARE(likeCount(QStringLiteral("A_o_1")), 3);
        QCOMPARE(likeCount(QStringLiteral("%!_1")), 2);
        // Names sort as a person reads them, capitals among small letters.
        QCOMPARE(matches("res_nombre in ('beta', 'alfa', 'gamma', 'delta')"),
                 QStringList({"Alfa", "beta", "Delta", "gamma"}));
        // Texts alike up to an accented letter sort by it, after every plain letter, and
        // a text that begins another comes first.
        c->execDirect(QStringLiteral("insert into t_responsable (cod_responsable, res_nombre) "
                                     "values ('20', 'anz'), ('21', 'ANÁ'), ('22', 'an'), "
                                     "('23', 'Añ'), ('24', 'anb')"));
        QCOMPARE(matches("res_nombre like 'an%'"), QStringList({"an", "anb", "anz", "ANÁ"}));
        QCOMPARE(matches("res_nombre > 'ANZ' and res_nombre < 'b'"), QStringList({"ANÁ", "Añ"}));
        QCOMPARE(matches("res_nombre = 'aná'"), QStringList({"ANÁ"}));
        // A filter of a table row set is such a comparison too.
        Table t(c.get(), QStringLiteral("t_responsable"));
        t.setFilterText(QStringLiteral("res_nombre='o''brien' or res_nombre='ÑANDÚ'"));
        t.setFiltered(true);
        t.open();
        QCOMPARE(t.rowCount(), 2);
        QVERIFY(t.locate(QStringLiteral("res_nombre"), QStringLiteral("O'BRIEN")));
        QCOMPARE(t.text("cod_responsable"), QStringLiteral("4"));
    }

    void repeatedLineNumbersAreAllowed() {
        TestDatabase db;
        auto c = db.connect();
        for (int i = 0; i < 2; ++i)
            c->execDirect(
                QStringLiteral("insert into p_unimun (cod_unidad, cod_producto, "
                               "correlativo, gestion, cod_depto, cod_prov, cod_mun, ok) "
                               "values ('U1', 1, 1, '2008', '02', '0201', '020101', 'S')"));
        QCOMPARE(count(*c, QStringLiteral("select count(*) from p_unimun")), qint64(2));
        for (int i = 0; i < 2; ++i)
            c->execDirect(QStringLiteral("insert into p_unisector (cod_unidad, cod_producto, "
                                         "gestion, cod_grupo, correlativo, ok) values ('U1', 1, "
                                         "'2008', '0101', 1, 'S')"));
        QCOMPARE(count(*c, QStringLiteral("select count(*) from p_unisector")), qint64(2));
    }

    void bothEnginesRefuseWhatDoesNotFit_data() {
        QTest::addColumn<QString>("sql");
        QTest::newRow("text too long")
            << "update t_mes set mes = 'Diecisiete letras' where num = 1";
        QTest::newRow("integer out of range") << "update t_mes set num = 2147483648 where num = 1";
        QTest::newRow("not an integer") << "update t_mes set num = 'uno' where num = 1";
        QTest::newRow("not a date") << "update t_hito set hito_fecini = 'mañana'";
        QTest::newRow("not an amount") << "insert into t_montomes (monto) values ('mucho')";
    }
    void bothEnginesRefuseWhatDoesNotFit() {
        QFETCH(QString, sql);
        TestDatabase db;
        auto c = db.connect();
        c->execDirect(QStringLiteral("insert into t_hito (cod_area, id_producto, gestion, "
                                     "cod_hito) values ('U1', 1, '2008', 1)"));
        QVERIFY_THROWS_EXCEPTION(StoreError, c->execDirect(sql));
        QCOMPARE(count(*c, QStringLiteral("select count(*) from t_mes where num = 1 and mes = "
                                          "'Enero'")),
                 qint64(1));
    }
};

QObject* schemaTests() {
    return new TestSchema;
}

#include "tst_schema.moc"
