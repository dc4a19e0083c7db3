#include "accounts/frmusuario.h"
#include "accounts/passwords.h"
#include "budget/frmfinanciero.h"
#include "budget/frmpptoavance.h"
#include "core/today.h"
#include "fixture/controls.h"
#include "fixture/guimain.h"
#include "fixture/programtest.h"
#include "fixture/uiscript.h"
#include "pickers/frmindica.h"
#include "plan/frmingresodatos1.h"
#include "plan/frmingresomn.h"
#include "plan/frmmuestra.h"
#include "plan/frmverpromn.h"
#include "plan/goalsheet.h"
#include "progress/frmavance.h"
#include "session/frmmenpri.h"
#include "session/frmmenu.h"
#include "store/query.h"
#include "store/schema.h"
#include "ui/datepicker.h"
#include "ui/dbedit.h"
#include "ui/dbgrid.h"
#include "ui/dblookup.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

namespace {

// Texts a person may type that mean something to SQL, to LIKE, to an escaping layer or to
// a text encoding, and one far longer than any column.
QList<std::pair<const char*, QString>> hostileTexts() {
    QString longText;
    while (longText.size() < 10000)
        longText += QStringLiteral("Ñandú O'Brien 50% _x_ \\ ; ");
    longText.truncate(10000);
    return {{"apostrophe", QStringLiteral("'")},
            {"apostrophe in a word", QStringLiteral("Reunión con O'Brien")},
            {"statement", QStringLiteral("'; drop table t_producto; --")},
            {"percent", QStringLiteral("%")},
            {"underscore", QStringLiteral("_")},
            {"backslash and quotes", QStringLiteral("C:\\temp\\ \"x\" \\'")},
            {"semicolons", QStringLiteral(";;; a; b;")},
            {"keywords", QStringLiteral("select * from t_usuario")},
            {"10000 characters", longText},
            {"Arabic", QStringLiteral("تقرير التقدم الشهري")},
            {"Chinese", QStringLiteral("每月进度报告")},
            {"Cyrillic", QStringLiteral("Ежемесячный отчёт")},
            {"emoji", QStringLiteral("Riego 🌱💧📈")},
            {"emoji at the end of a box", QString(49, u'a') + QStringLiteral("🌱")}};
}

QDate d(int month, int day) {
    return QDate(2008, month, day);
}

} // namespace

// Hostile texts typed into every box whose text reaches a statement: what is stored is
// what the box holds (at most as much as its column takes), or the text is refused with a
// message and nothing is written; no other row of any table changes.
class TestHostile : public ProgramTest {
    Q_OBJECT

    // Every row of every table, sorted, by table.
    using Snapshot = QMap<QString, QStringList>;
    Snapshot snapshot() const {
        auto c = program->db().connect();
        Snapshot s;
        for (const TableDef& t : schemaTables()) {
            // A login keeps a password held as typed as its hash: the same password.
            QStringList columns;
            for (const QString& name : t.columnNames())
                if (name != QLatin1String("contra"))
                    columns.append(quotedName(name));
            QStringList rows =
                rowsOf(c.get(), QStringLiteral("select %1 from %2")
                                    .arg(columns.join(QStringLiteral(", ")), t.name));
            rows.sort();
            s.insert(t.name, rows);
        }
        return s;
    }
    // The tables whose rows differ.
    static QStringList changed(const Snapshot& before, const Snapshot& after) {
        QStringList tables;
        for (auto it = before.cbegin(); it != before.cend(); ++it)
            if (after.value(it.key()) != it.value())
                tables.append(it.key());
        return tables;
    }
    // How many rows of `table` are new, and how many are gone.
    static std::pair<qsizetype, qsizetype> difference(const Snapshot& before, const Snapshot& after,
                                                      const QString& table) {
        QStringList added = after.value(table);
        QStringList gone;
        for (const QString& row : before.value(table))
            if (!added.removeOne(row))
                gone.append(row);
        return {added.size(), gone.size()};
    }

