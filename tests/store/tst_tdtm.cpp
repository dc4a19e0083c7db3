#include "fixture/testdb.h"
#include "store/tdtm.h"

#include <QTest>

class TestDataModule : public QObject {
    Q_OBJECT

    std::unique_ptr<TestDatabase> db;
    std::unique_ptr<Connection> c;
    std::unique_ptr<TDTM> dtm;

private slots:
    void init() {
        db = std::make_unique<TestDatabase>();
        c = std::make_unique<Connection>();
        db->attach(*c);
        dtm = std::make_unique<TDTM>(c.get());
    }
    void cleanup() {
        dtm.reset();
        c.reset();
        db.reset();
    }

    void everyDatasetIsThereByItsNameAndClosed() {
        const QStringList tables{
            "ADOTproducto", "ADOTvicemin", "ADOTdirecc", "ADOTunidad", "ADOTprodacc", "ADOThito",
            "ADOTindica",   "ADOTdepto",   "ADOTprovin", "ADOTmuni",   "ADOTrespon",  "ADOTorga",
            "t_sector",     "t_subsec",    "Tunisector", "t_politica", "t_sectorial", "tmontopre",
            "tmonto",       "Tmes",        "t_usuario",  "Tipo",       "tipousuario"};
        const QStringList queries{"Qunidad",    "Qunidadprograma", "Qexistepro", "ADOQproducto",
                                  "ADOQprores", "Qsectorial",      "Qrango"};
        const QStringList sources{"DSOproducto", "DSOvicemin",     "DSOdirecc",  "DSOunidad",
                                  "DSOprodacc",  "DSOindica",      "DSOdepto",   "DSOprovin",
                                  "DSOmuni",     "DSOrespon",      "DSOorga",    "DSOsector1",
                                  "DSOsubsec1",  "DSOpolitica",    "DSOmes",     "DSOusuario",
                                  "DSOtipo",     "DSOtipousuario", "DSOqunidad", "DSOqsectorial"};
        QCOMPARE(dtm->objectName(), QStringLiteral("DTM"));
        for (const QString& n : tables) {
            auto* t = dtm->findChild<Table*>(n);
            QVERIFY2(t, qPrintable(n));
            QVERIFY(!t->isOpen());
        }
        for (const QString& n : queries) {
            auto* q = dtm->findChild<Query*>(n);
            QVERIFY2(q, qPrintable(n));
            QVERIFY(!q->isOpen());
        }
        for (const QString& n : sources)
            QVERIFY2(dtm->findChild<DataSource*>(n), qPrintable(n));
        QCOMPARE(dtm->t_subsec->definition().name, QStringLiteral("t_grupo"));
        QCOMPARE(dtm->Tunisector->definition().name, QStringLiteral("p_unisector"));
        QCOMPARE(dtm->DSOqunidad->dataset(), dtm->Qunidad);
        QVERIFY(!c->isOpen());
    }

    void theFirstUseOpensTheConnection() {
        QVERIFY(!c->isOpen());
        dtm->Tmes->open();
        QVERIFY(c->isOpen());
        QCOMPARE(dtm->Tmes->rowCount(), 12);
        QCOMPARE(dtm->DSOmes->rowCount(), 12);
        QCOMPARE(dtm->DSOmes->data(dtm->DSOmes->index(0, 1)).toString(), QStringLiteral("Enero"));
    }

