#include "admin/frmcatalogo.h"
#include "admin/frmgestion.h"
#include "app/application.h"
#include "fixture/controls.h"
#include "fixture/guimain.h"
#include "fixture/programtest.h"
#include "fixture/uiscript.h"
#include "plan/frmmuestra.h"
#include "session/frmmenu.h"
#include "store/connection.h"
#include "ui/dbgrid.h"
#include "ui/dblookup.h"
#include "ui/progress.h"

#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// The office's own years and catalogues, kept by the administrator from the main menu.
class TestAdmin : public ProgramTest {
    Q_OBJECT

    QTemporaryDir folder;

    // Logs in as the administrator of `year` and runs `script` in the window `item` opens.
    void administer(const QString& item, const QString& window,
                    const std::function<void(Form&)>& script, const QString& year = "2009") {
        bool ran = false;
        windows->whenShown("FRMmenpri", [&](Form& menu) { TRIGGER(&menu, item); });
        windows->whenShown(window, [&](Form& f) {
            script(f);
            ran = true;
        });
        program->login("Admin", "qampo", year);
        QVERIFY(ran);
    }

    // Every row of a table, in a fixed order.
    QStringList table(const QString& name, const QString& order) const {
        return program->db().rows(QStringLiteral("select * from %1 order by %2").arg(name, order));
    }
    int count(const QString& sql) const { return program->db().scalar(sql).toInt(); }

    QString write(const QString& name, const QByteArray& bytes) {
        const QString path = folder.filePath(name);
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
            return {};
        return path;
    }

private slots:
    void openingAYearCopiesTheOrganisationAndAccountsAndItLogsIn() {
        const int units = count("select count(*) from t_unidad where uni_gestion = '2009'");
        const int accounts = count("select count(*) from t_usuario where gestion = '2009'");
        QVERIFY(units > 0 && accounts > 0);
        administer("Abrirgestion1", "FRMgestion", [&](Form& f) {
            auto& g = static_cast<TFRMgestion&>(f);
            QCOMPARE(g.windowTitle(), QStringLiteral("Abrir gestión"));
            QCOMPARE(g.LBLnumero->text(), QStringLiteral("61"));
            QCOMPARE(g.CBXorigen->count(), 4);
            QCOMPARE(g.CBXorigen->currentText(), QStringLiteral("2009"));
            QCOMPARE(g.EDIgestion->text(), QStringLiteral("2010"));
            QVERIFY(g.CHBcuentas->isChecked());
            QVERIFY(QDir().mkpath(QStringLiteral("screens")));
            g.grab().save(QStringLiteral("screens/FRMgestion.png"));
            TYPE(&g, "EDIgestion", QStringLiteral("2027"));
            CLICK(&g, "BTNabrir");
            QCOMPARE(messages->texts(),
                     QStringList(QStringLiteral("Gestión 2027 abierta: %1 unidades, %2 cuentas")
                                     .arg(units)
                                     .arg(accounts)));
            QCOMPARE(g.CBXorigen->itemText(g.CBXorigen->count() - 1), QStringLiteral("2027"));
        });
        // The same rows, the year aside; the accounts keep numbers and passwords.
        for (const auto& [t, year, order] :
             {std::tuple<QString, QString, QString>{"t_vicemin", "vicmin_gestion", "cod_vicemin"},
              {"t_direccion", "dir_gestion", "cod_direc"},
              {"t_unidad", "uni_gestion", "cod_unidad"},
              {"t_usuario", "gestion", "cod_usuario, usuario"}}) {
            QStringList was =
                program->db().rows(QStringLiteral("select * from %1 where %2 = '2009' order by %3")
                                       .arg(t, year, order));
            was.replaceInStrings(QStringLiteral(" 2009 "), QStringLiteral(" 2027 "));
            QCOMPARE(
                program->db().rows(QStringLiteral("select * from %1 where %2 = '2027' order by %3")
                                       .arg(t, year, order)),
                was);
        }
        QCOMPARE(count("select count(*) from t_prodaccion where uni_gestion = '2027'"), 0);

        // Back at the login the year is offered; Admin works in it with the units of 2009.
        TFRMmenu* l = program->app().FRMmenu();
        QCOMPARE(l->EDIgestion->findText(QStringLiteral("2027")), 4);
        QCOMPARE(l->EDIgestion->count(), 5);
        bool shown = false;
        windows->whenShown("FRMmenpri", [](Form& menu) { TRIGGER(&menu, "Datosiniciales2"); });
        windows->whenShown("FRMmuestra", [&](Form&) {
            QCOMPARE(program->app().session().year(), QStringLiteral("2027"));
            QCOMPARE(program->app().session().unitName(),
                     QStringLiteral("Unidad de Planificación Rural"));
            QVERIFY(program->app().FRMmuestra()->DBLvicemin->count() > 0);
            shown = true;
        });
        program->login("Admin", "qampo", "2027");
        QVERIFY(shown);
    }

