#include "core/error.h"
#include "fixture/storetest.h"
#include "fixture/uiscript.h"
#include "store/datasource.h"
#include "store/query.h"
#include "store/storeerror.h"
#include "store/table.h"
#include "ui/dbedit.h"
#include "ui/dbgrid.h"
#include "ui/form.h"
#include "ui/guard.h"
#include "ui/messages.h"
#include "ui/modalruns.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScopeGuard>
#include <QTest>
#include <QTimer>

namespace {

// A window that counts its activations and writes what its handlers are told to.
class Probe : public Form {
public:
    Probe(Connection* c, const QString& name)
        : Form(name, QStringLiteral("Prueba"))
        , conn(c) {
        button = new QPushButton(QStringLiteral("Grabar"), this);
        button->setObjectName(QStringLiteral("BTNgraba"));
        body()->addWidget(button);
        handle(button, &QPushButton::clicked, &Probe::BTNgrabaClick);
    }
    void optOut() { setReactivation(false, false); }

    int activations = 0;
    std::function<void()> onClick;
    Connection* conn;
    QPushButton* button;

    void BTNgrabaClick() { onClick(); }
    void write(int n) {
        Query w(conn, QStringLiteral("insert into t_prodaccion (cod_unidad, uni_gestion, "
                                     "id_proyecto) values ('U1', '2008', ?)"));
        w.setParam(0, n);
        w.exec();
    }

    std::function<void()> onActivate;

protected:
    void FormActivate() override {
        ++activations;
        if (onActivate)
            onActivate();
    }
};

} // namespace

class TestForm : public StoreTest {
    Q_OBJECT

    std::unique_ptr<ScriptedMessages> messages;
    std::unique_ptr<ScriptedWindows> windows;

    qint64 headers() {
        return db->scalar(QStringLiteral("select count(*) from t_prodaccion")).toLongLong();
    }

private slots:
    void init() {
        StoreTest::init();
        messages = std::make_unique<ScriptedMessages>();
        windows = std::make_unique<ScriptedWindows>();
    }
    void cleanup() {
        windows.reset();
        messages.reset();
        StoreTest::cleanup();
    }

    void anErrorInAHandlerIsShownAndUndoesTheAction() {
        Probe w(c.get(), QStringLiteral("FRMprueba"));
        w.onClick = [&] {
            w.write(1);
            w.write(2);
            c->execDirect(QStringLiteral("insert into no_such_table values (1)"));
        };
        QTest::mouseClick(w.button, Qt::LeftButton);
        QCOMPARE(messages->errors().size(), 1);
        QVERIFY(messages->errors().first().contains(QStringLiteral("no_such_table")));
        QCOMPARE(headers(), qint64(0));
        QVERIFY(!c->inTransaction());

        messages->clear();
        w.onClick = [&] {
            w.write(3);
            throw ConversionError(QStringLiteral("\"abc\" no es un número"));
        };
        QTest::mouseClick(w.button, Qt::LeftButton);
        QCOMPARE(messages->errors(), QStringList({"\"abc\" no es un número"}));
        QCOMPARE(headers(), qint64(0));

        messages->clear();
        w.onClick = [&] { w.write(4); };
        QTest::mouseClick(w.button, Qt::LeftButton);
        QVERIFY(messages->shown().isEmpty());
        QCOMPARE(headers(), qint64(1));
    }

    void aBoxCommitsWhatWasWrittenAndActivatesAgain() {
        Probe w(c.get(), QStringLiteral("FRMprueba"));
        w.onClick = [&] {
            w.write(1);
            QVERIFY(c->inTransaction());
            w.inform(QStringLiteral("Registro guardado"));
            QVERIFY(!c->inTransaction()); // no lock is held while the box shows
            QCOMPARE(headers(), qint64(1));
            w.write(2);
            c->execDirect(QStringLiteral("insert into no_such_table values (1)"));
        };
        QTest::mouseClick(w.button, Qt::LeftButton);
        QCOMPARE(w.activations, 1);
        QCOMPARE(messages->texts().first(), QStringLiteral("Registro guardado"));
        QCOMPARE(headers(), qint64(1)); // what followed the box was undone

        messages->clear();
        messages->answerNext(true);
        bool answer = false;
        w.onClick = [&] { answer = w.confirm(QStringLiteral("¿Eliminar?")); };
        QTest::mouseClick(w.button, Qt::LeftButton);
        QVERIFY(answer);
        QCOMPARE(w.activations, 2);
        QCOMPARE(messages->shown().size(), 1);
        QCOMPARE(messages->shown().first().kind, ScriptedMessages::Kind::Question);
        QTest::mouseClick(w.button, Qt::LeftButton); // no answer queued: "No"
        QVERIFY(!answer);
    }