    void theHierarchyFollowsTheKindAndTheYear() {
        dtm->ADOTvicemin->open();
        dtm->ADOTdirecc->open();
        dtm->ADOTunidad->open();
        dtm->ADOTvicemin->setFilterText(QStringLiteral("tipo='EX'"));
        dtm->ADOTvicemin->setFiltered(true);
        QVERIFY(dtm->ADOTvicemin->locate(QStringLiteral("vicmin_gestion"), QStringLiteral("2008")));
        QCOMPARE(dtm->ADOTvicemin->text(QStringLiteral("tipo")), QStringLiteral("EX"));
        QVERIFY(dtm->ADOTdirecc->rowCount() > 0);
        for (dtm->ADOTdirecc->first(); !dtm->ADOTdirecc->eof(); dtm->ADOTdirecc->next()) {
            QCOMPARE(dtm->ADOTdirecc->text(QStringLiteral("dir_gestion")), QStringLiteral("2008"));
            QCOMPARE(dtm->ADOTdirecc->text(QStringLiteral("cod_vicemin")),
                     dtm->ADOTvicemin->text(QStringLiteral("cod_vicemin")));
        }
        dtm->ADOTdirecc->first();
        QCOMPARE(dtm->ADOTunidad->text(QStringLiteral("cod_direc")),
                 dtm->ADOTdirecc->text(QStringLiteral("cod_direc")));
        QCOMPARE(dtm->ADOTunidad->text(QStringLiteral("tipo")), QStringLiteral("EX"));

        const QString before = dtm->ADOTunidad->text(QStringLiteral("cod_unidad"));
        dtm->ADOTvicemin->setFilterText(QStringLiteral("tipo='MN'"));
        QCOMPARE(dtm->ADOTvicemin->text(QStringLiteral("tipo")), QStringLiteral("MN"));
        QVERIFY(dtm->ADOTunidad->text(QStringLiteral("cod_unidad")) != before);
        QCOMPARE(dtm->ADOTunidad->text(QStringLiteral("tipo")), QStringLiteral("MN"));
    }

    void theTerritoryFollowsDepartmentAndProvince() {
        dtm->ADOTdepto->open();
        dtm->ADOTprovin->open();
        dtm->ADOTmuni->open();
        QCOMPARE(dtm->ADOTdepto->rowCount(), 9);
        QVERIFY(dtm->ADOTdepto->locate(QStringLiteral("COD_DEPTO"), QStringLiteral("02")));
        QCOMPARE(dtm->ADOTdepto->text(QStringLiteral("DEPTO_NOMBRE")), QStringLiteral("LA PAZ"));
        QCOMPARE(dtm->ADOTprovin->rowCount(), 20);
        int municipalities = 0;
        for (dtm->ADOTprovin->first(); !dtm->ADOTprovin->eof(); dtm->ADOTprovin->next()) {
            const QString prov = dtm->ADOTprovin->text(QStringLiteral("COD_PROV"));
            QVERIFY(prov.startsWith(QStringLiteral("02")));
            QVERIFY(dtm->ADOTmuni->rowCount() > 0);
            for (dtm->ADOTmuni->first(); !dtm->ADOTmuni->eof(); dtm->ADOTmuni->next())
                QVERIFY(dtm->ADOTmuni->text(QStringLiteral("COD_MUN")).startsWith(prov));
            municipalities += dtm->ADOTmuni->rowCount();
        }
        QCOMPARE(municipalities, 87);
    }

    void catalogueLinksAndOrder() {
        dtm->t_sector->open();
        dtm->t_subsec->open();
        int subsectors = 0;
        for (dtm->t_sector->first(); !dtm->t_sector->eof(); dtm->t_sector->next())
            for (dtm->t_subsec->first(); !dtm->t_subsec->eof(); dtm->t_subsec->next(), ++subsectors)
                QCOMPARE(dtm->t_subsec->text(QStringLiteral("cod_sector")),
                         dtm->t_sector->text(QStringLiteral("cod_sector")));
        QCOMPARE(subsectors, 11);
        dtm->t_politica->open();
        dtm->t_sectorial->open();
        dtm->t_politica->last();
        QVERIFY(dtm->t_sectorial->rowCount() > 0);
        QCOMPARE(dtm->t_sectorial->integer(QStringLiteral("cod_politica")),
                 dtm->t_politica->integer(QStringLiteral("cod_politica")));
        dtm->ADOTrespon->open();
        QString previous;
        for (dtm->ADOTrespon->first(); !dtm->ADOTrespon->eof(); dtm->ADOTrespon->next()) {
            const QString name = dtm->ADOTrespon->text(QStringLiteral("res_nombre"));
            QVERIFY(previous.isEmpty() || QString::compare(previous, name) <= 0);
            previous = name;
        }
    }

