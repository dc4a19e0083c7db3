#include "fixture/controls.h"
#include "fixture/guimain.h"
#include "fixture/programtest.h"
#include "fixture/uiscript.h"
#include "pickers/frmgeografico.h"
#include "pickers/frmindica.h"
#include "pickers/frmorganiza.h"
#include "pickers/frmresponsable.h"
#include "pickers/frmsector.h"
#include "pickers/frmunisectorial.h"
#include "plan/frmvermetasex.h"
#include "plan/frmverpro.h"
#include "plan/frmverproducto.h"
#include "store/query.h"
#include "store/tdtm.h"
#include "ui/clicklabel.h"
#include "ui/dbedit.h"
#include "ui/dbgrid.h"

#include <QDir>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

// The information sheet of a territorial action and the goals viewer it opens, on the
// action 3 of the entity's unit in 2008; the same unit and number of 2007 is another action.
class TestVerpro : public ProgramTest {
    Q_OBJECT

    const QString unit = QStringLiteral("E01C01U01");

    TFRMverpro* sheet() { return program->app().FRMverpro(); }
    void exec(const QString& sql) { program->db().exec(sql); }

    void header(const QString& year, const QString& name) {
        exec(QStringLiteral("insert into t_prodaccion (cod_unidad, uni_gestion, id_proyecto, "
                            "proy_descorta, proy_descripcion, proy_resultado, proy_ok) values "
                            "('E01C01U01', '%1', 3, '%2', 'Actividades %1', 'Indicadores %1', "
                            "'S')")
                 .arg(year, name));
    }
    void goal(const QString& area, const QString& year, int n, const QString& text,
              const QString& from, const QString& to) {
        exec(QStringLiteral("insert into t_hito (cod_area, id_producto, gestion, cod_hito, "
                            "hito_descr, hito_fecini, hito_fecfin, hito_porpro) values ('%1', 3, "
                            "'%2', %3, '%4', '%5', '%6', 0)")
                 .arg(area, year, QString::number(n), text, from, to));
    }

    // One link row of each list for action `product` of the unit in `year`, `ok` as given
    // (the sectorial plan has no flag: its row is always there). `n` tells the rows apart.
    void indicator(int product, const QString& year, int n, int quantity, int indicator,
                   const QString& ok) {
        exec(QStringLiteral("insert into p_uniindi (cod_unidad, cod_producto, num_indica, "
                            "cantidad, cod_indicador, gestion, ok) values ('E01C01U01', %1, %2, "
                            "%3, %4, '%5', '%6')")
                 .arg(product)
                 .arg(n)
                 .arg(quantity)
                 .arg(indicator)
                 .arg(year, ok));
    }
    void municipality(int product, const QString& year, const QString& mun, const QString& ok) {
        exec(QStringLiteral("insert into p_unimun (cod_unidad, cod_producto, correlativo, "
                            "gestion, cod_depto, cod_prov, cod_mun, ok) values ('E01C01U01', %1, "
                            "1, '%2', '%3', '%4', '%5', '%6')")
                 .arg(QString::number(product), year, mun.left(2), mun.left(4), mun, ok));
    }
    void group(int product, const QString& year, int orga, const QString& ok) {
        exec(QStringLiteral("insert into p_uniorga (cod_unidad, cod_producto, gestion, cod_orga, "
                            "correlativo, ok) values ('E01C01U01', %1, '%2', %3, 1, '%4')")
                 .arg(QString::number(product), year, QString::number(orga), ok));
    }
    void subsector(int product, const QString& year, const QString& grupo, int n,
                   const QString& ok) {
        exec(QStringLiteral("insert into p_unisector (cod_unidad, cod_producto, gestion, "
                            "cod_grupo, correlativo, ok) values ('E01C01U01', %1, '%2', '%3', "
                            "%4, '%5')")
                 .arg(QString::number(product), year, grupo, QString::number(n), ok));
    }
    void programme(int product, const QString& year, int policy, int programa) {
        exec(QStringLiteral("insert into p_unisectorial (cod_unidad, cod_producto, gestion, "
                            "cod_politica, cod_programa) values ('E01C01U01', %1, '%2', %3, %4)")
                 .arg(QString::number(product), year, QString::number(policy),
                      QString::number(programa)));
    }
    void person(int product, const QString& year, int n, const QString& who, const QString& ok) {
        exec(QStringLiteral("insert into p_responsable (cod_unidad, cod_producto, gestion, "
                            "correlativo, cod_responsable, responsable, ok) values ('E01C01U01', "
                            "%1, '%2', %3, '%4', 'N', '%5')")
                 .arg(QString::number(product), year, QString::number(n), who, ok));
    }