    void openingRunsTheActivationFirst() {
        Probe parent(c.get(), QStringLiteral("FRMpadre"));
        Probe w(c.get(), QStringLiteral("FRMprueba"));
        int seenInside = -1;
        windows->whenShown("FRMprueba", [&](Form&) { seenInside = w.activations; });
        parent.onClick = [&] { parent.open(&w); };
        QTest::mouseClick(parent.button, Qt::LeftButton);
        QCOMPARE(seenInside, 1);
        QCOMPARE(windows->shown(), QStringList({"FRMprueba"}));
    }

    void whichClosingsActivateAgain() {
        Probe parent(c.get(), QStringLiteral("FRMpadre"));
        Probe child(c.get(), QStringLiteral("FRMhijo"));
        parent.onClick = [&] { parent.inform(QStringLiteral("Listo")); };
        QTest::mouseClick(parent.button, Qt::LeftButton);
        QCOMPARE(parent.activations, 1); // a box
        parent.onClick = [&] { parent.open(&child); };
        QTest::mouseClick(parent.button, Qt::LeftButton);
        QCOMPARE(parent.activations, 2); // a window opened from it
        parent.onClick = [&] { throw ConversionError(QStringLiteral("mal")); };
        QTest::mouseClick(parent.button, Qt::LeftButton);
        QCOMPARE(messages->errors(), QStringList({"mal"}));
        QCOMPARE(parent.activations, 2); // not the error box of a failed action
    }

    void anActivationThatFailsCannotRunAgainAndAgain() {
        Probe parent(c.get(), QStringLiteral("FRMpadre"));
        Probe child(c.get(), QStringLiteral("FRMhijo"));
        parent.onActivate = [] { throw ConversionError(QStringLiteral("activación")); };
        bool after = false;
        parent.onClick = [&] {
            parent.inform(QStringLiteral("Uno"));
            after = true; // the failed activation stopped the handler
        };
        QTest::mouseClick(parent.button, Qt::LeftButton);
        QVERIFY(!after);
        QCOMPARE(parent.activations, 1);
        QCOMPARE(messages->texts(), QStringList({"Uno", "activación"}));
        messages->clear();
        parent.onClick = [&] { parent.open(&child); };
        QTest::mouseClick(parent.button, Qt::LeftButton);
        QCOMPARE(parent.activations, 2);
        QCOMPARE(messages->texts(), QStringList({"activación"}));
    }

    void anErrorInTheActivationOfAWindowBeingOpenedShowsOverTheOpener() {
        Probe parent(c.get(), QStringLiteral("FRMpadre"));
        Probe child(c.get(), QStringLiteral("FRMhijo"));
        child.onActivate = [&] {
            child.write(1);
            throw StoreError(QStringLiteral("sin datos"));
        };
        parent.onClick = [&] { parent.open(&child); };
        QTest::mouseClick(parent.button, Qt::LeftButton);
        QCOMPARE(messages->shown().size(), 1);
        QCOMPARE(messages->shown().first().text, QStringLiteral("sin datos"));
        QCOMPARE(messages->shown().first().over, QStringLiteral("FRMpadre"));
        QCOMPARE(headers(), qint64(0));                       // the activation's action was undone
        QCOMPARE(windows->shown(), QStringList({"FRMhijo"})); // and the window still opens
    }

