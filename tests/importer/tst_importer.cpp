#include "app/application.h"
#include "core/money.h"
#include "fixture/controls.h"
#include "fixture/guimain.h"
#include "fixture/jet/storecsv.h"
#include "fixture/plandata.h"
#include "fixture/programtest.h"
#include "fixture/uiscript.h"
#include "importer/frmimporta.h"
#include "reports/frmavaunidad.h"
#include "store/query.h"
#include "store/schema.h"
#include "ui/dbgrid.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

// An office's old database file, brought into the store from the menu and from the command
// line. The file is written by the tests' own Jet writer from a store of the test engine's
// kind filled as an office would have it.
class TestImporter : public ProgramTest {
    Q_OBJECT

    QTemporaryDir folder;

    // Every row of a table, each as its values' texts, sorted: what the import must give.
    static QStringList rowsOfTable(Connection* c, const TableDef& t) {
        Query q(c, QStringLiteral("select * from %1").arg(quotedName(t.name)));
        q.open();
        QStringList rows;
        for (int r = 0; r < q.rowCount(); ++r) {
            QStringList values;
            for (const ColumnDef& col : t.columns) {
                const QVariant v = q.valueAt(r, q.fieldIndex(col.name));
                if (v.isNull())
                    values.append(QString());
                else if (col.type == ColumnType::DateTime)
                    values.append(v.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
                else if (col.type == ColumnType::Money)
                    values.append(v.value<Money>().toStorageText());
                else if (col.type == ColumnType::Float)
                    values.append(QString::number(v.toDouble(), 'g', 15));
                else
                    values.append(v.toString());
            }
            rows.append(values.join(u','));
        }
        rows.sort();
        return rows;
    }

    // A store of an office: the installation's organisation and catalogues, plans of two
    // kinds with goals, reports and budgets, an account of its own; and the Jet file
    // written from it, with a table the system has not.
    QString office(TestDatabase& source) {
        addProduct(source, "V01D01U01", 1, "Riego en el Altiplano ñandú", 3);
        addProduct(source, "E01C01U01", 1, "Caminos vecinales", 2);
        source.exec(QStringLiteral(
                        "insert into t_avancepor (cod_area, id_producto, gestion, cod_hito, "
                        "correla, fecha_avance, por_avance, usuario, descr) values ('V01D01U01', "
                        "1, '2008', 1, 1, '2008-03-05 10:20:30', 20, 'ana', '%1')")
                        .arg(QString(3000, u'á') + QStringLiteral(" 每月进度报告")));
        source.exec("insert into t_flujofondos (cod_area, id_producto, gestion, activo, "
                    "correlativo, flu_enero, flu_porene, flu_febrero) values ('E01C01U01', 1, "
                    "'2008', 'S', 1, '1234.5678', 50, '-0.0001')");
        source.exec("insert into t_usuario (cod_usuario, usuario, tipo, gestion, contra, unidad, "
                    "entidad, activo, nivel) values ('2', 'ana', '1', '2008', 'Clave', "
                    "'V01D01U01', 'MN', 'SI', 3)");
        auto c = source.connect();
        // Every other table gets a row of the second year, every column filled.
        for (const TableDef& t : schemaTables()) {
            if (t.name == QLatin1String("t_avanceresumen"))
                continue;
            Query any(c.get(),
                      QStringLiteral("select count(*) as n from %1").arg(quotedName(t.name)));
            any.open();
            if (any.integer("n") > 0)
                continue;
            QStringList names, marks;
            QVariantList values;
            for (const ColumnDef& col : t.columns) {
                names.append(quotedName(col.name));
                marks.append(QStringLiteral("?"));
                switch (col.type) {
                case ColumnType::Text:
                    values.append(col.name.endsWith(QLatin1String("gestion"))
                                      ? QStringLiteral("2009")
                                      : QStringLiteral("Ñandú, \"x\" ").left(col.size));
                    break;
                case ColumnType::Memo:
                    values.append(QString(5000, u'é') + QStringLiteral("\nfin"));
                    break;
                case ColumnType::Integer:
                    values.append(7);
                    break;
                case ColumnType::Float:
                    values.append(2.5);
                    break;
                case ColumnType::DateTime:
                    values.append(QDateTime(QDate(2009, 6, 30), QTime(8, 15, 0)));
                    break;
                case ColumnType::Money:
                    values.append(QVariant::fromValue(Money::parse(QStringLiteral("-12,3456"))));
                    break;
                }
            }
            Query insert(c.get(), QStringLiteral("insert into %1 (%2) values (%3)")
                                      .arg(quotedName(t.name), names.join(QStringLiteral(", ")),
                                           marks.join(QStringLiteral(", "))));
            insert.setParams(values);
            insert.exec();
        }
        QStringList files = writeStoreAsJetCsv(*c, folder.path());
        const QString extra = folder.filePath(QStringLiteral("t_notas.csv"));
        QFile f(extra);
        if (!f.open(QIODevice::WriteOnly))
            return {};
        f.write("nota:text(20)\nvieja\n");
        f.close();
        files.append(extra);
        const QString out = folder.filePath(QStringLiteral("QUV.mdb"));
        QProcess writer;
        writer.start(QStringLiteral("python3"),
                     QStringList{QStringLiteral(JET_WRITER), out} + files);
        if (!writer.waitForFinished(120000) || writer.exitCode() != 0) {
            qWarning("%s", writer.readAllStandardError().constData());
            return {};
        }
        return out;
    }

    // Runs the import window on a file; `during` acts while it runs.
    void importThroughTheWindow(const QString& file, const std::function<void()>& during = {}) {
        windows->whenShown("FRMmenpri", [](Form& menu) { TRIGGER(&menu, "Importar1"); });
        windows->whenShown("FRMimporta", [&](Form& w) {
            TYPE(&w, "EDIarchivo", file);
            if (during)
                QTimer::singleShot(0, &w, during);
            CLICK(&w, "BTNimporta");
        });
        program->login("Admin", "qampo");
    }

    int plans() const { return program->db().scalar("select count(*) from t_hito").toInt(); }

private slots:
    void anOfficeFileImportsWholeAndWorks() {
        TestDatabase source;
        const QString file = office(source);
        QVERIFY(!file.isEmpty());
        importThroughTheWindow(file);
        QCOMPARE(messages->errors(), QStringList());
        QVERIFY(messages->texts().last().startsWith(QStringLiteral("Importación terminada")));
        const QListWidget* list = program->app().FRMimporta()->LSTresultado;
        QVERIFY(!list->findItems(QStringLiteral("tabla t_notas"), Qt::MatchContains).isEmpty());
        QVERIFY(!list->findItems(QStringLiteral("Gestiones del archivo: 2006, 2007, 2008, 2009"),
                                 Qt::MatchExactly)
                     .isEmpty());
        // Every table as the office had it, row by row, numbers and passwords kept.
        auto from = source.connect();
        auto to = program->db().connect();
        for (const TableDef& t : schemaTables())
            QCOMPARE(rowsOfTable(to.get(), t), rowsOfTable(from.get(), t));
        // And as mdbtools reads the file: as many rows.
        QProcess exported;
        exported.start(QStringLiteral("mdb-export"), {file, QStringLiteral("t_hito")});
        QVERIFY(exported.waitForFinished(30000));
        QCOMPARE(exported.readAllStandardOutput().count('\n') - 1, qsizetype(plans()));

        // The imported account logs in with its password, in another case too.
        bool in = false;
        windows->whenShown("FRMmenpri", [&](Form&) {
            in = program->app().session().loginName() == QLatin1String("ana");
        });
        program->login("ana", "CLAVE");
        QVERIFY(in);

        // The report by unit lists the imported product with its band.
        bool listed = false;
        windows->whenShown("FRMmenpri", [](Form& menu) { TRIGGER(&menu, "Ministerio1"); });
        windows->whenShown("FRMavaunidad", [&](Form& f) {
            auto& report = static_cast<TFRMavaunidad&>(f);
            for (int r = 0; r < report.Qavaunidad->rowCount(); ++r)
                if (report.DBGrid1->cellText(r, "proy_descorta") ==
                    QStringLiteral("Riego en el Altiplano ñandú"))
                    listed = report.DBGrid1->cellColours(r, "ejemplo").background.has_value();
        });
        program->login("Admin", "qampo");
        QVERIFY(listed);

        // A second import of the same file, from the command line, is refused: nothing
        // doubles.
        QProcess again;
        again.start(QStringLiteral(IMPORT_COMMAND), {file, program->db().connectionText()});
        QVERIFY(again.waitForFinished(60000));
        QCOMPARE(again.exitCode(), 1);
        QVERIFY2(again.readAllStandardError().contains("2008"), "the years are named");
        QCOMPARE(rowsOfTable(to.get(), *findTable("t_hito")),
                 rowsOfTable(from.get(), *findTable("t_hito")));
    }

    void whatCannotBeImportedWritesNothing() {
        TestDatabase source;
        const QString file = office(source);
        QVERIFY(!file.isEmpty());
        const QString notJet = folder.filePath("texto.mdb");
        QFile text(notJet);
        QVERIFY(text.open(QIODevice::WriteOnly));
        text.write(QByteArray("no es una base\n").repeated(500));
        text.close();
        const QString damaged = folder.filePath("rota.mdb");
        QVERIFY(QFile::copy(file, damaged));
        QFile broken(damaged);
        QVERIFY(broken.open(QIODevice::ReadWrite));
        broken.resize(broken.size() / 3);
        broken.close();
        // A value longer than its column holds.
        const QString units = folder.filePath("t_unidad.csv");
        QFile csv(units);
        QVERIFY(csv.open(QIODevice::WriteOnly));
        csv.write(
            "cod_unidad:text(12),uni_gestion:text(4),uni_sigla:text(10)\nX01,2030,LARGUISIMO\n");
        csv.close();
        const QString tooLong = folder.filePath("larga.mdb");
        QProcess writer;
        writer.start(QStringLiteral("python3"), {QStringLiteral(JET_WRITER), tooLong, units});
        QVERIFY(writer.waitForFinished(60000) && writer.exitCode() == 0);

        const QStringList before =
            rowsOfTable(program->db().connect().get(), *findTable("t_unidad"));
        for (const QString& f : {notJet, damaged, tooLong}) {
            messages->clear();
            importThroughTheWindow(f);
            QCOMPARE(messages->errors().size(), 1);
        }
        QVERIFY2(
            messages->errors().first().startsWith(QStringLiteral(
                "Tabla t_unidad, fila X01 / 2030, columna uni_sigla: el valor \"LARGUISIMO\"")),
            qPrintable(messages->errors().first()));
        // Cancelled while it runs.
        messages->clear();
        importThroughTheWindow(file, [this] {
            QTest::mouseClick(program->app().FRMimporta()->BTNcancela, Qt::LeftButton);
        });
        QCOMPARE(messages->errors(),
                 QStringList({QStringLiteral("Importación cancelada: no se escribió nada")}));
        QCOMPARE(plans(), 0);
        QCOMPARE(rowsOfTable(program->db().connect().get(), *findTable("t_unidad")), before);
    }
};

MONITOREO_GUI_TEST_MAIN(new TestImporter)
#include "tst_importer.moc"