    // The columns of every row as stored, one row after the other, read with the values
    // bound.
    QStringList stored(const QString& sql, const QVariantList& params,
                       const QStringList& columns) const {
        auto c = program->db().connect();
        Query q(c.get(), sql);
        q.setParams(params);
        QStringList values;
        for (q.open(); !q.eof(); q.next())
            for (const QString& column : columns)
                values.append(q.text(column));
        return values;
    }

    static void texts() {
        QTest::addColumn<QString>("text");
        for (const auto& [name, text] : hostileTexts())
            QTest::newRow(name) << text;
    }
    // What a box of `maxLength` code units holds of a text typed into it: whole characters
    // only.
    static QString held(const QString& text, int maxLength) {
        QString box = text.left(maxLength);
        if (!box.isEmpty() && box.back().isHighSurrogate())
            box.chop(1);
        return box;
    }

    // The window active as a person works in it.
    static void activate(Form& w) {
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
    }

    // Logs in as `user` (password "clave", or the administrator's) and runs `script` in the
    // main menu.
    void inMenu(const QString& user, const std::function<void(Form&)>& script) {
        bool ran = false;
        windows->whenShown("FRMmenpri", [&](Form& menu) {
            script(menu);
            ran = true;
        });
        program->login(user, user == QLatin1String("Admin") ? "qampo" : "clave");
        QVERIFY(ran);
    }
    // Opens `w` from the menu as its callers do and runs `script` on it, active.
    void openFrom(Form& menu, Form* w, const std::function<void()>& script) {
        bool shown = false;
        windows->whenShown(w->objectName(), [&](Form& f) {
            activate(f);
            script();
            shown = true;
        });
        menu.open(w);
        QVERIFY(shown);
    }

    void addHeader(const QString& unit, int number, const QString& name) {
        program->db().exec(QStringLiteral("insert into t_prodaccion (cod_unidad, uni_gestion, "
                                          "id_proyecto, proy_descorta, proy_descripcion, "
                                          "proy_resultado, proy_ok) values ('%1', '2008', %2, "
                                          "'%3', 'Actividades', 'Indicadores', 'S')")
                               .arg(unit)
                               .arg(number)
                               .arg(name));
    }
    // A product of the whole of January with three goals of ten days, their percentages
    // as the goal sheet works them out: the running sum of each goal's rounded share.
    void addProduct(const QString& unit, int number) {
        TestDatabase& db = program->db();
        db.exec(QStringLiteral("insert into t_producto (cod_area, id_proyecto, id_producto, "
                               "pro_gestion, pro_fecini, pro_fecfin) values ('%1', %2, %2, "
                               "'2008', '2008-01-01', '2008-01-30')")
                    .arg(unit)
                    .arg(number));
        for (const auto& [goal, percentage] : {std::pair{1, 33}, {2, 66}, {3, 99}})
            db.exec(QStringLiteral("insert into t_hito (cod_area, id_proyecto, id_producto, "
                                   "gestion, cod_hito, hito_descr, hito_fecini, hito_fecfin, "
                                   "hito_porpro, ava_registro) values ('%1', %2, %2, '2008', %3, "
                                   "'Meta %3', '%4', '%5', %6, 'N')")
                        .arg(unit)
                        .arg(number)
                        .arg(goal)
                        .arg(d(1, 10 * goal - 9).toString(Qt::ISODate),
                             d(1, 10 * goal).toString(Qt::ISODate))
                        .arg(percentage));
    }

private slots:
    void cleanup() {
        fixToday(QDate());
        ProgramTest::cleanup();
    }

    // The login compares the name, the password and the year as values: only the account
    // that has them enters, and nothing is written.
    void loginBoxes_data() { texts(); }
    void loginBoxes() {
        QFETCH(QString, text);
        TFRMmenu* login = program->app().FRMmenu();
        const QString name = held(text, login->Edit1->maxLength());
        const bool fits = name == text;
        if (fits)
            program->addAccount(text, text, "2");
        const Snapshot before = snapshot();
        QStringList entered;
        windows->whenShown("FRMmenpri",
                           [&](Form&) { entered.append(program->app().session().loginName()); });
        program->login(text, text);
        if (fits) {
            QCOMPARE(entered, QStringList({text}));
            QVERIFY(messages->texts().isEmpty());
        } else {
            QVERIFY(entered.isEmpty());
            QCOMPARE(messages->texts(), QStringList({"No existe usuario"}));
        }
        messages->clear();
        // Typed into one box alone, the text opens no account, the administrator's neither.
        program->login(QStringLiteral("Admin"), text);
        program->login(text, QStringLiteral("qampo"));
        program->login(QStringLiteral("Admin"), QStringLiteral("qampo"), text);
        QCOMPARE(login->EDIgestion->currentText(), held(text, 4));
        QCOMPARE(messages->texts(), QStringList(3, QStringLiteral("No existe usuario")));
        QCOMPARE(entered.size(), fits ? 1 : 0);
        QCOMPARE(changed(before, snapshot()), QStringList());
    }