    void aBoxOrAWindowShownWhileAnActionHoldsItsTransactionIsRefused() {
        QStringList refused;
        ModalRuns::setRefusal([&](const QString& message) { refused.append(message); });
        const auto restore = qScopeGuard([] { ModalRuns::setRefusal({}); });
        QVERIFY(ModalRuns::strict());
        Probe w(c.get(), QStringLiteral("FRMprueba"));
        Probe child(c.get(), QStringLiteral("FRMhijo"));
        // Through the window's own boxes and open(): nothing is refused.
        w.onClick = [&] {
            w.write(1);
            w.inform(QStringLiteral("Guardado"));
            w.write(2);
            w.open(&child);
        };
        QTest::mouseClick(w.button, Qt::LeftButton);
        QVERIFY(refused.isEmpty());
        // A box shown past the window, or a dialog run by hand, while the action holds
        // its transaction: refused, and what was written is committed first.
        w.onClick = [&] {
            w.write(3);
            Messages::information(&w, QStringLiteral("Directo"));
            QVERIFY(!c->inTransaction());
            w.write(4);
            QDialog dialog(&w);
            QTimer::singleShot(0, &dialog, &QDialog::reject);
            dialog.exec();
        };
        QTest::mouseClick(w.button, Qt::LeftButton);
        QCOMPARE(refused.size(), 2);
        QVERIFY(refused[0].contains(QStringLiteral("Directo")));
        QVERIFY(refused[1].contains(QStringLiteral("QDialog")));
        QCOMPARE(headers(), qint64(4));
    }

    void afterAFailedActionTheWindowShowsWhatIsStored() {
        Probe w(c.get(), QStringLiteral("FRMprueba"));
        Table months(c.get(), QStringLiteral("t_mes"));
        DataSource source(&months);
        auto* grid = new DBGrid(&w);
        auto* name = new DBEdit(&w);
        w.body()->addWidget(grid);
        w.body()->addWidget(name);
        grid->setDataSource(&source);
        name->setDataSource(&source, QStringLiteral("mes"));
        months.open();
        months.last();
        w.onClick = [&] {
            months.append();
            months.setField(QStringLiteral("num"), 13);
            months.setField(QStringLiteral("mes"), QStringLiteral("Trece"));
            months.post();
            QCOMPARE(grid->model()->rowCount(), 13);
            QCOMPARE(name->text(), QStringLiteral("Trece"));
            c->execDirect(QStringLiteral("insert into no_such_table values (1)"));
        };
        QTest::mouseClick(w.button, Qt::LeftButton);
        QCOMPARE(messages->errors().size(), 1);
        QCOMPARE(grid->model()->rowCount(), 12);
        QCOMPARE(grid->currentIndex().row(), 11);
        QCOMPARE(name->text(), QStringLiteral("Diciembre"));
    }

    void aChildWindowActivatesItsOpenerAgainAndActsOnItsOwn() {
        Probe parent(c.get(), QStringLiteral("FRMpadre"));
        Probe child(c.get(), QStringLiteral("FRMhijo"));
        child.onClick = [&] {
            child.write(2);
            throw ConversionError(QStringLiteral("mal"));
        };
        windows->whenShown("FRMhijo", [&](Form&) {
            QVERIFY(!c->inTransaction()); // the opener's writes were committed before
            QTest::mouseClick(child.button, Qt::LeftButton);
        });
        parent.onClick = [&] {
            parent.write(1);
            parent.open(&child);
            parent.write(3);
        };
        QTest::mouseClick(parent.button, Qt::LeftButton);
        QCOMPARE(child.activations, 1);
        QCOMPARE(parent.activations, 1);
        QCOMPARE(messages->errors(), QStringList({"mal"}));
        // The child's failed action undid only its own row.
        QCOMPARE(db->scalar(QStringLiteral("select count(*) from t_prodaccion where id_proyecto "
                                           "in (1, 3)"))
                     .toInt(),
                 2);
        QCOMPARE(headers(), qint64(2));
    }

    void windowsThatOptOutAreNotActivatedAgain() {
        Probe parent(c.get(), QStringLiteral("FRMpadre"));
        Probe child(c.get(), QStringLiteral("FRMhijo"));
        parent.optOut();
        parent.onClick = [&] {
            parent.inform(QStringLiteral("Hola"));
            parent.open(&child);
        };
        QTest::mouseClick(parent.button, Qt::LeftButton);
        QCOMPARE(parent.activations, 0);
        QCOMPARE(child.activations, 1);
    }