    void theSharedQueries() {
        dtm->Qunidad->setParams({QStringLiteral("V01D01U01"), QStringLiteral("2008")});
        dtm->Qunidad->open();
        QVERIFY(dtm->Qunidad->rowCount() >= 1);
        QCOMPARE(dtm->Qunidad->text(QStringLiteral("uni_nombre")),
                 QStringLiteral("Unidad de Planificación Rural"));
        QCOMPARE(dtm->Qunidad->text(QStringLiteral("vicmin_nombre")),
                 QStringLiteral("Viceministerio de Desarrollo Rural y Agropecuario"));
        QCOMPARE(dtm->Qunidad->text(QStringLiteral("uni_gestion")), QStringLiteral("2008"));
        // A level-one code names no unit.
        dtm->Qunidad->setParams({QStringLiteral("V01"), QStringLiteral("2008")});
        dtm->Qunidad->open();
        QCOMPARE(dtm->Qunidad->rowCount(), 0);
        QCOMPARE(dtm->Qunidad->text(QStringLiteral("uni_nombre")), QString());

        dtm->Qrango->open();
        QCOMPARE(dtm->Qrango->rowCount(), 4);
        for (int i = 0; i < 4; ++i, dtm->Qrango->next())
            QCOMPARE(dtm->Qrango->integer(QStringLiteral("codigo")), qint64(i + 1));

        dtm->Qunidadprograma->setParam(0, QStringLiteral("V02D01U01"));
        dtm->Qunidadprograma->open();
        QCOMPARE(dtm->Qunidadprograma->text(QStringLiteral("pro_nombre")), QStringLiteral("PST"));

        // The product queries do not restrict the year.
        c->execDirect(QStringLiteral("insert into t_producto (cod_area, id_proyecto, id_producto, "
                                     "pro_gestion) values ('U1', 3, 3, '2007')"));
        dtm->Qexistepro->setParams({QStringLiteral("U1"), QStringLiteral("3")});
        dtm->Qexistepro->open();
        QCOMPARE(dtm->Qexistepro->rowCount(), 1);
        QCOMPARE(dtm->Qexistepro->text(QStringLiteral("pro_gestion")), QStringLiteral("2007"));
    }

    void theSharedHeaderTextIsThatOfTheYear() {
        // Header 1 of a unit in two years: two actions, each read in its own year only.
        for (const char* year : {"2007", "2008"})
            c->execDirect(QStringLiteral("insert into t_prodaccion (cod_unidad, uni_gestion, "
                                         "id_proyecto, proy_descripcion, proy_descorta, "
                                         "proy_resultado) values ('U1', '%1', 1, 'Act %1', "
                                         "'Nombre %1', 'Ind %1')")
                              .arg(QLatin1String(year)));
        Query* q = dtm->ADOQprores;
        QCOMPARE(q->parameterCount(), 3);
        for (const char* year : {"2008", "2007"}) {
            q->close();
            q->setParams({QStringLiteral("U1"), QStringLiteral("1"), QLatin1String(year)});
            q->open();
            QCOMPARE(q->rowCount(), 1);
            QCOMPARE(q->text(QStringLiteral("proy_descorta")) + "|" +
                         q->text(QStringLiteral("proy_descripcion")) + "|" +
                         q->text(QStringLiteral("proy_resultado")),
                     QStringLiteral("Nombre %1|Act %1|Ind %1").arg(QLatin1String(year)));
        }
        q->setParams({QStringLiteral("U1"), QStringLiteral("1"), QStringLiteral("2009")});
        q->open();
        QCOMPARE(q->rowCount(), 0);
    }
};

QObject* dataModuleTests() {
    return new TestDataModule;
}

#include "tst_tdtm.moc"