    // The action of 2008 with what is attached to it, and around it rows that the sheet
    // must not show: removed rows, another year's and another action's.
    void seed() {
        header("2007", "Catastro de 2007"); // first: an unscoped reading would find it
        header("2008", "Titulación de tierras");
        exec("insert into t_producto (cod_area, id_proyecto, id_producto, pro_gestion, "
             "pro_fecini, pro_fecfin) values ('E01C01U01', 3, 3, '2007', '2007-01-01', "
             "'2007-12-31')");
        exec("insert into t_producto (cod_area, id_proyecto, id_producto, pro_gestion, "
             "pro_fecini, pro_fecfin) values ('E01C01U01', 3, 3, '2008', '2008-02-01', "
             "'2008-11-30')");
        goal(unit, "2008", 1, "Entrega de producto", "2008-05-01", "2008-11-30");
        goal(unit, "2008", 0, "Diagnóstico", "2008-02-01", "2008-04-30");
        for (int n = 0; n < 3; ++n)
            goal(unit, "2007", n, "Meta de 2007", "2007-01-01", "2007-12-31");
        goal("E01C02U01", "2008", 0, "Meta de otra unidad", "2008-01-01", "2008-12-31");

        indicator(3, "2008", 1, 40, 1, "S");
        indicator(3, "2008", 2, 7, 2, "N");
        indicator(3, "2007", 1, 99, 3, "S");
        indicator(4, "2008", 1, 5, 4, "S");
        municipality(3, "2008", "010102", "S");
        municipality(3, "2008", "010101", "S");
        municipality(3, "2008", "020102", "N");
        municipality(3, "2007", "020101", "S");
        group(3, "2008", 1, "S");
        group(3, "2008", 2, "N");
        group(4, "2008", 3, "S");
        subsector(3, "2008", "0101", 1, "S");
        subsector(3, "2008", "0102", 2, "N");
        subsector(3, "2007", "0201", 1, "S");
        programme(3, "2008", 1, 2);
        programme(3, "2008", 2, 1);
        programme(3, "2007", 3, 1);
        person(3, "2008", 1, "0001", "S");
        person(3, "2008", 2, "0002", "N");
        person(4, "2008", 1, "0003", "S");
    }

    // Logs the entity in; the main menu prepares the sheet as the register browser does,
    // with header texts of its own, and opens it; `script` runs on the sheet while it shows.
    void run(const std::function<void(TFRMverpro&)>& script) {
        program->addAccount("entidad", "clave", "4", "2008", unit, "EX");
        bool ran = false;
        windows->whenShown("FRMmenpri", [this](Form& menu) {
            TFRMverpro* w = sheet();
            w->EDIvicemin->setText(QStringLiteral("entidad del llamador"));
            w->EDIdirecc->setText(QStringLiteral("componente del llamador"));
            w->EDIunidad->setText(QStringLiteral("unidad del llamador"));
            w->EDIproyecto->setText(QStringLiteral("acción del llamador"));
            w->MEMresultado->setPlainText(QStringLiteral("indicadores del llamador"));
            w->LBLcodigo->setText(unit);
            w->LBLproy->setText(QStringLiteral("3"));
            menu.open(w);
        });
        windows->whenShown("FRMverpro", [&](Form&) {
            script(*sheet());
            ran = true;
        });
        program->login("entidad", "clave");
        QVERIFY(ran);
        QVERIFY2(messages->errors().isEmpty(), qPrintable(messages->errors().join('\n')));
    }