    void theLoginListsTheYearsOfAnEmbeddedStoreBeforeAnyLogin() {
        if (program->db().engine() != Engine::SQLite)
            QSKIP("a server is reached at the first login only");
        program->addAccount("ana", "x", "3", "2031");
        TFRMmenu* l = program->app().FRMmenu();
        l->EDIgestion->setCurrentText(QStringLiteral("2012"));
        l->activate();
        QCOMPARE(l->EDIgestion->count(), 5);
        QCOMPARE(l->EDIgestion->itemText(4), QStringLiteral("2031"));
        QCOMPARE(l->EDIgestion->currentText(), QStringLiteral("2012"));
        QVERIFY(!l->ADOquv->isOpen());
    }

    void aYearThatCannotBeOpenedIsRefusedWritingNothing() {
        program->addAccount("ana", "x", "3", "2031");
        const QStringList units = table("t_unidad", "uni_gestion, cod_unidad");
        const QStringList accounts = program->db().rows(
            "select gestion, cod_usuario, usuario from t_usuario order by 1, 2, 3");
        administer("Abrirgestion1", "FRMgestion", [&](Form& f) {
            for (const QString year : {"27", "2009", "2008", "2031"}) {
                messages->clear();
                TYPE(&f, "EDIgestion", year);
                CLICK(&f, "BTNabrir");
                QCOMPARE(messages->errors().size(), 1);
                QVERIFY2(messages->errors().first().contains(year), qPrintable(year));
            }
            // Without the accounts, a year holding only accounts is still refused.
            CLICK(&f, "CHBcuentas");
            messages->clear();
            CLICK(&f, "BTNabrir");
            QCOMPARE(messages->errors().size(), 1);
        });
        QCOMPARE(table("t_unidad", "uni_gestion, cod_unidad"), units);
        QCOMPARE(program->db().rows(
                     "select gestion, cod_usuario, usuario from t_usuario order by 1, 2, 3"),
                 accounts);
    }