    void anErrorInsideAnotherActionFailsThatActionWhole() {
        Probe w(c.get(), QStringLiteral("FRMprueba"));
        bool guardReturned = false;
        bool wroteAfter = false;
        w.onClick = [&] {
            w.write(1);
            // A guard run inside this handler does not throw at its caller (which may be
            // Qt's code); it fails this action.
            guardReturned =
                !runGuarded(&w, [&] { throw ConversionError(QStringLiteral("dentro")); });
            w.write(2); // a failed action writes nothing more
            wroteAfter = true;
        };
        QTest::mouseClick(w.button, Qt::LeftButton);
        QVERIFY(guardReturned);
        QVERIFY(!wroteAfter);
        QCOMPARE(messages->errors(), QStringList({"dentro"}));
        QCOMPARE(headers(), qint64(0));

        // The same when the error arises under a widget's signal: a grid moved by the
        // handler posts an edit the engine refuses. Nothing crosses Qt; all is undone.
        messages->clear();
        Table months(c.get(), QStringLiteral("t_mes"));
        DataSource source(&months);
        auto* grid = new DBGrid(&w);
        w.body()->addWidget(grid);
        grid->setDataSource(&source);
        months.open();
        bool handlerEnded = false;
        w.onClick = [&] {
            w.write(3);
            months.edit();
            months.setField(QStringLiteral("mes"), QStringLiteral("Un mes de nombre largo"));
            grid->selectRow(5);
            handlerEnded = true;
        };
        QTest::mouseClick(w.button, Qt::LeftButton);
        QVERIFY(handlerEnded);
        QCOMPARE(messages->errors().size(), 1);
        QCOMPARE(headers(), qint64(0));
        QCOMPARE(db->scalar(QStringLiteral("select mes from t_mes where num = 1")).toString(),
                 QStringLiteral("Enero"));
        // The next action is a fresh one.
        messages->clear();
        w.onClick = [&] { w.write(4); };
        QTest::mouseClick(w.button, Qt::LeftButton);
        QVERIFY(messages->shown().isEmpty());
        QCOMPARE(headers(), qint64(1));
    }

    void escapeDoesNotCloseAWindowNorEnterPressAButton() {
        Probe w(c.get(), QStringLiteral("FRMprueba"));
        int clicks = 0;
        w.onClick = [&] { ++clicks; };
        auto* edit = new QLineEdit(&w);
        w.body()->addWidget(edit);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTest::keyClick(&w, Qt::Key_Escape);
        QVERIFY(w.isVisible());
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(clicks, 0);
        QVERIFY(w.isVisible());
    }

    void questionsAnswerSiOrNo() {
        QMessageBox before(QMessageBox::Question, QString(), QString(),
                           QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(before.button(QMessageBox::Yes)->text().remove(u'&'), QStringLiteral("Yes"));
        Messages::useSpanishButtons(); // what the program does at start
        QMessageBox box(QMessageBox::Question, QStringLiteral("Sistema de Monitoreo"),
                        QStringLiteral("¿Eliminar?"), QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(box.button(QMessageBox::Yes)->text().remove(u'&'), QStringLiteral("Sí"));
        QCOMPARE(box.button(QMessageBox::No)->text().remove(u'&'), QStringLiteral("No"));
    }

    void theHeaderShowsNumberAndTitle() {
        class Titled : public Form {
        public:
            Titled()
                : Form(QStringLiteral("FRMtitulo"), QStringLiteral("Ventana")) {
                number = screenNumber(QStringLiteral("Label5"), QStringLiteral("3"));
                heading =
                    title(QStringLiteral("LBLtitulo"), QStringLiteral("Registro de productos"));
            }
            QLabel* number;
            QLabel* heading;
        } w;
        QCOMPARE(w.windowTitle(), QStringLiteral("Ventana"));
        QCOMPARE(w.findChild<QLabel*>("Label5"), w.number);
        QCOMPARE(w.number->text(), QStringLiteral("3"));
        QCOMPARE(w.findChild<QLabel*>("LBLtitulo")->text(),
                 QStringLiteral("Registro de productos"));
        w.resize(600, 300);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QVERIFY(w.number->geometry().left() < w.heading->geometry().left());
        QVERIFY(w.number->geometry().top() < 40);
    }
};

QObject* formTests() {
    return new TestForm;
}

#include "tst_form.moc"
