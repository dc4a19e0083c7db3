#include "core/error.h"
#include "fixture/uiscript.h"
#include "store/actionscope.h"
#include "ui/form.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

namespace {

// A window whose controls log their leavings, and the clicks on its button, in order.
class Leaving : public Form {
public:
    Leaving()
        : Form(QStringLiteral("FRMsalida"), QStringLiteral("Salidas")) {
        a = box(QStringLiteral("EDIa"));
        b = box(QStringLiteral("EDIb"));
        c = box(QStringLiteral("EDIc"));
        auto* label = new QLabel(QStringLiteral("&Código"), this);
        body()->addWidget(label);
        caption(label, c); // Alt+C takes the focus to c
        combo = new QComboBox(this);
        combo->setObjectName(QStringLiteral("CMBlista"));
        combo->setEditable(true);
        combo->addItems({QStringLiteral("Uno"), QStringLiteral("Dos"), QStringLiteral("Tres")});
        body()->addWidget(combo);
        date = new QDateEdit(QDate(2008, 3, 15), this);
        date->setObjectName(QStringLiteral("DTPfecha"));
        date->setCalendarPopup(true);
        body()->addWidget(date);
        amount = new QWidget(this);
        amount->setObjectName(QStringLiteral("PNLmonto"));
        auto* pieces = new QHBoxLayout(amount);
        amountValue = new QLineEdit(amount);
        pieces->addWidget(amountValue);
        body()->addWidget(amount);
        save = button(QStringLiteral("BTNgraba"), QStringLiteral("Grabar"));
        row({save});

        handleLeave(a, &Leaving::EDIaExit);
        handleLeave(b, &Leaving::EDIbExit);
        handleLeave(combo, &Leaving::CMBlistaExit);
        handleLeave(date, &Leaving::DTPfechaExit);
        handleLeave(amount, &Leaving::PNLmontoExit);
        amountCurrency = new QLineEdit(amount);
        pieces->addWidget(amountCurrency);
        setTabOrder(amountValue, amountCurrency);
        setTabOrder(amountCurrency, save);
        handle(a, &QLineEdit::returnPressed, &Leaving::EDIaEnter);
        handle(save, &QPushButton::clicked, &Leaving::BTNgrabaClick);
    }

    QLineEdit* a;
    QLineEdit* b;
    QLineEdit* c;
    QComboBox* combo;
    QDateEdit* date;
    QWidget* amount; // an amount and its currency, one control
    QLineEdit* amountValue;
    QLineEdit* amountCurrency;
    QPushButton* save;

    QStringList log;
    std::function<void()> onLeaveA;
    std::function<void()> onLeaveB;
    std::function<void()> onEnterA;

    // What a leave handler saw of the focus and of the action it runs in.
    QWidget* focusSeen = nullptr;
    bool inAction = false;

    void EDIaExit() {
        log.append(QStringLiteral("a"));
        focusSeen = QApplication::focusWidget();
        inAction = ActionScope::active();
        if (onLeaveA)
            onLeaveA();
    }
    void EDIbExit() {
        log.append(QStringLiteral("b"));
        if (onLeaveB)
            onLeaveB();
    }
    void CMBlistaExit() { log.append(QStringLiteral("combo")); }
    void DTPfechaExit() { log.append(QStringLiteral("date")); }
    void PNLmontoExit() { log.append(QStringLiteral("amount")); }
    void EDIaEnter() {
        if (onEnterA)
            onEnterA();
    }
    void BTNgrabaClick() { log.append(QStringLiteral("save")); }

    // Makes this the active window with the focus on `w`.
    bool focusOn(QWidget* w) {
        activateWindow();
        if (!QTest::qWaitForWindowActive(this))
            return false;
        w->setFocus(Qt::OtherFocusReason);
        return w->hasFocus();
    }

private:
    QLineEdit* box(const QString& name) {
        auto* e = new QLineEdit(this);
        e->setObjectName(name);
        body()->addWidget(e);
        return e;
    }
};

// Another top-level window, with a box of its own that takes the focus when it is active.
class Other : public QWidget {
public:
    Other() {
        setObjectName(QStringLiteral("otra"));
        edit = new QLineEdit(this);
        edit->setGeometry(10, 10, 100, 24);
        resize(200, 60);
    }
    // Shows this window and makes it the active one.
    bool bringUp() {
        show();
        activateWindow();
        return QTest::qWaitForWindowActive(this);
    }
    QLineEdit* edit;
};

// Scripted boxes that, while one is shown, put up a real window and make it the active
// one, as a modal box does, and then give the activation back to the window it was shown
// over.
class ActivatingMessages : public ScriptedMessages {
public:
    void information(QWidget* parent, const QString& text) override {
        Other box;
        activated = box.bringUp();
        focusInBox = box.isAncestorOf(QApplication::focusWidget());
        if (whileShown)
            whileShown();
        box.hide();
        parent->window()->activateWindow();
        reactivated = QTest::qWaitForWindowActive(parent->window());
        ScriptedMessages::information(parent, text);
    }