    // A grid's rows as "a | b | c" of the given fields.
    static QStringList lines(DBGrid* grid, const QStringList& fields) {
        QStringList rows;
        for (int r = 0; r < grid->model()->rowCount(); ++r) {
            QStringList cells;
            for (const QString& f : fields)
                cells.append(grid->cellText(r, f));
            rows.append(cells.join(QStringLiteral(" | ")));
        }
        return rows;
    }
    // The titles of the columns a grid shows, left to right.
    static QStringList titles(DBGrid* grid) {
        QStringList t;
        const QHeaderView* h = grid->horizontalHeader();
        for (int v = 0; v < h->count(); ++v) {
            const int logical = h->logicalIndex(v);
            if (!grid->isColumnHidden(logical))
                t.append(grid->model()->headerData(logical, Qt::Horizontal).toString());
        }
        return t;
    }
    static void clickRow(DBGrid* grid, int row, const QString& field) {
        const QRect cell = grid->visualRect(grid->cellIndex(row, field));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    }
    static void picture(QWidget* w, const QString& name) {
        QVERIFY(QDir().mkpath(QStringLiteral("screens")));
        QVERIFY(w->grab().save(QStringLiteral("screens/%1.png").arg(name)));
    }

private slots:
    void theHeaderAndTheListsAreReadAtActivation() {
        seed();
        // The unit's names of other years, and a component of another entity under the
        // same code: the sheet names the unit of the session year.
        exec("update t_unidad set uni_nombre = 'Unidad de 2007' where cod_unidad = "
             "'E01C01U01' and uni_gestion = '2007'");
        exec("update t_vicemin set vicmin_nombre = 'Entidad de 2007' where cod_vicemin = 'E01' "
             "and vicmin_gestion = '2007'");
        exec("update t_direccion set dir_nombre = 'Componente de 2007' where cod_direc = "
             "'E01C01' and dir_gestion = '2007'");
        exec("insert into t_direccion (cod_min, cod_vicemin, cod_direc, cod_programa, "
             "dir_gestion, dir_nombre, tipo) values ('MDR', 'E02', 'E01C01', 4, '2008', "
             "'Componente ajeno', 'EX')");
        run([&](TFRMverpro& s) {
            QCOMPARE(s.windowTitle(), QStringLiteral("Información acción territorial"));
            QCOMPARE(s.LBLtitulo->text(),
                     QStringLiteral("Información sobre acciones territoriales"));
            QCOMPARE(s.ADOQunidad->rowCount(), 1);
            QCOMPARE(QStringList({s.EDIvicemin->text(), s.EDIdirecc->text(), s.EDIunidad->text(),
                                  s.EDIproyecto->text(), s.MEMresultado->toPlainText()}),
                     QStringList({"Instituto Nacional de Reforma Agraria",
                                  "Saneamiento y titulación", "Unidad de Saneamiento Cochabamba",
                                  "Titulación de tierras", "Indicadores 2008"}));
            QCOMPARE(program->app().DTM()->ADOQprores->rowCount(), 1);
            for (QWidget* box : std::initializer_list<QWidget*>{s.EDIvicemin, s.EDIdirecc,
                                                                s.EDIunidad, s.EDIproyecto})
                QVERIFY(static_cast<QLineEdit*>(box)->isReadOnly());
            QVERIFY(s.MEMresultado->isReadOnly());

            // The six sections in their order, each list with its columns and only the
            // rows that are there (ok "S"), of this action and year.
            QStringList sections;
            for (QGroupBox* b :
                 {s.GroupBox1, s.GroupBox2, s.GroupBox3, s.GroupBox4, s.GroupBox5, s.GroupBox6})
                sections.append(b->title());
            QCOMPARE(sections,
                     QStringList({"Indicadores generales", "Municipios", "  Grupos indígenas",
                                  "Sector y Sub sector", "Plan sectorial", "Responsable"}));
            QCOMPARE(titles(s.DBGrid3), QStringList({"Núm.", "Cantidad", "Descripcion"}));
            QCOMPARE(lines(s.DBGrid3, {"num_indica", "cantidad", "ind_descripcion"}),
                     QStringList({"1 | 40 | Familias beneficiadas"}));
            QCOMPARE(titles(s.DBGrid1), QStringList({"Departamento", "Provincia", "Municipio"}));
            QCOMPARE(
                lines(s.DBGrid1, {"depto_nombre", "prov_nombre", "mun_nombre"}),
                QStringList({"CHUQUISACA | OROPEZA | SUCRE", "CHUQUISACA | OROPEZA | YOTALA"}));
            QCOMPARE(titles(s.DBGrid4), QStringList({"Grupos", "Sigla"}));
            QCOMPARE(lines(s.DBGrid4, {"org_descr", "org_sigla"}),
                     QStringList({"Pueblo Afroboliviano | AFRO"}));
            QCOMPARE(titles(s.DBGrid5), QStringList({"Núm.", "Sector"}));
            QCOMPARE(lines(s.DBGrid5, {"correlativo", "sector_nombre"}),
                     QStringList({"1 | Agropecuario"}));
            // Each attached programme once, named by its own policy and number.
            QCOMPARE(titles(s.DBGrid6), QStringList({"Politica", "Programa"}));
            QStringList programmes = lines(s.DBGrid6, {"poli_descri", "pro_descri"});
            programmes.sort();
            QCOMPARE(programmes,
                     QStringList({"Seguridad y soberanía alimentaria | Producción de alimentos",
                                  "Transformación de la estructura productiva | Riego "
                                  "tecnificado"}));
            QCOMPARE(titles(s.DBGrid2), QStringList({"Responsable", "Cargo"}));
            QCOMPARE(lines(s.DBGrid2, {"res_nombre", "res_cargo"}),
                     QStringList({"María Quispe Mamani | Jefa de unidad"}));

            for (DBGrid* g : {s.DBGrid3, s.DBGrid1, s.DBGrid4, s.DBGrid5, s.DBGrid6, s.DBGrid2}) {
                QCOMPARE(g->editTriggers(), QAbstractItemView::NoEditTriggers);
                QVERIFY2(!g->verticalHeader()->isVisible(), qPrintable(g->objectName()));
                QVERIFY2(g->isVisible(), qPrintable(g->objectName()));
            }
            // The links of every section are in sight.
            for (const char* name : {"Label8", "Label9", "Label10", "Label11", "Label14", "Label15",
                                     "Label16", "Label17", "Label19", "Label20", "Label12",
                                     "Label13", "Label21", "Image1", "BitBtn2", "BTNcerrar"})
                QVERIFY(Controls::usable(CONTROL(QWidget, &s, name), __FILE__, __LINE__));
            // The whole sheet fits a 1366 x 768 screen.
            QVERIFY(s.width() <= 1366 && s.height() <= 720);
            QTest::qWait(50); // the layout settles, as it does before a person looks
            picture(&s, QStringLiteral("FRMverpro-ficha"));
        });
    }

