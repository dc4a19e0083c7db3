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
#include "pickers/sectorialplan.h"
#include "plan/frmingresodatos1.h"
#include "store/datasource.h"
#include "store/query.h"
#include "store/tdtm.h"
#include "ui/dbgrid.h"
#include "ui/dblookup.h"

#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>

// The six attribute pickers, opened for actions of an entity's unit as their callers open
// them, and driven by clicks.
class TestPickers : public ProgramTest {
    Q_OBJECT

    static inline const QString unit = QStringLiteral("E01C01U01");

    Application& app() { return program->app(); }

    // Logs in as a user of the entity for `year` and runs `script` in the main menu, from
    // which the pickers are opened as their callers open them.
    void session(const std::function<void(Form& menu)>& script,
                 const QString& year = QStringLiteral("2008")) {
        program->addAccount("entidad", "clave", "4", year, unit, "EX");
        bool ran = false;
        windows->whenShown("FRMmenpri", [&](Form& menu) {
            script(menu);
            ran = true;
        });
        program->login("entidad", "clave", year);
        QVERIFY(ran);
    }

    // Shows the picker from `caller`, the unit and the number written into its hidden labels
    // first; `script` acts on it while it is the active window.
    void show(Form& caller, Form* picker, QLabel* numberLabel, int number,
              const std::function<void()>& script) {
        picker->findChild<QLabel*>(QStringLiteral("LBLcodigo"))->setText(unit);
        numberLabel->setText(QString::number(number));
        bool shown = false;
        windows->whenShown(picker->objectName(), [&](Form& w) {
            w.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&w));
            shown = true;
            script();
        });
        caller.open(picker);
        QVERIFY(shown);
    }

    // Chooses an entry of a lookup list as the user does.
    static void choose(DBLookupComboBox* list, const QString& text) {
        QVERIFY2(list->isVisible() && list->isEnabled(), qPrintable(list->objectName()));
        const int row = list->findText(text);
        QVERIFY2(row >= 0, qPrintable(text));
        list->setCurrentIndex(row);
        emit list->activated(row);
    }

    // Clicks a check box on its box.
    static void toggle(QCheckBox* box) {
        QStyleOptionButton option;
        option.initFrom(box);
        const QRect mark = box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box);
        QTest::mouseClick(box, Qt::LeftButton, {}, mark.center());
    }

    // What the grid shows in a column, sorted.
    static QStringList shown(DBGrid* grid, const QString& field) {
        QStringList values;
        for (int r = 0; r < grid->model()->rowCount(); ++r)
            values.append(grid->cellText(r, field));
        values.sort();
        return values;
    }

    QStringList rows(const QString& sql) const { return program->db().rows(sql); }

    static void picture(QWidget* w, const QString& state) {
        QVERIFY(QDir().mkpath(QStringLiteral("screens")));
        QVERIFY(w->grab().save(QStringLiteral("screens/%1-%2.png").arg(w->objectName(), state)));
    }

    QLineEdit* flag(const char* name) {
        return app().FRMingresodatos1()->findChild<QLineEdit*>(QString::fromLatin1(name));
    }