    bool activated = false;
    bool reactivated = false;
    bool focusInBox = false;
    std::function<void()> whileShown;
};

} // namespace

class TestLeave : public QObject {
    Q_OBJECT

    std::unique_ptr<ScriptedMessages> messages;
    std::unique_ptr<ScriptedWindows> windows;
    std::unique_ptr<Leaving> w;

    void showWindow() {
        w = std::make_unique<Leaving>();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        QVERIFY(w->focusOn(w->a));
        w->log.clear();
    }

private slots:
    void init() {
        messages = std::make_unique<ScriptedMessages>();
        windows = std::make_unique<ScriptedWindows>();
        showWindow();
    }
    void cleanup() {
        w.reset();
        windows.reset();
        messages.reset();
    }

    void tabAndShiftTabLeaveOnce() {
        connect(w->a, &QLineEdit::editingFinished, w.get(),
                [&] { w->log.append(QStringLiteral("a edited")); });
        QTest::keyClicks(w->a, QStringLiteral("12"));
        QTest::keyClick(w->a, Qt::Key_Tab);
        QVERIFY(w->b->hasFocus());
        // The box has finished its own editing first.
        QCOMPARE(w->log, QStringList({"a edited", "a"}));
        QCOMPARE(w->focusSeen, w->b); // the focus has moved when the handler runs

        QTest::keyClick(w->b, Qt::Key_Tab, Qt::ShiftModifier);
        QVERIFY(w->a->hasFocus());
        QCOMPARE(w->log, QStringList({"a edited", "a", "b"}));
    }

    void aClickOnAnotherBoxLeavesOnce() {
        QTest::mouseClick(w->c, Qt::LeftButton);
        QVERIFY(w->c->hasFocus());
        QCOMPARE(w->log, QStringList({"a"}));
        QTest::mouseClick(w->c, Qt::LeftButton); // already there: no leaving
        QCOMPARE(w->log, QStringList({"a"}));
    }

    void settingTheFocusFromCodeLeavesOnce() {
        w->date->setFocus();
        QVERIFY(w->date->hasFocus());
        QCOMPARE(w->log, QStringList({"a"}));
        w->c->setFocus();
        QCOMPARE(w->log, QStringList({"a", "date"}));
    }

    void aCaptionsShortcutLeavesOnce() {
        QTest::keyClick(w->a, Qt::Key_C, Qt::AltModifier);
        QVERIFY(w->c->hasFocus());
        QCOMPARE(w->log, QStringList({"a"}));
    }

    void movesQtMakesForAnActivationOrAPopupAreNotLeavings() {
        // The reasons Qt gives when it puts the focus back in a window that becomes active
        // again, or when a popup closes.
        w->c->setFocus(Qt::ActiveWindowFocusReason);
        QVERIFY(w->c->hasFocus());
        w->a->setFocus();
        w->c->setFocus(Qt::PopupFocusReason);
        QVERIFY(w->c->hasFocus());
        w->a->setFocus();
        w->c->setFocus(Qt::MenuBarFocusReason);
        QVERIFY(w->log.isEmpty());
        w->a->setFocus();
        w->c->setFocus(Qt::OtherFocusReason);
        QCOMPARE(w->log, QStringList({"a"}));
    }

    void theLeavingRunsBeforeTheClickOnTheButtonThatTookTheFocus() {
        QTest::mouseClick(w->save, Qt::LeftButton);
        QCOMPARE(w->log, QStringList({"a", "save"}));
    }