    void theAddLinksHandOverTheKeysAndTheSheetReadsAllAgainOnReturn() {
        seed();
        struct Link {
            const char* link;
            const char* picker;
            QString insert; // what the picker stores while it is open
            DBGrid* TFRMverpro::*grid;
            QStringList fields;
            QString added;
        };
        const QList<Link> links{
            {"Label8",
             "FRMindica",
             "insert into p_uniindi (cod_unidad, cod_producto, num_indica, cantidad, "
             "cod_indicador, gestion, ok) values ('E01C01U01', 3, 3, 12, 5, '2008', 'S')",
             &TFRMverpro::DBGrid3,
             {"num_indica", "cantidad", "ind_descripcion"},
             "3 | 12 | Personas capacitadas"},
            {"Label10",
             "FRMgeografico",
             "insert into p_unimun (cod_unidad, cod_producto, correlativo, gestion, cod_depto, "
             "cod_prov, cod_mun, ok) values ('E01C01U01', 3, 1, '2008', '02', '0201', '020102', "
             "'S')",
             &TFRMverpro::DBGrid1,
             {"depto_nombre", "prov_nombre", "mun_nombre"},
             "LA PAZ | PEDRO DOMINGO MURILLO | PALCA"},
            {"Label14",
             "FRMorganiza",
             "insert into p_uniorga (cod_unidad, cod_producto, gestion, cod_orga, correlativo, "
             "ok) values ('E01C01U01', 3, '2008', 2, 1, 'S')",
             &TFRMverpro::DBGrid4,
             {"org_descr", "org_sigla"},
             "Pueblo Araona | ARA"},
            {"Label16",
             "FRMsector",
             "insert into p_unisector (cod_unidad, cod_producto, gestion, cod_grupo, "
             "correlativo, ok) values ('E01C01U01', 3, '2008', '0201', 2, 'S')",
             &TFRMverpro::DBGrid5,
             {"correlativo", "sector_nombre"},
             "2 | Salud"},
            {"Label19",
             "FRMunisectorial",
             "insert into p_unisectorial (cod_unidad, cod_producto, gestion, cod_politica, "
             "cod_programa) values ('E01C01U01', 3, '2008', 3, 2)",
             &TFRMverpro::DBGrid6,
             {"poli_descri", "pro_descri"},
             "Gestión sustentable de los recursos naturales | Forestación y reforestación"},
            {"Label12",
             "FRMresponsable",
             "insert into p_responsable (cod_unidad, cod_producto, gestion, correlativo, "
             "cod_responsable, responsable, ok) values ('E01C01U01', 3, '2008', 3, '0004', "
             "'N', 'S')",
             &TFRMverpro::DBGrid2,
             {"res_nombre", "res_cargo"},
             "Luis Gutiérrez Rojas | Jefe de componente"},
        };
        TDTM* dtm = program->app().DTM();
        QStringList handed;
        for (const Link& l : links) {
            windows->whenShown(QString::fromLatin1(l.picker), [&, l](Form& picker) {
                const QString product =
                    picker
                        .findChild<QLabel*>(
                            l.picker == QLatin1String("FRMunisectorial") ? "LBLprod" : "LBLproy")
                        ->text();
                handed.append(picker.findChild<QLabel*>("LBLcodigo")->text() + "/" + product);
                if (l.picker == QLatin1String("FRMgeografico"))
                    QVERIFY(dtm->ADOTdepto->isOpen() && dtm->ADOTdepto->rowCount() == 9);
                exec(l.insert);
                // A change to the header while the picker is open shows too.
                exec(QStringLiteral("update t_prodaccion set proy_descorta = 'Cambiada en %1' "
                                    "where cod_unidad = 'E01C01U01' and uni_gestion = '2008'")
                         .arg(QLatin1String(l.picker)));
            });
        }
        run([&](TFRMverpro& s) {
            dtm->ADOTdepto->close();
            for (const Link& l : links) {
                DBGrid* grid = s.*(l.grid);
                const QStringList before = lines(grid, l.fields);
                QVERIFY(!before.contains(l.added));
                CLICK(&s, l.link);
                QStringList after = lines(grid, l.fields);
                QVERIFY2(after.count(l.added) == 1, qPrintable(after.join('\n')));
                after.removeOne(l.added);
                QCOMPARE(after, before);
                QCOMPARE(s.EDIproyecto->text(),
                         QStringLiteral("Cambiada en ") + QLatin1String(l.picker));
            }
        });
        QCOMPARE(windows->shown().mid(1),
                 QStringList({"FRMverpro", "FRMindica", "FRMgeografico", "FRMorganiza", "FRMsector",
                              "FRMunisectorial", "FRMresponsable"}));
        QCOMPARE(handed, QStringList(6, "E01C01U01/3"));
    }

