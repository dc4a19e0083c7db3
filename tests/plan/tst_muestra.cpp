#include "budget/frmpptoavance.h"
#include "fixture/controls.h"
#include "fixture/guimain.h"
#include "fixture/programtest.h"
#include "fixture/uiscript.h"
#include "plan/frmingresomn.h"
#include "plan/frmmuestra.h"
#include "plan/frmverpro.h"
#include "plan/frmverproducto.h"
#include "plan/frmverpromn.h"
#include "store/tdtm.h"
#include "ui/datepicker.h"
#include "ui/dbedit.h"
#include "ui/dbgrid.h"
#include "ui/dblookup.h"
#include "ui/focushighlight.h"

#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTest>

class TestMuestra : public ProgramTest {
    Q_OBJECT

    TFRMmuestra* w() { return program->app().FRMmuestra(); }
    TDTM* dtm() { return program->app().DTM(); }
    void exec(const QString& sql) { program->db().exec(sql); }
    QString stored(const QString& sql) { return program->db().scalar(sql).toString(); }
    qint64 count(const QString& fromWhere) {
        return stored("select count(*) from " + fromWhere).toLongLong();
    }
    void header(const QString& unit, int n, const QString& name, const QString& ok = "S",
                const QString& year = "2008") {
        exec(QStringLiteral("insert into t_prodaccion (cod_unidad, uni_gestion, id_proyecto, "
                            "proy_descorta, proy_descripcion, proy_resultado, proy_ok) values "
                            "('%1', '%2', %3, '%4', 'Actividades de %4', 'Indicadores de %4', "
                            "'%5')")
                 .arg(unit, year, QString::number(n), name, ok));
    }
    void goal(const QString& unit, int n, int goal, const QString& year = "2008") {
        exec(QStringLiteral("insert into t_hito (cod_area, id_producto, gestion, cod_hito) "
                            "values ('%1', %2, '%3', %4)")
                 .arg(unit, QString::number(n), year, QString::number(goal)));
    }
    void product(int n, const QString& year, const QString& from, const QString& to) {
        exec(QStringLiteral("insert into t_producto (cod_area, id_proyecto, id_producto, "
                            "pro_gestion, pro_fecini, pro_fecfin) values ('V01D01U01', %1, %1, "
                            "'%2', '%3', '%4')")
                 .arg(QString::number(n), year, from, to));
    }

    // Logs in, chooses the menu item and runs `script` on the browser it opens, active as
    // a window a person works in (the focus and its colour move).
    void browse(const QString& user, const char* item, std::function<void()> script) {
        windows->whenShown("FRMmenpri", [item](Form& menu) { TRIGGER(&menu, item); });
        windows->whenShown("FRMmuestra", [script](Form& browser) {
            browser.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&browser));
            script();
        });
        program->login(user, user == "Admin" ? "qampo" : "clave");
        QCOMPARE(windows->shown().mid(0, 2), QStringList({"FRMmenpri", "FRMmuestra"}));
    }

    // Picks an entry of each lookup list as a person does from its popup.
    bool chooseUnit(const QString& unit = "Unidad de Planificación Rural") {
        const QList<std::pair<const char*, QString>> picks{
            {"DBLvicemin", "Viceministerio de Desarrollo Rural y Agropecuario"},
            {"DBLdirecc", "Dirección General de Desarrollo Rural"},
            {"DBLunidad", unit}};
        for (const auto& [name, text] : picks) {
            auto* list = CONTROL(DBLookupComboBox, w(), QString::fromLatin1(name));
            if (!Controls::usable(list, __FILE__, __LINE__) || list->findText(text) < 0)
                return false;
            list->setCurrentIndex(list->findText(text));
            emit list->activated(list->currentIndex());
        }
        return !QTest::currentTestFailed();
    }

    void clickRow(int row) {
        DBGrid* grid = w()->DBGmuestra;
        const QModelIndex cell = grid->cellIndex(row, QStringLiteral("proy_descorta"));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(cell).center());
    }
    QString gridTitle() {
        DBGrid* grid = w()->DBGmuestra;
        return grid->model()
            ->headerData(grid->columnOf(QStringLiteral("proy_descorta")), Qt::Horizontal)
            .toString();
    }
    // The buttons a person can press now.
    QStringList usableButtons() {
        QStringList names;
        for (QPushButton* b : w()->findChildren<QPushButton*>())
            if (b->isVisible() && b->isEnabled())
                names.append(b->objectName());
        names.sort();
        return names;
    }
    void picture(const QString& state) {
        QDir().mkpath("screens");
        QVERIFY(w()->grab().save("screens/FRMmuestra-" + state + ".png"));
    }
    static bool yellow(QWidget* box) {
        return box->palette().color(QPalette::Base) == FocusHighlight::colour();
    }