private slots:
    // Municipalities.

    void municipalitiesOneByOneAndAWholeDepartment() {
        TFRMgeografico* g = app().FRMgeografico();
        QCOMPARE(g->windowTitle(), QStringLiteral("Municipios"));
        QVERIFY(!g->CHBmuni->isChecked());
        session([&](Form& menu) {
            show(menu, g, g->LBLproy, 3, [&] {
                choose(g->DBLdepto, "PANDO");
                QCOMPARE(g->Label10->text(), QStringLiteral("09"));
                QCOMPARE(g->DBLmuni->count(), 15);
                choose(g->DBLmuni, "PORVENIR");
                CLICK(g, "BitBtn2");
                CLICK(g, "BitBtn2");
                // Listed twice, each as line 1.
                QCOMPARE(shown(g->DBGrid1, "mun_nombre"), QStringList({"PORVENIR", "PORVENIR"}));
                QCOMPARE(g->DBGrid1->cellText(0, "prov_nombre"), QStringLiteral("NICOLAS SUAREZ"));
                QCOMPARE(g->DBGrid1->cellText(0, "depto_nombre"), QStringLiteral("PANDO"));
                toggle(g->CHBmuni);
                CLICK(g, "BitBtn2");
                QCOMPARE(g->DBGrid1->model()->rowCount(), 17);
                picture(g, "lista");
                QVERIFY(messages->texts().isEmpty());
            });
        });
        // The department's lines 1 to 15, in name order.
        QStringList names = rows("select mun_nombre from t_muni where cod_depto = '09' order by "
                                 "mun_nombre");
        QStringList lines;
        for (int i = 0; i < names.size(); ++i)
            lines.append(QStringLiteral("%1 %2").arg(i + 1).arg(names[i]));
        lines.append({"1 PORVENIR", "1 PORVENIR"});
        lines.sort();
        QStringList stored = rows("select d.correlativo, m.mun_nombre from p_unimun d, t_muni m "
                                  "where d.cod_mun = m.cod_mun and d.cod_unidad = 'E01C01U01' and "
                                  "d.cod_producto = 3 and d.gestion = '2008' and d.ok = 'S'");
        stored.sort();
        QCOMPARE(stored, lines);
    }

    void aDepartmentIsStoredWholeOrNotAtAll() {
        TFRMgeografico* g = app().FRMgeografico();
        program->db().refuse("p_unimun", "insert", "NEW.cod_mun = '090302'");
        session([&](Form& menu) {
            show(menu, g, g->LBLproy, 3, [&] {
                choose(g->DBLdepto, "PANDO");
                toggle(g->CHBmuni);
                CLICK(g, "BitBtn2");
                QCOMPARE(messages->errors().size(), 1);
                QVERIFY(messages->errors().first().contains("rechazado por la prueba"));
                QVERIFY(g->isVisible());
                QCOMPARE(g->DBGrid1->model()->rowCount(), 0);
            });
        });
        QCOMPARE(program->db().scalar("select count(*) from p_unimun").toInt(), 0);
    }

    void aMunicipalityListedTwiceIsRemovedWhole() {
        TFRMgeografico* g = app().FRMgeografico();
        session([&](Form& menu) {
            show(menu, g, g->LBLproy, 3, [&] {
                // Nothing to remove yet.
                CLICK(g, "BitBtn3");
                QCOMPARE(messages->texts(), QStringList({"No existe registros para eliminar"}));
                QCOMPARE(g->focusWidget(), g->BitBtn2);
                messages->clear();
                choose(g->DBLdepto, "LA PAZ");
                choose(g->DBLmuni, "PALCA");
                CLICK(g, "BitBtn2");
                CLICK(g, "BitBtn2");
                choose(g->DBLmuni, "MECAPACA");
                CLICK(g, "BitBtn2");
                CLICK_ROW(g->DBGrid1, "mun_nombre", "PALCA");
                CLICK(g, "BitBtn3");
                QCOMPARE(messages->texts(), QStringList({"Registro eliminado"}));
                QCOMPARE(shown(g->DBGrid1, "mun_nombre"), QStringList({"MECAPACA"}));
            });
        });
        // The removed rows stay, marked.
        QCOMPARE(rows("select cod_mun, ok from p_unimun order by cod_mun, ok"),
                 QStringList({"020102 N", "020102 N", "020103 S"}));
    }

    void nothingIsStoredBeforeAMunicipalityIsChosen() {
        TFRMgeografico* g = app().FRMgeografico();
        session([&](Form& menu) {
            show(menu, g, g->LBLproy, 3, [&] {
                CLICK(g, "BitBtn2");
                toggle(g->CHBmuni);
                CLICK(g, "BitBtn2");
                QCOMPARE(messages->texts(), QStringList(2, "Seleccione primero un departamento"));
                toggle(g->CHBmuni);
                messages->clear();
                choose(g->DBLdepto, "BENI");
                CLICK(g, "BitBtn2");
                QCOMPARE(messages->texts(), QStringList({"Seleccione primero un municipio"}));
                QCOMPARE(g->focusWidget(), g->DBLmuni);
                // Choosing another department leaves no municipality chosen.
                choose(g->DBLmuni, "RIBERALTA");
                choose(g->DBLdepto, "ORURO");
                messages->clear();
                CLICK(g, "BitBtn2");
                QCOMPARE(messages->texts(), QStringList({"Seleccione primero un municipio"}));
                QCOMPARE(g->DBGrid1->model()->rowCount(), 0);
            });
        });
        QCOMPARE(program->db().scalar("select count(*) from p_unimun").toInt(), 0);
    }

    void theChoiceAndTheFlagCarryOverOpenings() {
        TFRMgeografico* g = app().FRMgeografico();
        QLineEdit* EDImun = flag("EDImun");
        session([&](Form& menu) {
            show(menu, g, g->LBLproy, 3, [&] {
                choose(g->DBLdepto, "TARIJA");
                choose(g->DBLmuni, "PADCAYA");
                CLICK(g, "BitBtn2");
                CLICK(g, "BitBtn4");
                QVERIFY(!g->isVisible());
            });
            QCOMPARE(EDImun->text(), QStringLiteral("S"));
            // Another action: the department and municipality chosen before are stored.
            show(menu, g, g->LBLproy, 4, [&] {
                QCOMPARE(g->DBGrid1->model()->rowCount(), 0);
                QCOMPARE(g->DBLmuni->currentText(), QStringLiteral("PADCAYA"));
                CLICK(g, "BitBtn4");
            });
            QCOMPARE(EDImun->text(), QStringLiteral("N"));
            show(menu, g, g->LBLproy, 4, [&] {
                CLICK(g, "BitBtn2");
                CLICK(g, "BitBtn4");
            });
            QCOMPARE(EDImun->text(), QStringLiteral("S"));
        });
        QCOMPARE(rows("select cod_producto, cod_depto, cod_mun from p_unimun order by "
                      "cod_producto"),
                 QStringList({"3 06 060201", "4 06 060201"}));
    }

    // Indigenous groups.

    void groupsAreNumberedPerGroup() {
        TFRMorganiza* o = app().FRMorganiza();
        QLineEdit* EDIorga = flag("EDIorga");
        session([&](Form& menu) {
            show(menu, o, o->LBLproy, 5, [&] {
                QCOMPARE(o->windowTitle(), QStringLiteral("Grupo indigena"));
                CLICK(o, "BitBtn3");
                QCOMPARE(messages->texts(), QStringList({"No se puede eliminar registros"}));
                QCOMPARE(o->focusWidget(), o->BitBtn2);
                messages->clear();
                CLICK(o, "BitBtn2");
                QCOMPARE(messages->texts(), QStringList({"Seleccione primero un grupo indigena"}));
                messages->clear();
                choose(o->DBLookupComboBox1, "Pueblo Guaraní");
                CLICK(o, "BitBtn2");
                CLICK(o, "BitBtn2");
                choose(o->DBLookupComboBox1, "Pueblo Aymara");
                CLICK(o, "BitBtn2");
                QCOMPARE(shown(o->DBGrid1, "org_descr"),
                         QStringList({"Pueblo Aymara", "Pueblo Guaraní", "Pueblo Guaraní"}));
                picture(o, "lista");
                CLICK_ROW(o->DBGrid1, "org_descr", "Pueblo Aymara");
                CLICK(o, "BitBtn3");
                QCOMPARE(shown(o->DBGrid1, "org_descr"),
                         QStringList({"Pueblo Guaraní", "Pueblo Guaraní"}));
                QVERIFY(messages->texts().isEmpty());
                CLICK(o, "BitBtn1");
            });
            QCOMPARE(EDIorga->text(), QStringLiteral("S"));
            QVERIFY(!app().DTM()->ADOTorga->isOpen());
            show(menu, o, o->LBLproy, 6, [&] { CLICK(o, "BitBtn1"); });
            QCOMPARE(EDIorga->text(), QStringLiteral("N"));
        });
        QCOMPARE(rows("select b.org_sigla, a.correlativo, a.ok from p_uniorga a, t_organizacion "
                      "b where a.cod_orga = b.cod_orga order by a.correlativo"),
                 QStringList({"GUA 1 S", "GUA 2 S"}));
    }

    // Responsible persons.

    void oneResponsiblePersonUntilARemoval() {
        TFRMresponsable* r = app().FRMresponsable();
        QLineEdit* EDIresp = flag("EDIresp");
        session([&](Form& menu) {
            show(menu, r, r->LBLproy, 2, [&] {
                QVERIFY(!r->CBXrespon->isVisible() && !r->Label7->isVisible());
                QCOMPARE(r->CBXrespon->currentText(), QStringLiteral("NO"));
                // The list in name order.
                QCOMPARE(r->DBLookupComboBox2->itemText(0), QStringLiteral("Ana Condori Flores"));
                // Removing from an empty list only enables "Agregar".
                r->BitBtn1->setEnabled(false);
                CLICK(r, "BitBtn2");
                QVERIFY(r->BitBtn1->isEnabled());
                choose(r->DBLookupComboBox2, "Luis Gutiérrez Rojas");
                CLICK(r, "BitBtn1");
                QVERIFY(!r->BitBtn1->isEnabled());
                QCOMPARE(shown(r->DBGrid1, "res_cargo"), QStringList({"Jefe de componente"}));
                picture(r, "lista");
                CLICK(r, "BitBtn3");
            });
            QCOMPARE(EDIresp->text(), QStringLiteral("S"));
            // Another action: "Agregar" is still disabled.
            show(menu, r, r->LBLproy, 7, [&] {
                QVERIFY(!r->BitBtn1->isEnabled());
                QCOMPARE(r->DBGrid1->model()->rowCount(), 0);
                CLICK(r, "BitBtn3");
            });
            QCOMPARE(EDIresp->text(), QStringLiteral("N"));
            show(menu, r, r->LBLproy, 2, [&] {
                QVERIFY(!r->BitBtn1->isEnabled());
                CLICK(r, "BitBtn2");
                QVERIFY(r->BitBtn1->isEnabled());
                QCOMPARE(r->DBGrid1->model()->rowCount(), 0);
                // The next person after the highest number ever used.
                choose(r->DBLookupComboBox2, "María Quispe Mamani");
                CLICK(r, "BitBtn1");
                QVERIFY(messages->texts().isEmpty());
                CLICK(r, "BitBtn3");
            });
        });
        QCOMPARE(rows("select correlativo, cod_responsable, responsable, ok from p_responsable "
                      "order by correlativo"),
                 QStringList({"1 0004 N N", "2 0001 N S"}));
    }

    void aResponsiblePersonMustBeChosen() {
        TFRMresponsable* r = app().FRMresponsable();
        session([&](Form& menu) {
            show(menu, r, r->LBLproy, 2, [&] {
                CLICK(r, "BitBtn1");
                QCOMPARE(messages->texts(),
                         QStringList({"Seleccione primero el nombre del personal"}));
                QVERIFY(r->BitBtn1->isEnabled());
            });
        });
        QCOMPARE(program->db().scalar("select count(*) from p_responsable").toInt(), 0);
    }

    // Sectors.

    void allSubsectorsFollowTheListedLines() {
        TFRMsector* s = app().FRMsector();
        QLineEdit* EDIsector = flag("EDIsector");
        const QString before = EDIsector->text();
        QVERIFY(s->CHBtodos->isChecked());
        QVERIFY(!s->DBLsubsec->isEnabled());
        session([&](Form& menu) {
            show(menu, s, s->LBLproy, 8, [&] {
                // One sub-sector, twice.
                toggle(s->CHBtodos);
                QVERIFY(s->DBLsubsec->isEnabled());
                QCOMPARE(s->focusWidget(), s->DBLsubsec);
                choose(s->DBLsector, "Salud");
                QCOMPARE(s->DBLsubsec->count(), 2);
                choose(s->DBLsubsec, "Infraestructura de salud");
                CLICK(s, "BTNgraba");
                CLICK(s, "BTNgraba");
                // Every sub-sector of another sector.
                toggle(s->CHBtodos);
                QVERIFY(!s->DBLsubsec->isEnabled());
                choose(s->DBLsector, "Agropecuario");
                CLICK(s, "BTNgraba");
                QCOMPARE(s->DBGrid1->model()->rowCount(), 5);
                QCOMPARE(shown(s->DBGrid1, "sector_nombre"),
                         QStringList(
                             {"Agropecuario", "Agropecuario", "Agropecuario", "Salud", "Salud"}));
                picture(s, "lista");
                QVERIFY(messages->texts().isEmpty());
                CLICK(s, "BTNsalir");
            });
            QVERIFY(!app().DTM()->t_sector->isOpen() && !app().DTM()->t_subsec->isOpen());
        });
        QCOMPARE(EDIsector->text(), before);
        QCOMPARE(rows("select cod_grupo, correlativo from p_unisector order by correlativo"),
                 QStringList({"0202 1", "0202 2", "0101 3", "0102 4", "0103 5"}));
    }

    void aSectorLineIsRemovedByItsNumber() {
        TFRMsector* s = app().FRMsector();
        session([&](Form& menu) {
            show(menu, s, s->LBLproy, 8, [&] {
                // An empty list: nothing happens.
                CLICK(s, "BTNcancela");
                choose(s->DBLsector, "Educación");
                CLICK(s, "BTNgraba");
                CLICK_ROW(s->DBGrid1, "grupo_nombre", "Educación primaria");
                CLICK(s, "BTNcancela");
                QCOMPARE(shown(s->DBGrid1, "grupo_nombre"),
                         QStringList({"Infraestructura educativa"}));
                QVERIFY(messages->texts().isEmpty());
                // The lines stored next never take a number a line already has.
                CLICK(s, "BTNgraba");
            });
        });
        QCOMPARE(rows("select cod_grupo, correlativo, ok from p_unisector order by correlativo"),
                 QStringList({"0301 1 N", "0302 2 S", "0301 3 S", "0302 4 S"}));
    }

    void nothingIsStoredBeforeASectorIsChosen() {
        TFRMsector* s = app().FRMsector();
        session([&](Form& menu) {
            show(menu, s, s->LBLproy, 8, [&] {
                CLICK(s, "BTNgraba");
                QCOMPARE(messages->texts(), QStringList({"Seleccione primero un sector"}));
                QCOMPARE(s->focusWidget(), s->DBLsector);
                messages->clear();
                toggle(s->CHBtodos);
                CLICK(s, "BTNgraba");
                QCOMPARE(messages->texts(), QStringList({"Seleccione primero un sub-sector"}));
                // "Todos" unchecked, by any means, puts the focus in the sub-sector list.
                toggle(s->CHBtodos);
                QVERIFY(!s->DBLsubsec->isEnabled());
                s->CHBtodos->setChecked(false);
                QVERIFY(s->DBLsubsec->isEnabled());
                QCOMPARE(s->focusWidget(), s->DBLsubsec);
                // A sector chosen earlier stays chosen in the next opening, with its list.
                choose(s->DBLsector, "Transporte");
                CLICK(s, "BTNsalir");
            });
            show(menu, s, s->LBLproy, 9, [&] {
                QCOMPARE(s->DBLsector->currentText(), QStringLiteral("Transporte"));
                QCOMPARE(s->DBLsubsec->count(), 1);
                choose(s->DBLsubsec, "Caminos vecinales");
                CLICK(s, "BTNgraba");
            });
        });
        QCOMPARE(rows("select cod_producto, cod_grupo, correlativo from p_unisector"),
                 QStringList({"9 0501 1"}));
    }

    // The sectorial plan.

    void aProgrammeIsDeletedUnderItsOwnPolicy() {
        TFRMunisectorial* u = app().FRMunisectorial();
        QString deleted;
        session([&](Form& menu) {
            u->BitBtn1->setEnabled(true);
            show(menu, u, u->LBLprod, 4, [&] {
                // Nothing listed: the question, and nothing more.
                CLICK(u, "BitBtn2");
                QCOMPARE(messages->texts(), QStringList({"Desea eliminar el registro ?"}));
                messages->clear();
                CLICK(u, "BitBtn1");
                QCOMPARE(messages->texts(), QStringList({"Seleccione primero un programa"}));
                messages->clear();
                choose(u->DBLpolitica, "Transformación de la estructura productiva");
                QCOMPARE(u->DBLprograma->count(), 2);
                choose(u->DBLprograma, "Desarrollo agropecuario");
                CLICK(u, "BitBtn1");
                CLICK(u, "BitBtn1");
                choose(u->DBLpolitica, "Seguridad y soberanía alimentaria");
                choose(u->DBLprograma, "Producción de alimentos");
                TYPE(u, "Edit1", "Fortalecer la producción");
                CLICK(u, "BitBtn1");
                QCOMPARE(messages->texts(), QStringList(3, "Registro grabado......"));
                QCOMPARE(shown(u->DBGrid1, "pro_descri"),
                         QStringList({"Desarrollo agropecuario", "Desarrollo agropecuario",
                                      "Producción de alimentos"}));
                picture(u, "lista");
                messages->clear();
                CLICK_ROW(u->DBGrid1, "pro_descri", "Desarrollo agropecuario");
                messages->answerNext(false);
                CLICK(u, "BitBtn2");
                QCOMPARE(u->DBGrid1->model()->rowCount(), 3);
                // The last row, selected before the question, goes with every row of its
                // programme under its policy; programme 1 of the other policy stays.
                const QModelIndex last = u->DBGrid1->cellIndex(2, QStringLiteral("pro_descri"));
                QTest::mouseClick(u->DBGrid1->viewport(), Qt::LeftButton, {},
                                  u->DBGrid1->visualRect(last).center());
                QCOMPARE(u->plan->Qsector->currentRow(), 2);
                deleted = u->DBGrid1->cellText(2, "pro_descri");
                messages->answerNext(true);
                CLICK(u, "BitBtn2");
                QCOMPARE(messages->texts(),
                         QStringList({"Desea eliminar el registro ?",
                                      "Desea eliminar el registro ?", "Se elimino el registro"}));
                const bool first = deleted == QLatin1String("Desarrollo agropecuario");
                QCOMPARE(shown(u->DBGrid1, "pro_descri"),
                         first
                             ? QStringList({"Producción de alimentos"})
                             : QStringList({"Desarrollo agropecuario", "Desarrollo agropecuario"}));
            });
        });
        QCOMPARE(rows("select cod_unidad, cod_producto, gestion, cod_politica, cod_programa from "
                      "p_unisectorial"),
                 deleted == QLatin1String("Desarrollo agropecuario")
                     ? QStringList({"E01C01U01 4 2008 2 1"})
                     : QStringList({"E01C01U01 4 2008 1 1", "E01C01U01 4 2008 1 1"}));
    }

    void agregarKeepsTheStateItsCallerGave() {
        TFRMunisectorial* u = app().FRMunisectorial();
        QLineEdit* EDIindica = flag("EDIindica");
        session([&](Form& menu) {
            u->BitBtn1->setEnabled(false);
            show(menu, u, u->LBLprod, 4, [&] {
                QVERIFY(!u->BitBtn1->isEnabled());
                // A box closing activates the window again; the state stays.
                CLICK(u, "BitBtn2");
                QVERIFY(!u->BitBtn1->isEnabled());
                CLICK(u, "BitBtn3");
            });
            show(menu, u, u->LBLprod, 4, [&] { QVERIFY(!u->BitBtn1->isEnabled()); });
            u->BitBtn1->setEnabled(true);
            show(menu, u, u->LBLprod, 4, [&] { QVERIFY(u->BitBtn1->isEnabled()); });
        });
        QCOMPARE(EDIindica->text(), QStringLiteral("N"));
    }

    // Indicators.

    void indicatorsWithTheirQuantities() {
        TFRMindica* i = app().FRMindica();
        QLineEdit* EDIindica = flag("EDIindica");
        // The action's indicator of the year before.
        program->db().exec("insert into p_uniindi (cod_unidad, cod_producto, num_indica, "
                           "cantidad, cod_indicador, gestion, ok) values ('E01C01U01', 6, 1, 30, "
                           "6, '2007', 'S')");
        session([&](Form& menu) {
            show(menu, i, i->LBLproy, 6, [&] {
                QCOMPARE(i->windowTitle(), QStringLiteral("Indicadores generales"));
                QCOMPARE(i->DBGrid1->model()->rowCount(), 1);
                choose(i->DBLookupComboBox1, "Familias beneficiadas");
                TYPE(i, "DBEdit1", "120");
                CLICK(i, "BTNgraba");
                // Choosing again starts another line, with an empty quantity.
                choose(i->DBLookupComboBox1, "Personas capacitadas");
                QVERIFY(i->DBEdit1->text().isEmpty());
                TYPE(i, "DBEdit1", "45");
                CLICK(i, "BTNgraba");
                QCOMPARE(shown(i->DBGrid1, "cantidad"), QStringList({"120", "30", "45"}));
                QCOMPARE(shown(i->DBGrid1, "ind_descripcion"),
                         QStringList({"Comunidades atendidas", "Familias beneficiadas",
                                      "Personas capacitadas"}));
                QVERIFY(messages->texts().isEmpty());
                picture(i, "lista");

                // The line of the year before is the one removed, not this year's line 1.
                CLICK_ROW(i->DBGrid1, "ind_descripcion", "Comunidades atendidas");
                CLICK(i, "BTNelimina");
                QCOMPARE(messages->texts(), QStringList({"Se elimino el registro... "}));
                QVERIFY(i->BTNgraba->isEnabled() && i->BTNelimina->isEnabled());
                QCOMPARE(shown(i->DBGrid1, "cantidad"), QStringList({"120", "45"}));
                CLICK(i, "BTNsalir");
            });
            QCOMPARE(EDIindica->text(), QStringLiteral("S"));
        });
        QCOMPARE(rows("select gestion, num_indica, cod_indicador, cantidad, ok from p_uniindi "
                      "order by gestion, num_indica"),
                 QStringList({"2007 1 6 30 N", "2008 1 1 120 S", "2008 2 5 45 S"}));
    }

    void aQuantityIsAWholeNumberOfAChosenIndicator() {
        TFRMindica* i = app().FRMindica();
        QLineEdit* EDIindica = flag("EDIindica");
        EDIindica->setText("S");
        session([&](Form& menu) {
            show(menu, i, i->LBLproy, 6, [&] {
                CLICK(i, "BTNelimina");
                QCOMPARE(messages->texts(),
                         QStringList({"No se puede eliminar registros por que no existe alguno"}));
                messages->clear();
                TYPE(i, "DBEdit1", "5");
                CLICK(i, "BTNgraba");
                QCOMPARE(messages->texts(), QStringList({"Seleccione primero un indicador"}));
                choose(i->DBLookupComboBox1, "Hectáreas incorporadas a riego");
                for (const char* bad : {"", "diez", "2,5", "2.5", "3000000000"}) {
                    messages->clear();
                    i->DBEdit1->clear();
                    if (*bad)
                        TYPE(i, "DBEdit1", bad);
                    CLICK(i, "BTNgraba");
                    QCOMPARE(messages->texts(),
                             QStringList({"La cantidad debe ser un número entero"}));
                    QCOMPARE(i->focusWidget(), i->DBEdit1);
                }
                messages->clear();
                TYPE(i, "DBEdit1", "10");
                CLICK(i, "BTNgraba");
                QVERIFY(messages->texts().isEmpty());
                // The line is stored: another needs an indicator chosen again.
                CLICK(i, "BTNgraba");
                QCOMPARE(messages->texts(), QStringList({"Seleccione primero un indicador"}));
                // A line started and left unstored does not reach the next opening.
                choose(i->DBLookupComboBox1, "Familias beneficiadas");
                TYPE(i, "DBEdit1", "8");
                CLICK(i, "BTNsalir");
            });
            QCOMPARE(EDIindica->text(), QStringLiteral("S"));
            show(menu, i, i->LBLproy, 7, [&] {
                QVERIFY(i->DBEdit1->text().isEmpty());
                messages->clear();
                CLICK(i, "BTNgraba");
                QCOMPARE(messages->texts(), QStringList({"Seleccione primero un indicador"}));
                CLICK(i, "BTNsalir");
            });
            QCOMPARE(EDIindica->text(), QStringLiteral("N"));
        });
        QCOMPARE(rows("select cod_producto, num_indica, cod_indicador, cantidad from p_uniindi"),
                 QStringList({"6 1 2 10"}));
    }

    void indicatorNumbersRestartInANewYear() {
        TFRMindica* i = app().FRMindica();
        program->db().exec("insert into p_uniindi (cod_unidad, cod_producto, num_indica, "
                           "cantidad, cod_indicador, gestion, ok) values ('E01C01U01', 6, 4, 30, "
                           "6, '2008', 'S')");
        session(
            [&](Form& menu) {
                show(menu, i, i->LBLproy, 6, [&] {
                    choose(i->DBLookupComboBox1, "Comunidades atendidas");
                    TYPE(i, "DBEdit1", "12");
                    CLICK(i, "BTNgraba");
                    QCOMPARE(i->DBGrid1->model()->rowCount(), 2);
                });
            },
            QStringLiteral("2009"));
        QCOMPARE(rows("select gestion, num_indica, cantidad from p_uniindi order by gestion"),
                 QStringList({"2008 4 30", "2009 1 12"}));
    }
};

MONITOREO_GUI_TEST_MAIN(new TestPickers)
#include "tst_pickers.moc"