    // A new account stores its names, login, password and year as the boxes hold them.
    void accountBoxes_data() { texts(); }
    void accountBoxes() {
        QFETCH(QString, text);
        const Snapshot before = snapshot();
        TFRMusuario* u = program->app().FRMusuario();
        inMenu("Admin", [&](Form& menu) {
            windows->whenShown("FRMusuario", [&](Form& w) {
                activate(w);
                CLICK(u, "BTNagrega");
                for (const char* box : {"DBEdit1", "DBEdit2", "DBEdit3", "DBEdit4"})
                    TYPE(u, box, text);
                TYPE(u, "CBXgestion", text);
                CHOOSE(u, "DBLookupComboBox2", QStringLiteral("Registro de avance"));
                CHOOSE(u, "DBLtipo", QStringLiteral("Ministerio"));
                // No account is named so: the name is compared as a value.
                QVERIFY(messages->texts().isEmpty());
                for (DBEdit* box : {u->DBEdit1, u->DBEdit2, u->DBEdit3, u->DBEdit4})
                    QCOMPARE(box->text(), held(text, 50));
                QCOMPARE(u->CBXgestion->currentText(), held(text, 4));
                CLICK(u, "BitBtn4");
                QCOMPARE(messages->texts(),
                         QStringList({"Registro almacenado en la Base de Datos !!!!!"}));
                CLICK(u, "BitBtn6");
            });
            TRIGGER(&menu, "Usuarios1");
        });
        const Snapshot after = snapshot();
        QCOMPARE(changed(before, after), QStringList({"t_usuario"}));
        QCOMPARE(difference(before, after, "t_usuario"), std::pair(qsizetype(1), qsizetype(0)));
        const QString name = held(text, 50);
        QCOMPARE(stored("select nombres, apellidos, usuario, gestion from t_usuario where "
                        "usuario = ? and gestion = ?",
                        {name, held(text, 4)}, {"nombres", "apellidos", "usuario", "gestion"}),
                 QStringList({name, name, name, held(text, 4)}));
        const QStringList password =
            stored("select contra from t_usuario where usuario = ? and gestion = ?",
                   {name, held(text, 4)}, {"contra"});
        QVERIFY(password.size() == 1 && passwords::matches(password.first(), name) &&
                passwords::isHashed(password.first()));
    }