    void aClickPastAFailedExitCheckDoesNotPressTheButton() {
        // The check fails: the save is not pressed, and the next click is a click again.
        w->onLeaveA = [] { throw ConversionError(QStringLiteral("porcentaje no válido")); };
        QTest::mouseClick(w->save, Qt::LeftButton);
        QCOMPARE(w->log, QStringList({"a"}));
        QCOMPARE(messages->errors(), QStringList({"porcentaje no válido"}));
        QTest::mouseClick(w->save, Qt::LeftButton);
        QCOMPARE(w->log, QStringList({"a", "save"}));
        // The check puts the focus back on its box: the save is not pressed either.
        w->log.clear();
        QVERIFY(w->focusOn(w->a));
        w->onLeaveA = [&] { w->a->setFocus(); };
        QTest::mouseClick(w->save, Qt::LeftButton);
        QCOMPARE(w->log, QStringList({"a"}));
        QVERIFY(w->a->hasFocus());
        QVERIFY(!w->save->isDown());
    }

    void anotherActiveWindowIsNotALeaving() {
        Other other;
        QVERIFY(other.bringUp());
        QVERIFY(!w->a->hasFocus());
        QCOMPARE(QApplication::focusWidget(), other.edit);
        other.edit->setFocus();

        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        QCOMPARE(QApplication::focusWidget(), w->a); // back where it was
        QVERIFY(w->log.isEmpty());

        QTest::keyClick(w->a, Qt::Key_Tab);
        QCOMPARE(w->log, QStringList({"a"}));
    }

    void theListsPopupIsNotALeaving() {
        QVERIFY(w->focusOn(w->combo));
        w->log.clear();
        w->combo->showPopup();
        QVERIFY(w->combo->view()->isVisible());
        QCOMPARE(QApplication::activePopupWidget(), w->combo->view()->window());
        w->combo->hidePopup();
        QVERIFY(!w->combo->view()->isVisible());
        QVERIFY(w->log.isEmpty());

        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QVERIFY(w->date->hasFocus());
        QCOMPARE(w->log, QStringList({"combo"}));
    }

    void theCalendarPopupIsNotALeaving() {
        QVERIFY(w->focusOn(w->date));
        w->log.clear();
        // The arrow at the right end of the box opens the calendar.
        QTest::mouseClick(w->date, Qt::LeftButton, {},
                          QPoint(w->date->width() - 4, w->date->height() / 2));
        QWidget* popup = w->date->calendarWidget()->window();
        QVERIFY(popup->isVisible());
        QCOMPARE(QApplication::activePopupWidget(), popup);
        popup->close();
        QVERIFY(!popup->isVisible());
        QVERIFY(w->log.isEmpty());

        QTest::mouseClick(w->b, Qt::LeftButton);
        QCOMPARE(w->log, QStringList({"date"}));
    }

    void movesInsideAControlAreNotLeavings() {
        // An editable list keeps the focus on itself when its line edit is given it, or
        // clicked.
        QVERIFY(w->focusOn(w->combo));
        w->log.clear();
        w->combo->lineEdit()->setFocus(Qt::MouseFocusReason);
        QTest::mouseClick(w->combo->lineEdit(), Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), w->combo);
        QVERIFY(w->log.isEmpty());