    void theReloadLinksReadTheirOwnListAgain() {
        seed();
        run([&](TFRMverpro& s) {
            const QList<DBGrid*> grids{s.DBGrid3, s.DBGrid1, s.DBGrid4,
                                       s.DBGrid5, s.DBGrid6, s.DBGrid2};
            auto counts = [&] {
                QList<int> n;
                for (DBGrid* g : grids)
                    n.append(g->model()->rowCount());
                return n;
            };
            const QList<int> start = counts();
            QCOMPARE(start, QList<int>({1, 2, 1, 1, 2, 1}));
            // Rows stored from elsewhere while the sheet shows: one more in each list.
            indicator(3, "2008", 3, 8, 6, "S");
            municipality(3, "2008", "010103", "S");
            group(3, "2008", 4, "S");
            subsector(3, "2008", "0103", 2, "S");
            programme(3, "2008", 3, 1);
            person(3, "2008", 3, "0003", "S");
            QCOMPARE(counts(), start);
            const QStringList reloads{"Label9",  "Label11", "Label15",
                                      "Label17", "Label20", "Label13"};
            QList<int> expected = start;
            for (int i = 0; i < reloads.size(); ++i) {
                CLICK(&s, reloads[i]);
                ++expected[i];
                QCOMPARE(counts(), expected);
            }
            QVERIFY(lines(s.DBGrid1, {"mun_nombre"}).contains("POROMA"));
            QVERIFY(lines(s.DBGrid2, {"res_nombre"}).contains("Ana Condori Flores"));
        });
        QCOMPARE(windows->shown().mid(1), QStringList({"FRMverpro"}));
    }