    // A header is stored as typed, and an edited one is written as typed; the other
    // headers stay.
    void registerBrowserBoxes_data() { texts(); }
    void registerBrowserBoxes() {
        QFETCH(QString, text);
        addHeader("V01D01U01", 1, "Uno");
        addHeader("V01D01U01", 2, "Dos");
        addHeader("V01D01U02", 1, "Otra unidad");
        const Snapshot before = snapshot();
        TFRMmuestra* m = program->app().FRMmuestra();
        const QString shortText = held(text, m->DBEdit1->maxLength());
        qint64 edited = 0;
        inMenu("Admin", [&](Form& menu) {
            windows->whenShown("FRMmuestra", [&](Form& w) {
                activate(w);
                for (const auto& [list, entry] : QList<std::pair<DBLookupComboBox*, QString>>{
                         {m->DBLvicemin, "Viceministerio de Desarrollo Rural y Agropecuario"},
                         {m->DBLdirecc, "Dirección General de Desarrollo Rural"},
                         {m->DBLunidad, "Unidad de Planificación Rural"}}) {
                    list->setCurrentIndex(list->findText(entry));
                    emit list->activated(list->currentIndex());
                }
                QCOMPARE(m->Qprodacc->rowCount(), 2);
                // A new header.
                CLICK(m, "BTNagreprod");
                TYPE(m, "DBEdit1", text);
                TYPE(m, "DBMemo3", text);
                TYPE(m, "DBMemo4", text);
                QCOMPARE(m->DBEdit1->text(), shortText);
                CLICK(m, "BTNgrabaprod");
                QCOMPARE(m->Qprodacc->integer("id_proyecto"), qint64(3));
                QCOMPARE(m->DBGmuestra->cellText(0, "proy_descorta"), shortText);
                if (testEngine() == Engine::SQLite && QDir().mkpath(QStringLiteral("screens")))
                    QVERIFY(m->grab().save(
                        QStringLiteral("screens/FRMmuestra-%1.png")
                            .arg(
                                QString::fromLatin1(QTest::currentDataTag()).replace(u' ', u'-'))));
                // The header below it, edited; its "Activo" flag too.
                const QModelIndex cell =
                    m->DBGmuestra->cellIndex(1, QStringLiteral("proy_descorta"));
                QTest::mouseClick(m->DBGmuestra->viewport(), Qt::LeftButton, {},
                                  m->DBGmuestra->visualRect(cell).center());
                edited = m->Qprodacc->integer("id_proyecto");
                QCOMPARE(edited, qint64(2));
                CLICK(m, "BTNmodifi");
                TYPE(m, "DBEdescorta", text);
                TYPE(m, "DBMemo2", text);
                TYPE(m, "DBMemo1", text);
                TYPE(m, "DBEactivo", text);
                QCOMPARE(m->DBEdescorta->text(), shortText);
                QCOMPARE(m->DBEactivo->text(), held(text, 1));
                CLICK(m, "BTNmodifi");
                QCOMPARE(messages->texts(), QStringList({"Registro grabado en la Base de Datos",
                                                         "Registro modificado"}));
            });
            TRIGGER(&menu, "Datosiniciales2");
        });
        const Snapshot after = snapshot();
        QCOMPARE(changed(before, after), QStringList({"t_prodaccion"}));
        QCOMPARE(difference(before, after, "t_prodaccion"), std::pair(qsizetype(2), qsizetype(1)));
        const QStringList typed{shortText, text, text};
        const char* sql = "select proy_descorta, proy_descripcion, proy_resultado, proy_ok from "
                          "t_prodaccion where cod_unidad = 'V01D01U01' and id_proyecto = ?";
        const QStringList columns{"proy_descorta", "proy_descripcion", "proy_resultado", "proy_ok"};
        QCOMPARE(stored(sql, {edited}, columns), typed + QStringList({held(text, 1)}));
        QCOMPARE(stored(sql, {3}, columns), typed + QStringList({"S"}));
    }

