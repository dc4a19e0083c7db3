#include "budget/frmpptoavance.h"
#include "core/datetext.h"
#include "core/today.h"
#include "fixture/controls.h"
#include "fixture/guimain.h"
#include "fixture/programtest.h"
#include "fixture/uiscript.h"
#include "plan/frmmuestra.h"
#include "store/query.h"
#include "ui/dbgrid.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QTest>

// The budget execution entry as the register browser opens it for an entity's user.
class TestPptoavance : public ProgramTest {
    Q_OBJECT

    using Script = std::function<void(TFRMpptoavance&)>;
    int m_ran = 0;

    TFRMmuestra* browser() { return program->app().FRMmuestra(); }
    void exec(const QString& sql) { program->db().exec(sql); }

    void header(int n, const QString& name) {
        exec(QStringLiteral("insert into t_prodaccion (cod_unidad, uni_gestion, id_proyecto, "
                            "proy_descorta, proy_descripcion, proy_resultado, proy_ok) values "
                            "('E01C01U01', '2008', %1, '%2', 'Actividades de %2', 'Indicadores "
                            "de %2', 'S')")
                 .arg(QString::number(n), name));
    }
    // A current cash flow of action n with the same amount every month.
    void flow(int n, const QString& monthly) {
        QString columns;
        QString values;
        for (const char* m : {"enero", "febrero", "marzo", "abril", "mayo", "junio", "julio",
                              "agosto", "septiembre", "octubre", "noviembre", "diciembre"}) {
            columns += QStringLiteral(", flu_") + QString::fromLatin1(m);
            values += QStringLiteral(", ") + monthly;
        }
        exec(QStringLiteral("insert into t_flujofondos (cod_area, id_producto, gestion, activo, "
                            "correlativo%1) values ('E01C01U01', %2, '2008', 'S', 1%3)")
                 .arg(columns, QString::number(n), values));
    }
    // "correlativo activo month-amounts user day" of action n's reports, in number order;
    // only the months with an amount are listed, as "month:amount".
    QStringList reports(int n = 5) {
        auto c = program->db().connect();
        Query q(c.get(), QStringLiteral("select * from t_avanceflujo where cod_area = "
                                        "'E01C01U01' and id_producto = ? and gestion = '2008' "
                                        "order by correlativo"));
        q.setParams({n});
        QStringList rows;
        for (q.open(); !q.eof(); q.next()) {
            QString row =
                QStringLiteral("%1 %2").arg(q.integer("correlativo")).arg(q.text("activo"));
            const char* const months[] = {"enero",      "febrero", "marzo",     "abril",
                                          "mayo",       "junio",   "julio",     "agosto",
                                          "septiembre", "octubre", "noviembre", "diciembre"};
            for (int m = 0; m < 12; ++m) {
                const QString amount = q.text(QStringLiteral("ava_") + QLatin1String(months[m]));
                if (amount != QLatin1String("0"))
                    row += QStringLiteral(" %1:%2").arg(m + 1).arg(amount);
            }
            row += u' ' + q.text("usuario") + u' ' + q.text("ava_fecact");
            rows.append(row);
        }
        return rows;
    }

    // Logs in as the entity's user and lists the actions in the browser; `script` chooses a
    // row and presses "Presupuesto" as often as it likes (see press()).
    void browse(const std::function<void()>& script) {
        m_ran = 0;
        windows->whenShown(QStringLiteral("FRMmenpri"),
                           [](Form& menu) { TRIGGER(&menu, "ProgramasResultados2"); });
        windows->whenShown(QStringLiteral("FRMmuestra"), [&](Form& b) {
            b.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&b));
            script();
        });
        program->login(QStringLiteral("entidad"), QStringLiteral("clave"));
    }
    // Selects the browser's row of action `number` and presses "Presupuesto"; `script` runs
    // on the execution window it opens.
    void press(int number, const Script& script) {
        DBGrid* grid = browser()->DBGmuestra;
        const Query* rows = browser()->Qprodacc;
        for (int r = 0; r < rows->rowCount(); ++r)
            if (rows->valueAt(r, rows->fieldIndex("id_proyecto")).toLongLong() == number) {
                const QModelIndex cell = grid->cellIndex(r, QStringLiteral("proy_descorta"));
                QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                                  grid->visualRect(cell).center());
            }
        QCOMPARE(browser()->LBLprod->text(), QString::number(number));
        windows->whenShown(QStringLiteral("FRMpptoavance"), [this, script](Form& w) {
            w.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&w));
            script(static_cast<TFRMpptoavance&>(w));
            ++m_ran;
        });
        CLICK(browser(), "BTNppto");
    }

    // A grid row as "number month programmed executed".
    static QString gridRow(const TFRMpptoavance& w, int row) {
        QStringList cells;
        for (int c = 0; c < 4; ++c)
            cells.append(w.celda(row, c));
        return cells.join(u' ');
    }
    static bool emptyFigures(const TFRMpptoavance& w) {
        for (int r = 1; r < 14; ++r)
            if (gridRow(w, r) != QLatin1String("   "))
                return false;
        return w.EDIfecact->text().isEmpty() && w.EDIejepor->text().isEmpty() &&
               w.EDIejebs->text().isEmpty();
    }
    static bool entering(const TFRMpptoavance& w) {
        return !w.BTNagrega->isEnabled() && w.BTNgraba->isEnabled() && w.BTNmuestra->isEnabled() &&
               w.BTNcancela->isEnabled();
    }
    static bool notEntering(const TFRMpptoavance& w) {
        return w.BTNagrega->isEnabled() && !w.BTNgraba->isEnabled() && !w.BTNmuestra->isEnabled() &&
               !w.BTNcancela->isEnabled();
    }
    static void chooseMonth(TFRMpptoavance& w, const QString& month) {
        w.CBXmes->setCurrentIndex(w.CBXmes->findText(month));
        QCOMPARE(w.CBXmes->currentText(), month);
    }