        // A control made of several boxes is left when the focus goes out of all of them,
        // also from a box put in it after its leaving was watched.
        QTest::mouseClick(w->amountValue, Qt::LeftButton);
        QCOMPARE(w->log, QStringList({"combo"}));
        QTest::keyClick(w->amountValue, Qt::Key_Tab);
        QVERIFY(w->amountCurrency->hasFocus());
        QTest::mouseClick(w->amountValue, Qt::LeftButton);
        QVERIFY(w->amountValue->hasFocus());
        w->amountCurrency->setFocus();
        QCOMPARE(w->log, QStringList({"combo"}));
        QTest::keyClick(w->amountCurrency, Qt::Key_Tab);
        QVERIFY(w->save->hasFocus());
        QCOMPARE(w->log, QStringList({"combo", "amount"}));
        QTest::mouseClick(w->amountValue, Qt::LeftButton);
        QTest::keyClick(w->amountValue, Qt::Key_Tab, Qt::ShiftModifier);
        QVERIFY(w->date->hasFocus());
        QCOMPARE(w->log, QStringList({"combo", "amount", "amount"}));
    }

    void aHandlerRunsInsideTheGuardAndMayShowABox() {
        w->onLeaveA = [&] { w->inform(QStringLiteral("Avance registrado")); };
        QTest::keyClick(w->a, Qt::Key_Tab);
        QCOMPARE(w->log, QStringList({"a"}));
        QVERIFY(w->inAction);
        QCOMPARE(messages->texts(), QStringList({"Avance registrado"}));
        QVERIFY(w->b->hasFocus());
    }

    void anErrorInAHandlerIsShownOnceAndGoesNoFurther() {
        w->onLeaveA = [] { throw ConversionError(QStringLiteral("\"x\" no es un número")); };
        QTest::mouseClick(w->b, Qt::LeftButton);
        QCOMPARE(w->log, QStringList({"a"}));
        QCOMPARE(messages->shown().size(), 1);
        QCOMPARE(messages->errors(), QStringList({"\"x\" no es un número"}));
        QVERIFY(w->b->hasFocus()); // the move itself stands
        QVERIFY(!ActionScope::active());
    }

    void aHandlerThatPutsTheFocusBackRunsOnce() {
        // Bounded, so that two boxes taking the focus from each other for ever would show
        // as a failure and not as a hang.
        w->onLeaveA = [&] {
            if (w->log.size() < 10)
                w->a->setFocus();
        };
        w->onLeaveB = [&] {
            if (w->log.size() < 10)
                w->b->setFocus();
        };
        QTest::keyClick(w->a, Qt::Key_Tab);
        QVERIFY(w->a->hasFocus());
        // Leaving b for a, done by a's handler, is not a leaving of b by the user.
        QCOMPARE(w->log, QStringList({"a"}));

        QTest::mouseClick(w->c, Qt::LeftButton);
        QVERIFY(w->a->hasFocus());
        QCOMPARE(w->log, QStringList({"a", "a"}));
    }

    void aBoxShownThroughTheWindowIsNotALeaving() {
        messages.reset(); // one stand-in at a time
        auto* activating = new ActivatingMessages;
        messages.reset(activating);
        w->onEnterA = [&] { w->inform(QStringLiteral("Guardado")); };
        QTest::keyClick(w->a, Qt::Key_Return);
        QCOMPARE(activating->texts(), QStringList({"Guardado"}));
        QVERIFY(activating->activated);
        QVERIFY(activating->focusInBox);
        QVERIFY(activating->reactivated);
        QVERIFY(w->a->hasFocus());
        QVERIFY(w->log.isEmpty());
    }

    void focusMovesWhileABoxIsShownAreNotLeavings() {
        // A platform that leaves the window active under its box, and moves the focus in it.
        messages.reset();
        auto* moving = new ActivatingMessages;
        messages.reset(moving);
        moving->whileShown = [&] {
            w->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(w.get()));
            QVERIFY(w->a->hasFocus());
            w->c->setFocus();
            QVERIFY(w->c->hasFocus());
        };
        w->onEnterA = [&] { w->inform(QStringLiteral("Guardado")); };
        QTest::keyClick(w->a, Qt::Key_Return);
        QCOMPARE(moving->texts(), QStringList({"Guardado"}));
        QVERIFY(w->log.isEmpty());

        QVERIFY(w->c->hasFocus());
        w->b->setFocus(); // after the box, leavings count again
        w->a->setFocus();
        QCOMPARE(w->log, QStringList({"b"}));
    }

    void aChildWindowIsNotALeavingAndLeavesInsideItCount() {
        Leaving child;
        child.setObjectName(QStringLiteral("FRMhija"));
        windows->whenShown("FRMhija", [&](Form&) {
            QVERIFY(child.focusOn(child.a));
            QVERIFY(!w->a->hasFocus());
            QTest::keyClick(child.a, Qt::Key_Tab);
            QVERIFY(child.b->hasFocus());
        });
        w->onEnterA = [&] { w->open(&child); };
        QTest::keyClick(w->a, Qt::Key_Return);
        QCOMPARE(windows->shown(), QStringList({"FRMhija"}));
        QCOMPARE(child.log, QStringList({"a"}));
        QVERIFY(w->log.isEmpty());
    }

    void focusMovesInTheOpenerWhileAWindowIsOpenAreNotLeavings() {
        // A platform that leaves the opener active, and moves the focus in it.
        Leaving child;
        child.setObjectName(QStringLiteral("FRMhija"));
        windows->whenShown("FRMhija", [&](Form&) {
            w->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(w.get()));
            QVERIFY(w->a->hasFocus());
            w->b->setFocus();
            QVERIFY(w->b->hasFocus());
        });
        w->onEnterA = [&] { w->open(&child); };
        QTest::keyClick(w->a, Qt::Key_Return);
        QCOMPARE(windows->shown(), QStringList({"FRMhija"}));
        QVERIFY(w->log.isEmpty());
    }
};

QObject* leaveTests() {
    return new TestLeave;
}

#include "tst_leave.moc"