    // A goal stored in either entry window keeps its description as the box holds it.
    void goalEntryBoxes_data() { texts(); }
    void goalEntryBoxes() {
        QFETCH(QString, text);
        program->addAccount("entidad", "clave", "1", "2008", "E01C01U01", "EX");
        addHeader("V01D01U01", 4, "Catastro");
        addHeader("E01C01U01", 5, "Saneamiento");
        const Snapshot before = snapshot();
        QString held255;
        const auto enter = [&](Form& menu, GoalEntryForm* e, const QString& unit, int number) {
            e->LBLcodigo->setText(unit);
            e->LBLproy->setText(QString::number(number));
            e->abre_hito();
            e->d_botones();
            e->BTNagrega->setEnabled(true);
            e->Edit3->setEnabled(false);
            openFrom(menu, e, [&] {
                CLICK(e, "BTNagrega");
                e->DTPdesde->setDate(d(1, 1));
                e->DTPhasta->setDate(d(12, 31));
                CLICK(e, "BTNagrehit");
                TYPE(e, "Edit3", text);
                held255 = e->Edit3->text();
                QCOMPARE(held255, held(text, 255));
                e->DTMhasta->setDate(d(3, 31));
                CLICK(e, "BTNgrabhit");
                QCOMPARE(messages->texts(),
                         QStringList({"Registro grabado en la Base de Datos !!!!"}));
                messages->clear();
                QCOMPARE(static_cast<DBGrid*>(e->DBGrid1)->cellText(0, "hito_descr"), held255);
            });
        };
        inMenu("Admin",
               [&](Form& menu) { enter(menu, program->app().FRMingresoMN(), "V01D01U01", 4); });
        inMenu("entidad",
               [&](Form& menu) { enter(menu, program->app().FRMingresodatos1(), "E01C01U01", 5); });
        const Snapshot after = snapshot();
        QCOMPARE(changed(before, after), QStringList({"t_hito", "t_producto"}));
        // Each product: its goal and the closing goal.
        QCOMPARE(difference(before, after, "t_hito"), std::pair(qsizetype(4), qsizetype(0)));
        QCOMPARE(difference(before, after, "t_producto"), std::pair(qsizetype(2), qsizetype(0)));
        for (const auto& [unit, number] : {std::pair{"V01D01U01", 4}, {"E01C01U01", 5}})
            QCOMPARE(stored("select hito_descr from t_hito where cod_area = ? and id_producto = ? "
                            "order by cod_hito",
                            {unit, number}, {"hito_descr"}),
                     QStringList({held(text, 255), "Entrega de producto"}));
    }

    // An edited goal of the goal sheet keeps its description as the box holds it; the
    // other goals stay as they were.
    void goalSheetBoxes_data() { texts(); }
    void goalSheetBoxes() {
        QFETCH(QString, text);
        addProduct("V01D01U01", 3);
        const Snapshot before = snapshot();
        TFRMverproMN* w = program->app().FRMverproMN();
        w->LBLcodigo->setText(QStringLiteral("V01D01U01"));
        w->LBLproy->setText(QStringLiteral("3"));
        w->abre_metas();
        w->BTNmodifi->setVisible(true);
        w->BTNmodifi->setEnabled(true);
        w->activate();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        QVERIFY(w->metas->Qhito->locate(QStringLiteral("cod_hito"), 2));
        CLICK(w, "BTNmodifi");
        TYPE(w, "DBEdescri", text);
        QCOMPARE(w->DBEdescri->text(), held(text, 255));
        CLICK(w, "BTNgramet");
        QVERIFY(messages->shown().isEmpty());
        w->close();
        const Snapshot after = snapshot();
        QCOMPARE(changed(before, after), QStringList({"t_hito"}));
        QCOMPARE(difference(before, after, "t_hito"), std::pair(qsizetype(1), qsizetype(1)));
        QCOMPARE(stored("select hito_descr, hito_porpro from t_hito where cod_hito = ?", {2},
                        {"hito_descr", "hito_porpro"}),
                 QStringList({held(text, 255), "66"}));
    }

    // A progress report keeps its description and clarification as typed, whole.
    void progressReportBoxes_data() { texts(); }
    void progressReportBoxes() {
        QFETCH(QString, text);
        program->addAccount("informa", "clave", "3");
        addHeader("V01D01U01", 3, "Riego");
        addProduct("V01D01U01", 3);
        fixToday(d(1, 15));
        const Snapshot before = snapshot();
        TFRMavance* a = program->app().FRMavance();
        inMenu("informa", [&](Form& menu) {
            windows->whenShown("FRMavance", [&](Form& w) {
                activate(w);
                const int product = a->DBLproducto->findText(QStringLiteral("Riego"));
                QVERIFY(product >= 0);
                a->DBLproducto->setCurrentIndex(product);
                emit a->DBLproducto->activated(product);
                const QModelIndex cell = a->DBGrid1->cellIndex(0, QStringLiteral("hito_descr"));
                QTest::mouseClick(a->DBGrid1->viewport(), Qt::LeftButton, {},
                                  a->DBGrid1->visualRect(cell).center());
                CLICK(a, "BTNagrega");
                // The percentage box takes digits alone.
                TYPE(a, "EDIavance", text);
                for (const QChar c : a->EDIavance->text())
                    QVERIFY(c.isDigit());
                TYPE(a, "EDIavance", QStringLiteral("20"));
                TYPE(a, "MEMavance", text);
                TYPE(a, "MEMaclara", text);
                messages->clear();
                CLICK(a, "BTNgraba");
                QCOMPARE(messages->texts(),
                         QStringList({"Registro grabado en la base de datos ....!!!!!"}));
            });
            TRIGGER(&menu, "avance1");
        });
        const Snapshot after = snapshot();
        // The store's summary of the latest progress follows the report.
        QCOMPARE(changed(before, after), QStringList({"t_avancepor", "t_avanceresumen"}));
        QCOMPARE(difference(before, after, "t_avancepor"), std::pair(qsizetype(1), qsizetype(0)));
        QCOMPARE(stored("select descr, aclara, por_avance from t_avancepor where id_producto = ?",
                        {3}, {"descr", "aclara", "por_avance"}),
                 QStringList({text, text, "20"}));
    }