    void metasShowsTheActionsDatesAndItsGoalsOfTheYear() {
        seed();
        TFRMvermetasex* v = program->app().FRMvermetasex();
        QStringList seen;
        windows->whenShown("FRMvermetasex", [&](Form&) {
            QCOMPARE(v->windowTitle(), QStringLiteral("FRMvermetasex"));
            QCOMPARE(v->LBLtitulo->text(), QStringLiteral("Datos de metas"));
            seen = QStringList({v->LBLcodigo->text(), v->LBLproy->text(), v->EDIvicemin->text(),
                                v->EDIdirecc->text(), v->EDIunidad->text(), v->EDIproyecto->text(),
                                v->MEMresultado->toPlainText()});
            QCOMPARE(v->DBEdit1->text() + " - " + v->DBEdit2->text(),
                     QStringLiteral("01/feb/2008 - 30/nov/2008"));
            QCOMPARE(titles(v->DBGrid1),
                     QStringList({"No.", "Meta", "Fecha de inicio", "Fecha final"}));
            // The goals of 2008 only, by number.
            QCOMPARE(lines(v->DBGrid1, {"cod_hito", "hito_descr", "hito_fecini", "hito_fecfin"}),
                     QStringList({"0 | Diagnóstico | 01/feb/2008 | 30/abr/2008",
                                  "1 | Entrega de producto | 01/may/2008 | 30/nov/2008"}));
            QCOMPARE(v->DBEdit5->text() + " " + v->DBEdit3->text() + " " + v->DBEdit4->text(),
                     QStringLiteral("Diagnóstico 01/feb/2008 30/abr/2008"));
            clickRow(v->DBGrid1, 1, QStringLiteral("hito_descr"));
            QCOMPARE(v->DBEdit5->text() + " " + v->DBEdit3->text() + " " + v->DBEdit4->text(),
                     QStringLiteral("Entrega de producto 01/may/2008 30/nov/2008"));
            for (DBEdit* box : {v->DBEdit1, v->DBEdit2, v->DBEdit3, v->DBEdit4, v->DBEdit5})
                QVERIFY(box->isReadOnly());
            QCOMPARE(v->DBGrid1->editTriggers(), QAbstractItemView::NoEditTriggers);
            QTest::qWait(50);
            picture(v, QStringLiteral("FRMvermetasex-metas"));
            CLICK(v, "BTNsalir");
            QVERIFY(!v->isVisible());
        });
        run([&](TFRMverpro& s) { CLICK(&s, "BitBtn2"); });
        QCOMPARE(seen, QStringList({"E01C01U01", "3", "Instituto Nacional de Reforma Agraria",
                                    "Saneamiento y titulación", "Unidad de Saneamiento Cochabamba",
                                    "Titulación de tierras", "Indicadores 2008"}));
        QCOMPARE(windows->shown().mid(1), QStringList({"FRMverpro", "FRMvermetasex"}));
    }

    void anActionWithoutDatesOrGoalsShowsNone() {
        seed();
        exec("delete from t_producto where pro_gestion = '2008'");
        exec("delete from t_hito where gestion = '2008'");
        TFRMvermetasex* v = program->app().FRMvermetasex();
        windows->whenShown("FRMvermetasex", [&](Form&) {
            QCOMPARE(v->DBEdit1->text() + v->DBEdit2->text(), QString());
            QCOMPARE(v->DBGrid1->model()->rowCount(), 0);
            QCOMPARE(v->DBEdit5->text() + v->DBEdit3->text() + v->DBEdit4->text(), QString());
        });
        run([&](TFRMverpro& s) { CLICK(&s, "BitBtn2"); });
        QCOMPARE(windows->shown().mid(1), QStringList({"FRMverpro", "FRMvermetasex"}));
    }

    void verMasShowsTheActivitiesOfTheYearsAction() {
        seed();
        TFRMverproducto* viewer = program->app().FRMverproducto();
        QStringList seen;
        for (int i = 0; i < 2; ++i)
            windows->whenShown("FRMverproducto",
                               [&](Form&) { seen.append(viewer->MEMproducto->toPlainText()); });
        run([&](TFRMverpro& s) {
            QCOMPARE(s.Label21->text(), QStringLiteral("Ver mas"));
            QVERIFY(!s.Image1->icon().isNull());
            CLICK(&s, "Label21");
            CLICK(&s, "Image1");
        });
        QCOMPARE(seen, QStringList({"Actividades 2008", "Actividades 2008"}));
    }

    void salirClosesTheSheet() {
        seed();
        run([&](TFRMverpro& s) {
            CLICK(&s, "BTNcerrar");
            QVERIFY(!s.isVisible());
        });
    }
};

MONITOREO_GUI_TEST_MAIN(new TestVerpro)
#include "tst_verpro.moc"