private slots:
    void init() {
        ProgramTest::init();
        program->addAccount("planifica", "clave", "4");
        program->addAccount("entidad", "clave", "4", "2008", "E01C01U01", "EX");
    }

    void aTypeOneUserChoosesTheUnitAddsAHeaderAndShowsIt() {
        TFRMverproMN* sheet = program->app().FRMverproMN();
        windows->whenShown("FRMverproMN", [&](Form&) {
            QCOMPARE(sheet->LBLcodigo->text() + "/" + sheet->LBLproy->text(),
                     QStringLiteral("V01D01U01/1"));
            QCOMPARE(sheet->EDIvicemin->text(),
                     QStringLiteral("Viceministerio de Desarrollo Rural y Agropecuario"));
            QVERIFY(sheet->BTNmodifi->isVisible() && !sheet->BTNgramet->isVisible());
            for (QPushButton* b : {sheet->BTNmodifi, sheet->BTNelimina, sheet->BTNagrega})
                QVERIFY(!b->isEnabled()); // for reading
        });
        browse("Admin", "Datosiniciales2", [&] {
            TFRMmuestra* m = w();
            QCOMPARE(m->LBLtitulo->text(), QStringLiteral("Registro de productos"));
            QCOMPARE(m->LBLdirecc->text(), QStringLiteral("Direccion"));
            QCOMPARE(dtm()->ADOTvicemin->filter().text(),
                     QStringLiteral("tipo='MN' and vicmin_gestion='2008'"));
            QVERIFY(m->DBLvicemin->isVisible() && !m->DBEdit2->isVisible());
            QVERIFY(!m->DBEprograma->isVisible() && !m->BTNppto->isEnabled());
            // No unit yet: what needs a header does nothing.
            for (const char* b : {"BTNmuestra", "BTNelimina", "BTNmodifi"})
                CLICK(m, b);
            QCOMPARE(m->BTNmodifi->text(), QStringLiteral("Modificar registro"));
            QVERIFY(messages->shown().isEmpty() && windows->shown().size() == 2);

            QVERIFY(chooseUnit());
            QCOMPARE(m->EDIunidad->text(), QStringLiteral("Unidad de Planificación Rural"));
            QCOMPARE(m->LBLcodigo->text(), QStringLiteral("V01D01U01"));
            QCOMPARE(usableButtons(), QStringList({"BTNagreprod", "BTNsalir"}));
            QCOMPARE(gridTitle(), QStringLiteral("Producto"));
            picture("unidad-sin-registros");

            CLICK(m, "BTNagreprod");
            QVERIFY(m->PNLgraba->isVisible() && !m->PNLmuestra->isVisible());
            QVERIFY(!m->DBGmuestra->isEnabled());
            QCOMPARE(usableButtons(), QStringList({"BTNcancela", "BTNgrabaprod", "BTNsalir"}));
            QVERIFY(m->focusWidget() == m->DBEdit1 && yellow(m->DBEdit1));
            TYPE(m, "DBEdit1", "Riego del \"Altiplano\" y O'Connor");
            // Tab goes from box to box, the yellow with it.
            QTest::keyClick(m->DBEdit1, Qt::Key_Tab);
            QVERIFY(m->focusWidget() == m->DBMemo3 && yellow(m->DBMemo3) && !yellow(m->DBEdit1));
            TYPE(m, "DBMemo3", "Capacitación; kits");
            QTest::keyClick(m->DBMemo3, Qt::Key_Tab);
            QCOMPARE(m->focusWidget(), m->DBMemo4);
            TYPE(m, "DBMemo4", "120 familias");
            picture("agregando");
            CLICK(m, "BTNgrabaprod");
            QCOMPARE(messages->texts(), QStringList({"Registro grabado en la Base de Datos"}));
            QVERIFY(m->PNLmuestra->isVisible() && !m->PNLgraba->isVisible());
            QCOMPARE(usableButtons(), QStringList({"BTNagreprod", "BTNelimina", "BTNmetas",
                                                   "BTNmodifi", "BTNmuestra", "BTNsalir"}));
            QCOMPARE(m->DBGmuestra->cellText(0, "proy_descorta"),
                     QStringLiteral("Riego del \"Altiplano\" y O'Connor"));
            picture("grabado");
            CLICK(m, "BTNmuestra");
        });
        QCOMPARE(windows->shown().last(), QStringLiteral("FRMverproMN"));
        QCOMPARE(stored("select proy_descorta || '|' || proy_descripcion || '|' || proy_resultado "
                        "|| '|' || proy_ok || uni_gestion || cod_unidad || id_proyecto from "
                        "t_prodaccion"),
                 QStringLiteral("Riego del \"Altiplano\" y O'Connor|Capacitación; kits|120 "
                                "familias|S2008V01D01U011"));
    }

    void aNewHeaderTakesTheNextNumberOfItsUnitAndYear() {
        header("V01D01U01", 1, "Uno");
        header("V01D01U01", 2, "Dos");
        header("V01D01U01", 7, "Siete", "N");
        header("V01D01U01", 9, "Otro año", "S", "2007");
        header("V01D01U02", 12, "Otra unidad");
        browse("Admin", "Datosiniciales2", [&] {
            TFRMmuestra* m = w();
            QVERIFY(chooseUnit());
            QCOMPARE(usableButtons(), QStringList({"BTNagreprod", "BTNmetas", "BTNmodifi",
                                                   "BTNmuestra", "BTNsalir"}));
            CLICK(m, "BTNagreprod");
            TYPE(m, "DBEdit1", "Abandonado");
            CLICK(m, "BTNcancela");
            QCOMPARE(messages->texts(), QStringList({"Registro cancelado !!!!"}));
            QVERIFY(m->PNLmuestra->isVisible() && m->DBGmuestra->isEnabled());
            QCOMPARE(count("t_prodaccion"), qint64(5));
            CLICK(m, "BTNagreprod");
            TYPE(m, "DBEdit1", "Ocho");
            CLICK(m, "BTNgrabaprod");
            QCOMPARE(m->Qprodacc->rowCount(), 3);
            QCOMPARE(m->DBGmuestra->cellText(0, "proy_descorta"), QStringLiteral("Ocho"));

            // A save the engine refuses leaves the new header as typed, to try again.
            program->db().refuse("t_prodaccion", "insert");
            CLICK(m, "BTNagreprod");
            TYPE(m, "DBEdit1", "Nueve");
            CLICK(m, "BTNgrabaprod");
            QCOMPARE(messages->errors().size(), 1);
            QVERIFY(m->PNLgraba->isVisible() && m->BTNgrabaprod->isEnabled());
            QCOMPARE(m->DBEdit1->text(), QStringLiteral("Nueve"));
        });
        QCOMPARE(count("t_prodaccion"), qint64(6));
        QCOMPARE(stored("select id_proyecto || uni_gestion || cod_unidad from t_prodaccion "
                        "where proy_descorta = 'Ocho'"),
                 QStringLiteral("82008V01D01U01"));
        // Empty boxes make empty texts.
        QCOMPARE(count("t_prodaccion where proy_descripcion = '' and proy_resultado = ''"),
                 qint64(1));
    }

    void aSelectedHeaderWithGoalsOffersNoDataToAdd() {
        header("V01D01U01", 1, "Con metas");
        header("V01D01U01", 2, "Sin metas");
        goal("V01D01U01", 1, 1);
        goal("V01D01U01", 2, 1, "2007"); // another year's product
        browse("planifica", "ProgramasResultados2", [&] {
            TFRMmuestra* m = w();
            // The own unit, fixed.
            QVERIFY(m->DBEdit2->isVisible() && !m->DBLvicemin->isVisible());
            QCOMPARE(m->DBEdit4->text(), QStringLiteral("Unidad de Planificación Rural"));
            QCOMPARE(m->LBLcodigo->text() + m->LBLprod->text(), QStringLiteral("V01D01U012"));
            QVERIFY(!m->BTNmetas->isEnabled());
            clickRow(0);
            QVERIFY(m->BTNmetas->isEnabled());
            QTest::keyClick(m->DBGmuestra, Qt::Key_Down);
            QCOMPARE(m->LBLprod->text(), QStringLiteral("1"));
            QVERIFY(!m->BTNmetas->isEnabled());
            QTest::keyClick(m->DBGmuestra, Qt::Key_Up);
            QVERIFY(m->BTNmetas->isEnabled());
        });
    }

    void deletingRemovesTheSelectedHeaderItsDataAndGoals() {
        for (int n : {1, 2, 3}) {
            header("V01D01U01", n, QString::number(n));
            product(n, "2008", "2008-01-01", "2008-12-31");
            goal("V01D01U01", n, 1);
        }
        goal("V01D01U01", 2, 2);
        header("V01D01U02", 2, "Otra unidad");
        goal("V01D01U02", 2, 1);
        exec("insert into t_avancepor (cod_area, id_producto, gestion, cod_hito, correla) "
             "values ('V01D01U01', 2, '2008', 1, 1)");
        browse("planifica", "ProgramasResultados2", [&] {
            TFRMmuestra* m = w();
            clickRow(1); // header 2
            CLICK(m, "BTNelimina");
            QCOMPARE(count("t_prodaccion"), qint64(4));
            // The question's closing reads the list again: the header asked about goes.
            messages->answerNext(true);
            clickRow(1);
            CLICK(m, "BTNelimina");
            QCOMPARE(messages->texts(), QStringList(2, "Desea eliminar el producto?"));
            QCOMPARE(m->Qprodacc->rowCount(), 2);
            // A statement refused midway undoes the whole deletion.
            program->db().refuse("t_hito", "delete");
            messages->answerNext(true);
            CLICK(m, "BTNelimina");
            QCOMPARE(messages->errors().size(), 1);
        });
        QCOMPARE(count("t_prodaccion where cod_unidad = 'V01D01U01' and id_proyecto = 2"),
                 qint64(0));
        QCOMPARE(count("t_prodaccion"), qint64(3));
        QCOMPARE(count("t_producto where id_producto = 2"), qint64(0));
        QCOMPARE(count("t_producto where id_producto = 3"), qint64(1));
        QCOMPARE(count("t_hito where id_producto = 2"), qint64(1)); // the other unit's
        QCOMPARE(count("t_avancepor"), qint64(1));                  // progress stays
    }

    void modifyingWritesTheEditedHeader() {
        header("V01D01U01", 1, "Uno");
        header("V01D01U01", 2, "Dos");
        browse("Admin", "Datosiniciales2", [&] {
            TFRMmuestra* m = w();
            QVERIFY(chooseUnit());
            QVERIFY(m->DBEdescorta->isReadOnly());
            CLICK(m, "BTNmodifi");
            QCOMPARE(m->BTNmodifi->text(), QStringLiteral("Grabar modificación"));
            QVERIFY(m->modificando() && m->DBEactivo->isVisible());
            QCOMPARE(m->focusWidget(), m->DBEdescorta);
            TYPE(m, "DBEdescorta", "Dos, corregido");
            QTest::keyClick(m->DBEdescorta, Qt::Key_Tab);
            QCOMPARE(m->focusWidget(), m->DBMemo2);
            TYPE(m, "DBMemo2", "Nuevas actividades");
            picture("modificando");
            // Leaving the row writes what was typed in it.
            clickRow(1);
            QCOMPARE(stored("select proy_descorta || '|' || proy_descripcion from t_prodaccion "
                            "where id_proyecto = 2"),
                     QStringLiteral("Dos, corregido|Nuevas actividades"));
            QCOMPARE(m->DBGmuestra->cellText(0, "proy_descorta"), QStringLiteral("Dos, corregido"));
            TYPE(m, "DBMemo1", "Indicador nuevo");
            CLICK(m, "BTNmodifi");
            QCOMPARE(messages->texts(), QStringList({"Registro modificado"}));
            QVERIFY(!m->modificando() && m->DBEdescorta->isReadOnly() && m->DBMemo1->isReadOnly());
            QCOMPARE(m->BTNmodifi->text(), QStringLiteral("M&odificar"));
        });
        QCOMPARE(stored("select proy_descorta || proy_resultado from t_prodaccion where "
                        "id_proyecto = 1"),
                 QStringLiteral("UnoIndicador nuevo"));
    }

    void leavingActivoReactivatesTheUnitsHeaders() {
        header("V01D01U01", 1, "Uno");
        header("V01D01U01", 2, "Dos", "N");
        header("V01D01U01", 3, "Tres", "X");
        header("V01D01U01", 4, "Pasado", "N", "2007");
        browse("planifica", "ProgramasResultados2", [&] {
            TFRMmuestra* m = w();
            QCOMPARE(m->Qprodacc->rowCount(), 1);
            CLICK(m, "BTNmodifi");
            QCOMPARE(m->DBEactivo->maxLength(), 1);
            TYPE(m, "DBEactivo", "N");
            CLICK(m, "DBEdescorta"); // leaves the box
            QCOMPARE(count("t_prodaccion where proy_ok = 'S'"), qint64(3));
            QVERIFY(!m->BTNcancela->isEnabled());
            CLICK(m, "BTNmodifi");
            QCOMPARE(m->Qprodacc->rowCount(), 2); // the header typed "N" left the list
        });
        QCOMPARE(stored("select id_proyecto from t_prodaccion where proy_ok = 'N' order by 1"),
                 QStringLiteral("1"));
        QCOMPARE(count("t_prodaccion where proy_ok = 'N'"), qint64(2)); // and 2007's
    }

    void agregarDatosPreparesTheEntryWindowAndOpensItWhenAdding() {
        header("V01D01U01", 1, "Con fechas");
        header("V01D01U01", 2, "Sin fechas");
        product(1, "2008", "2008-03-05", "2008-11-20");
        product(2, "2007", "2007-02-01", "2007-06-30");
        TFRMingresoMN* e = program->app().FRMingresoMN();
        QList<QStringList> seen;
        for (int i = 0; i < 2; ++i)
            windows->whenShown("FRMingresoMN", [&](Form&) {
                seen.append({e->LBLcodigo->text(), e->LBLproy->text(), e->EDIproyecto->text(),
                             e->MEMresultado->toPlainText(), e->EDIunidad->text(),
                             e->LBLdireccion->text(), e->EDIunieje->text(),
                             e->DTPdesde->date().toString(Qt::ISODate),
                             e->DTPhasta->date().toString(Qt::ISODate)});
                QVERIFY(e->BTNagrega->isEnabled() && !e->BTNcancela->isEnabled());
                QVERIFY(!e->Edit3->isEnabled() && !e->EDIunieje->isVisible());
            });
        browse("Admin", "Datosiniciales2", [&] {
            QVERIFY(chooseUnit());
            clickRow(1);
            CLICK(w(), "BTNmetas");
            clickRow(0);
            CLICK(w(), "BTNmetas");
        });
        QCOMPARE(seen.size(), 2);
        QCOMPARE(seen[0], QStringList({"V01D01U01", "1", "Con fechas", "Indicadores de Con fechas",
                                       "Unidad de Planificación Rural", "Dirección", "PDR",
                                       "2008-03-05", "2008-11-20"}));
        // Another year's product of that number is another product: the year's bounds.
        QCOMPARE(seen[1].mid(7), QStringList({"2008-01-01", "2008-12-31"}));

        // Modifying prepares the window without showing it.
        windows->clear();
        e->LBLproy->clear();
        browse("planifica", "ProgramasResultados2", [&] {
            clickRow(0);
            CLICK(w(), "BTNmetas");
        });
        QCOMPARE(windows->shown(), QStringList({"FRMmenpri", "FRMmuestra"}));
        QCOMPARE(e->LBLproy->text(), QStringLiteral("2"));
        QVERIFY(messages->errors().isEmpty());
    }

    void anEntitysActionsOpenTheInformationSheetAndTheBudget() {
        header("E01C01U01", 3, "Titulación");
        header("E01C01U01", 5, "Catastro");
        exec("insert into p_responsable (cod_unidad, cod_producto, gestion, correlativo, "
             "cod_responsable, responsable, ok) values ('E01C01U01', 5, '2008', 1, '0004', 'N', "
             "'S')");
        TFRMverpro* sheet = program->app().FRMverpro();
        TFRMpptoavance* budget = program->app().FRMpptoavance();
        // The sheet reads its header and lists for the action it was handed.
        windows->whenShown("FRMverpro", [&](Form&) {
            QCOMPARE(sheet->EDIvicemin->text() + "|" + sheet->EDIdirecc->text(),
                     QStringLiteral("Instituto Nacional de Reforma Agraria|Saneamiento y "
                                    "titulación"));
            QCOMPARE(sheet->MEMresultado->toPlainText(), QStringLiteral("Indicadores de Catastro"));
            QCOMPARE(sheet->DBGrid2->model()->rowCount(), 1);
            QCOMPARE(sheet->DBGrid2->cellText(0, "res_nombre"),
                     QStringLiteral("Luis Gutiérrez Rojas"));
            QCOMPARE(sheet->DBGrid3->model()->rowCount(), 0);
        });
        browse("entidad", "ProgramasResultados2", [&] {
            TFRMmuestra* m = w();
            QCOMPARE(m->windowTitle(), QStringLiteral("Seguimiento a entidades desconcentradas"));
            QCOMPARE(m->LBLvicemin->text(), QStringLiteral("Entidad desconcentrada"));
            QCOMPARE(m->LBLnomindi1->text(), QStringLiteral("Indicadores"));
            QCOMPARE(gridTitle(), QStringLiteral("Acción Terrirorial"));
            QVERIFY(m->DBEprograma->isVisible());
            QCOMPARE(m->DBEprograma->text(), QStringLiteral("E01C01"));
            picture("entidad");
            // No row was clicked: the sheet gets the header the grid shows selected.
            CLICK(m, "BTNmuestra");
            CLICK(m, "BTNppto");
        });
        QCOMPARE(windows->shown().mid(2), QStringList({"FRMverpro", "FRMpptoavance"}));
        QCOMPARE(sheet->LBLcodigo->text() + "/" + sheet->LBLproy->text(),
                 QStringLiteral("E01C01U01/5"));
        QCOMPARE(sheet->EDIproyecto->text(), QStringLiteral("Catastro"));
        QCOMPARE(sheet->EDIunidad->text(), QStringLiteral("Unidad de Saneamiento Cochabamba"));
        QCOMPARE(budget->LBLprod->text(), QStringLiteral("5"));
        QCOMPARE(budget->MEMresultado->toPlainText(), QStringLiteral("Indicadores de Catastro"));
    }

    void salirClosesTheSharedTablesAndDropsAnUnsavedHeader() {
        browse("Admin", "Datosiniciales2", [&] {
            QVERIFY(chooseUnit());
            CLICK(w(), "BTNagreprod");
            TYPE(w(), "DBEdit1", "Sin grabar");
            CLICK(w(), "BTNsalir");
            QVERIFY(!w()->isVisible());
        });
        for (Table* t :
             {dtm()->ADOTproducto, dtm()->ADOTvicemin, dtm()->ADOTdirecc, dtm()->ADOTmuni})
            QVERIFY2(!t->isOpen(), qPrintable(t->objectName()));
        dtm()->ADOTprodacc->refresh(); // a later use of the shared table writes nothing
        QCOMPARE(count("t_prodaccion"), qint64(0));
    }

    void theTextViewerShowsTheCallersTextForReading() {
        TFRMverproducto* v = program->app().FRMverproducto();
        QCOMPARE(v->windowTitle(), QStringLiteral("Actividades del producto"));
        v->MEMproducto->setPlainText("Capacitación a productores");
        v->show();
        QVERIFY(QTest::qWaitForWindowExposed(v));
        const QPoint middle = v->screen()->availableGeometry().center();
        QVERIFY((v->frameGeometry().center() - middle).manhattanLength() <= 2);
        QTest::keyClicks(v->MEMproducto, "xyz");
        QCOMPARE(v->MEMproducto->toPlainText(), QStringLiteral("Capacitación a productores"));
    }
};

MONITOREO_GUI_TEST_MAIN(new TestMuestra)
#include "tst_muestra.moc"