    // Boxes that take a number refuse a text that is none with a message, and write
    // nothing: an indicator's quantity, the budget's split percentages, the month of an
    // execution report.
    void numberBoxes_data() { texts(); }
    void numberBoxes() {
        QFETCH(QString, text);
        program->addAccount("entidad", "clave", "4", "2008", "E01C01U01", "EX");
        addHeader("E01C01U01", 6, "Saneamiento");
        const Snapshot before = snapshot();
        inMenu("entidad", [&](Form& menu) {
            TFRMindica* i = program->app().FRMindica();
            i->LBLcodigo->setText(QStringLiteral("E01C01U01"));
            i->LBLproy->setText(QStringLiteral("6"));
            openFrom(menu, i, [&] {
                const int row = i->DBLookupComboBox1->findText("Familias beneficiadas");
                i->DBLookupComboBox1->setCurrentIndex(row);
                emit i->DBLookupComboBox1->activated(row);
                TYPE(i, "DBEdit1", text);
                CLICK(i, "BTNgraba");
                QCOMPARE(messages->texts(), QStringList({"La cantidad debe ser un número entero"}));
                messages->clear();
            });

            TFRMfinanciero* f = program->app().FRMfinanciero();
            f->LBLcodigo->setText(QStringLiteral("E01C01U01"));
            f->LBLprod->setText(QStringLiteral("6"));
            openFrom(menu, f, [&] {
                CLICK(f, "BTNagrega");
                TYPE(f, "EDImontotot", QStringLiteral("1000"));
                // An amount box takes digits and the comma alone.
                TYPE(f, "EDIene", text);
                for (const QChar c : f->EDIene->text())
                    QVERIFY(c.isDigit() || c == u',');
                for (const char* box : {"EDIporinv", "EDIporat"}) {
                    TYPE(f, box, text);
                    TYPE(f, "EDImontotot", QStringLiteral("1000")); // leaves the box
                    const auto* edit = f->findChild<QLineEdit*>(box);
                    QCOMPARE(messages->errors(),
                             QStringList({QStringLiteral("%1: \"%2\" no es un número entero válido")
                                              .arg(edit->accessibleName(), text)}));
                    messages->clear();
                }
                CLICK(f, "BitBtn4");
            });

            TFRMpptoavance* p = program->app().FRMpptoavance();
            p->LBLcodigo->setText(QStringLiteral("E01C01U01"));
            p->LBLprod->setText(QStringLiteral("6"));
            openFrom(menu, p, [&] {
                TYPE(p, "CBXmes", text);
                TYPE(p, "EDImonto", text);
                for (const QChar c : p->EDImonto->text())
                    QVERIFY(c.isDigit());
                TYPE(p, "EDImonto", QStringLiteral("500"));
                CLICK(p, "BTNgraba");
                QCOMPARE(
                    messages->errors(),
                    QStringList(
                        {QStringLiteral("\"%1\" no es un mes: elija el mes de informe de la lista")
                             .arg(p->CBXmes->currentText())}));
                QCOMPARE(p->CBXmes->currentText(), text);
            });
        });
        QCOMPARE(changed(before, snapshot()), QStringList());
    }
};

MONITOREO_GUI_TEST_MAIN(new TestHostile)
#include "tst_hostile.moc"