private slots:
    void init() {
        ProgramTest::init();
        fixToday(QDate(2008, 4, 2));
        program->addAccount("entidad", "clave", "4", "2008", "E01C01U01", "EX");
        header(3, QStringLiteral("Titulación"));
        header(5, QStringLiteral("Catastro"));
        header(7, QStringLiteral("Riego"));
    }
    void cleanup() {
        fixToday(QDate());
        ProgramTest::cleanup();
    }

    void aReportShowsOnTheNextOpeningAndTheNextReplacesIt() {
        flow(5, QStringLiteral("1000"));
        browse([&] {
            press(5, [&](TFRMpptoavance& w) {
                // What the browser hands over.
                QCOMPARE(w.LBLcodigo->text() + u'/' + w.LBLprod->text(),
                         QStringLiteral("E01C01U01/5"));
                QCOMPARE(w.EDIproyecto->text(), QStringLiteral("Catastro"));
                QCOMPARE(w.MEMresultado->toPlainText(), QStringLiteral("Indicadores de Catastro"));
                QCOMPARE(w.EDIunidad->text(), QStringLiteral("Unidad de Saneamiento Cochabamba"));
                QVERIFY(!w.EDIvicemin->text().isEmpty() && !w.EDIdirecc->text().isEmpty());
                QCOMPARE(w.LBLnumero->text(), QStringLiteral("24"));
                QCOMPARE(
                    QStringList({w.LBLvicemin->text(), w.LBLdirecc->text(), w.LBLunidad->text(),
                                 w.LBLproyecto->text(), w.LBLresultado->text()}),
                    QStringList({"Entidad externa", "Direccion", "Unidad", "Acción terriorial",
                                 "Indicadores"}));
                QCOMPARE(w.STGmes->rowCount(), 14);
                QCOMPARE(w.STGmes->columnCount(), 4);
                QCOMPARE(gridRow(w, 0), QStringLiteral("Núm. Mes Monto (Bs.) Ejecutado(Bs.)"));
                // A programme without a report shows nothing yet.
                QVERIFY(emptyFigures(w));
                QVERIFY(entering(w));
                QCOMPARE(w.CBXmes->currentText(), QStringLiteral("Enero"));
                QCOMPARE(w.CBXmes->count(), 12);
                chooseMonth(w, QStringLiteral("Marzo"));
                TYPE(&w, "EDImonto", "500");
                CLICK(&w, "BTNgraba");
                QVERIFY(notEntering(w));
                // Not shown until the window is opened again.
                QVERIFY(emptyFigures(w));
            });
            press(5, [&](TFRMpptoavance& w) {
                QVERIFY(entering(w));
                QCOMPARE(gridRow(w, 1), QStringLiteral("1 Enero 1000 0"));
                QCOMPARE(gridRow(w, 3), QStringLiteral("3 Marzo 1000 500"));
                QCOMPARE(gridRow(w, 12), QStringLiteral("12 Diciembre 1000 0"));
                QCOMPARE(gridRow(w, 13), QStringLiteral(" Total 12000 500"));
                QCOMPARE(w.EDIejepor->text(), QStringLiteral("4,1667"));
                QCOMPARE(w.EDIejebs->text(), QStringLiteral("500"));
                QCOMPARE(w.EDIfecact->text(), showDate(QDate(2008, 4, 2)));
                if (testEngine() == Engine::SQLite && QDir().mkpath(QStringLiteral("screens")))
                    QVERIFY(w.grab().save(QStringLiteral("screens/FRMpptoavance-avance.png")));
                fixToday(QDate(2008, 5, 6));
                chooseMonth(w, QStringLiteral("Abril"));
                TYPE(&w, "EDImonto", "300");
                CLICK(&w, "BTNgraba");
            });
            press(5, [&](TFRMpptoavance& w) {
                QCOMPARE(gridRow(w, 3), QStringLiteral("3 Marzo 1000 0"));
                QCOMPARE(gridRow(w, 4), QStringLiteral("4 Abril 1000 300"));
                QCOMPARE(gridRow(w, 13), QStringLiteral(" Total 12000 300"));
                QCOMPARE(w.EDIejepor->text(), QStringLiteral("2,5"));
                QCOMPARE(w.EDIfecact->text(), showDate(QDate(2008, 5, 6)));
                CLICK(&w, "BTNsalir");
                QVERIFY(!w.isVisible());
            });
        });
        QCOMPARE(m_ran, 3);
        QVERIFY(messages->texts().isEmpty());
        QCOMPARE(reports(),
                 QStringList({"1 N 3:500 entidad 02/04/2008", "2 S 4:300 entidad 06/05/2008"}));
    }

    void theAmountTakesDigitsOnly() {
        browse([&] {
            press(5, [&](TFRMpptoavance& w) {
                TYPE(&w, "EDImonto", "5a0,0.-9");
                QCOMPARE(w.EDImonto->text(), QStringLiteral("5009"));
            });
        });
        QCOMPARE(m_ran, 1);
    }

    void anEmptyAmountOrAnUnknownMonthChangesNothing() {
        flow(5, QStringLiteral("1000"));
        browse([&] {
            press(5, [&](TFRMpptoavance& w) {
                w.EDImonto->clear();
                CLICK(&w, "BTNgraba");
                QCOMPARE(messages->errors(), QStringList({"Ingrese el monto ejecutado"}));
                QVERIFY(entering(w));
                messages->clear();
                TYPE(&w, "CBXmes", "Marzito");
                TYPE(&w, "EDImonto", "500");
                CLICK(&w, "BTNgraba");
                QCOMPARE(messages->errors(),
                         QStringList({"\"Marzito\" no es un mes: elija el mes de informe de la "
                                      "lista"}));
                QVERIFY(entering(w));
                QVERIFY(reports().isEmpty());
                // The month typed whole is taken.
                TYPE(&w, "CBXmes", "Marzo");
                CLICK(&w, "BTNgraba");
                QVERIFY(notEntering(w));
            });
        });
        QCOMPARE(m_ran, 1);
        QCOMPARE(reports(), QStringList({"1 S 3:500 entidad 02/04/2008"}));
    }

    void theButtonsAlternate() {
        browse([&] {
            press(5, [&](TFRMpptoavance& w) {
                QVERIFY(entering(w));
                CLICK(&w, "BTNmuestra");
                QVERIFY(notEntering(w));
                CLICK(&w, "BTNagrega");
                QVERIFY(w.BTNgraba->isEnabled() && w.BTNmuestra->isEnabled() &&
                        w.BTNcancela->isEnabled());
                QCOMPARE(w.focusWidget(), w.CBXmes);
                CLICK(&w, "BTNcancela");
                QVERIFY(notEntering(w));
            });
            // Each opening starts entering again.
            press(5, [&](TFRMpptoavance& w) { QVERIFY(entering(w)); });
        });
        QCOMPARE(m_ran, 2);
        QVERIFY(reports().isEmpty());
    }

    void eachActionShowsOnlyItsOwnFigures() {
        flow(5, QStringLiteral("1000"));
        // Action 3 programmes nothing and has executed 250.
        flow(3, QStringLiteral("0"));
        browse([&] {
            press(5, [&](TFRMpptoavance& w) {
                chooseMonth(w, QStringLiteral("Enero"));
                TYPE(&w, "EDImonto", "100");
                CLICK(&w, "BTNgraba");
            });
            press(3, [&](TFRMpptoavance& w) {
                QVERIFY(emptyFigures(w));
                chooseMonth(w, QStringLiteral("Junio"));
                TYPE(&w, "EDImonto", "250");
                CLICK(&w, "BTNgraba");
            });
            press(5, [&](TFRMpptoavance& w) {
                QCOMPARE(gridRow(w, 13), QStringLiteral(" Total 12000 100"));
            });
            press(3, [&](TFRMpptoavance& w) {
                QCOMPARE(gridRow(w, 6), QStringLiteral("6 Junio 0 250"));
                QCOMPARE(gridRow(w, 13), QStringLiteral(" Total 0 250"));
                QCOMPARE(w.EDIejepor->text(), QStringLiteral("0"));
                QCOMPARE(w.EDIejebs->text(), QStringLiteral("250"));
            });
            // An action with no budget at all shows nothing of the one before.
            press(7, [&](TFRMpptoavance& w) {
                QCOMPARE(w.LBLprod->text(), QStringLiteral("7"));
                QVERIFY(emptyFigures(w));
                QCOMPARE(gridRow(w, 0), QStringLiteral("Núm. Mes Monto (Bs.) Ejecutado(Bs.)"));
            });
        });
        QCOMPARE(m_ran, 5);
        QCOMPARE(reports(3), QStringList({"1 S 6:250 entidad 02/04/2008"}));
        QCOMPARE(reports(5), QStringList({"1 S 1:100 entidad 02/04/2008"}));
    }
};

MONITOREO_GUI_TEST_MAIN(new TestPptoavance)
#include "tst_pptoavance.moc"