    void aCopyOfTheStoreIsWholeAndOpensAndADamagedStoreIsToldAtLogin() {
        const QString path = folder.filePath("copia/QUV-hoy.db");
        QVERIFY(QDir().mkpath(folder.filePath("copia")));
        outputs->chooseNext(path);
        windows->whenShown("FRMmenpri", [&](Form& menu) {
            TRIGGER(&menu, "Copiaseguridad1");
            // Cancelled, it leaves nothing.
            Progress::cancelNext();
            outputs->chooseNext(folder.filePath("copia/otra.db"));
            TRIGGER(&menu, "Copiaseguridad1");
        });
        program->login("Admin", "qampo");
        QCOMPARE(messages->errors(), QStringList());
        if (program->db().engine() == Engine::PostgreSQL) {
            QCOMPARE(messages->texts().size(), 2);
            QVERIFY(messages->texts().first().contains(QStringLiteral("pg_dump")));
            QVERIFY(outputs->asked().isEmpty());
            return;
        }
        QCOMPARE(outputs->asked().first().suggested,
                 QStringLiteral("QUV-%1.db").arg(QDate::currentDate().toString("yyyy-MM-dd")));
        QVERIFY(
            messages->texts().first().startsWith(QStringLiteral("Copia de seguridad guardada")));
        QCOMPARE(messages->texts().last(),
                 QStringLiteral("Copia cancelada: no se escribió ningún archivo"));
        QCOMPARE(QDir(folder.filePath("copia")).entryList(QDir::Files),
                 QStringList({"QUV-hoy.db"}));

        // The copy opens as a store of its own, with the same rows.
        QVERIFY(QDir().mkpath(folder.filePath("abre/TAVRO")));
        QVERIFY(QFile::copy(path, folder.filePath("abre/TAVRO/QUV.db")));
        {
            Connection copy;
            copy.setServer(folder.filePath("abre"));
            copy.open();
            copy.checkIntegrity();
            QCOMPARE(rowsOf(&copy, "select * from t_unidad order by uni_gestion, cod_unidad"),
                     table("t_unidad", "uni_gestion, cod_unidad"));
        }

        // A damaged page, or a file that is no store at all, is told at the login.
        QFile damaged(path);
        QVERIFY(damaged.open(QIODevice::ReadWrite) && damaged.seek(3 * 4096));
        damaged.write(QByteArray(8192, '\xA5'));
        damaged.close();
        QVERIFY(QDir().mkpath(folder.filePath("rota/TAVRO")));
        QVERIFY(QFile::copy(path, folder.filePath("rota/TAVRO/QUV.db")));
        QVERIFY(QDir().mkpath(folder.filePath("texto/TAVRO")));
        write("texto/TAVRO/QUV.db", QByteArray("no es una base de datos\n").repeated(300));
        for (const QString name : {"rota", "texto"}) {
            messages->clear();
            program->app().FRMmenu()->EDIserv->setText(folder.filePath(name));
            program->login("Admin", "qampo");
            QCOMPARE(messages->errors().size(), 1);
            QVERIFY2(messages->errors().first().contains(QStringLiteral("está dañado")),
                     qPrintable(messages->errors().first()));
            QVERIFY(!program->app().FRMmenu()->ADOquv->isOpen());
        }
    }

    void aServerThatDropsTheSessionIsFoundAgainByTheNextAction() {
        if (program->db().engine() != Engine::PostgreSQL)
            QSKIP("a server's connection");
        const QString lost =
            QStringLiteral("Se perdió la conexión con el servidor; vuelva a intentar");
        const auto opened = [&] {
            return count("select count(*) from t_vicemin where vicmin_gestion = '2027'") +
                   count("select count(*) from t_unidad where uni_gestion = '2027'");
        };
        administer("Abrirgestion1", "FRMgestion", [&](Form& f) {
            // Between two actions the server ends the session: the next action opens it
            // again and works, with nothing to say.
            program->db().exec("select pg_terminate_backend(pid) from pg_stat_activity where "
                               "datname = current_database() and pid <> pg_backend_pid()");
            QTRY_COMPARE(count("select count(*) from pg_stat_activity where datname = "
                               "current_database() and pid <> pg_backend_pid()"),
                         0); // the session has ended
            TYPE(&f, "EDIgestion", QStringLiteral("2026"));
            CLICK(&f, "BTNabrir");
            QCOMPARE(messages->errors(), QStringList());
            QVERIFY(messages->texts().first().startsWith(QStringLiteral("Gestión 2026 abierta")));
            TYPE(&f, "EDIgestion", QStringLiteral("2027"));
            // In the middle of one: after the first rows of the year are written.
            program->db().exec(
                "create function corta() returns trigger language plpgsql as $$ begin perform "
                "pg_terminate_backend(pg_backend_pid()); return new; end $$");
            program->db().exec("create trigger corta before insert on t_unidad for each "
                               "statement execute function corta()");
            messages->clear();
            CLICK(&f, "BTNabrir");
            QCOMPARE(messages->errors(), QStringList({lost}));
            QCOMPARE(opened(), 0);
            // The next action finds the server again, with nothing more to do.
            program->db().exec("drop trigger corta on t_unidad");
            messages->clear();
            CLICK(&f, "BTNabrir");
            QCOMPARE(messages->errors(), QStringList());
            QVERIFY(messages->texts().first().startsWith(QStringLiteral("Gestión 2027 abierta")));
            QVERIFY(opened() > 0);
        });
    }

    void aCatalogueExportedImportsBackAsItWas() {
        const QString path = folder.filePath("unidades.csv");
        const QStringList before = table("t_unidad", "uni_gestion, cod_unidad");
        const int nulls = count("select count(*) from t_unidad where uni_descorto is null");
        QVERIFY(nulls > 0);
        administer("Catalogos1", "FRMcatalogo", [&](Form& f) {
            auto& c = static_cast<TFRMcatalogo&>(f);
            QCOMPARE(c.CBXcatalogo->count(), 11);
            QCOMPARE(c.LBLnumero->text(), QStringLiteral("62"));
            CHOOSE(&c, "CBXcatalogo", QStringLiteral("Unidades"));
            QCOMPARE(c.DBGcatalogo->rowCount(), before.size());
            QVERIFY(QDir().mkpath(QStringLiteral("screens")));
            c.grab().save(QStringLiteral("screens/FRMcatalogo.png"));
            outputs->chooseNext(path);
            CLICK(&c, "BTNexporta");
            outputs->chooseNext(path);
            CLICK(&c, "BTNimporta");
            QCOMPARE(messages->errors(), QStringList());
            QVERIFY(messages->texts().last().startsWith(
                QStringLiteral("Unidades: %1 filas").arg(before.size())));
            QCOMPARE(c.DBGcatalogo->rowCount(), before.size());
        });
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY(f.readLine().startsWith("cod_min,cod_vicemin,cod_direc,cod_unidad,uni_gestion"));
        QCOMPARE(table("t_unidad", "uni_gestion, cod_unidad"), before);
        // An empty field is a null value again, not an empty text.
        QCOMPARE(count("select count(*) from t_unidad where uni_descorto is null"), nulls);
    }

    void aSpreadsheetFileImportsAndABadLineOrAUsedRowChangesNothing() {
        const QString saved =
            write("indicadores.csv", "\xEF\xBB\xBF"
                                     "cod_indicador;ind_nombre;ind_descripcion\r\n"
                                     "1;Familias;\"Familias; beneficiadas\"\r\n"
                                     "2;Hectáreas;Superficie\r\n");
        const QString badLine = write("malo.csv", "cod_indicador,ind_nombre\n"
                                                  "5,Uno\n"
                                                  "6,Un nombre demasiado largo\n");
        const QString repeated = write("repetido.csv", "cod_indicador,ind_nombre\n5,A\n5,B\n");
        const QString withoutUnit = write("unidades.csv", "cod_unidad,uni_gestion,uni_nombre,tipo\n"
                                                          "V01D01U02,2008,Otra,MN\n");
        program->db().exec("insert into t_prodaccion (cod_unidad, uni_gestion, id_proyecto) "
                           "values ('V01D01U01', '2008', 1)");
        const QStringList units = table("t_unidad", "uni_gestion, cod_unidad");
        administer("Catalogos1", "FRMcatalogo", [&](Form& c) {
            CHOOSE(&c, "CBXcatalogo", QStringLiteral("Indicadores"));
            outputs->chooseNext(saved);
            CLICK(&c, "BTNimporta");
            QCOMPARE(messages->errors(), QStringList());
            for (const auto& [file, says] :
                 {std::pair<QString, QString>{badLine, "malo.csv, línea 3: columna 2 (ind_nombre)"},
                  {repeated, "repetido.csv, línea 3: la clave 5 ya está en la línea 2"}}) {
                messages->clear();
                outputs->chooseNext(file);
                CLICK(&c, "BTNimporta");
                QCOMPARE(messages->errors().size(), 1);
                QVERIFY2(messages->errors().first().startsWith(says),
                         qPrintable(messages->errors().first()));
            }
            CHOOSE(&c, "CBXcatalogo", QStringLiteral("Unidades"));
            messages->clear();
            outputs->chooseNext(withoutUnit);
            CLICK(&c, "BTNimporta");
            QCOMPARE(messages->errors().size(), 1);
            QVERIFY2(messages->errors().first().contains(QStringLiteral("V01D01U01 / 2008")),
                     qPrintable(messages->errors().first()));
        });
        QCOMPARE(table("t_indicador", "cod_indicador"),
                 QStringList({"1 Familias Familias; beneficiadas", "2 Hectáreas Superficie"}));
        QCOMPARE(table("t_unidad", "uni_gestion, cod_unidad"), units);
    }
};

MONITOREO_GUI_TEST_MAIN(new TestAdmin)
#include "tst_admin.moc"
