#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QList>
#include <QPointer>
#include <QPushButton>
#include <QString>
#include <QVBoxLayout>
#include <functional>
#include <initializer_list>
#include <type_traits>
#include <utility>

class QAbstractButton;
class QBoxLayout;
class QHBoxLayout;
class QPlainTextEdit;
class QPrinter;
struct Sheet;
class QWidget;

// The base of every window: a dialog with its screen number in the top-left corner, its
// title, and an activation step (FormActivate).
//
// How a window shows anything:
// - Another window only through open(child): the child's activation runs, then the child
//   is shown modally; what the opener's action wrote so far is committed first, and what is
//   done in the child is made of actions of its own. showModal() is not to be had otherwise.
// - A box only through inform(), confirm() and error(): what the action wrote so far is
//   committed first, so that no lock is held while a person reads it. Put the box last in an
//   action, or ask the question before the first write.
// - Showing a box or a window by any other way while an action holds its transaction is a
//   fault: refused loudly in debug builds and tests (see ModalRuns::setStrict).
//
// When the activation runs again ("each time the window becomes the active window"):
// - when the window is opened, before it shows; an error there is shown over the opener;
// - when a box shown through the window closes (unless the window opts out), inside the
//   handler that showed it, so that an error in it stops that handler;
// - when a window opened through open() closes (unless the window opts out);
// - never after the standard error box of a failed action or activation, so that an
//   activation that fails cannot run again and again.
//
// The keyboard: Tab goes through the controls in the order the layouts show them (see
// TabChain), each time the window shows; a caption with '&' gives Alt and its letter to its
// box (see caption()), a button's to the button. Escape and Enter do what keys() says.
class Form : public QDialog {
    Q_OBJECT
public:
    Form(const QString& objectName, const QString& caption, QWidget* parent = nullptr);
    ~Form() override;

    // Shows a window opened from this one; when it closes this one activates again.
    int open(Form* child);

    // The boxes of the system, shown over this window.
    void inform(const QString& text);
    bool confirm(const QString& text);
    void error(const QString& text);

    // The file dialog and the print preview (see Outputs), shown over this window like a
    // box, but this window does not activate again when they close: they show what it
    // holds and change nothing.
    QString chooseFile(const QString& caption, const QString& suggested, const QString& filters);
    QString chooseFileToRead(const QString& caption, const QString& filters);
    void printPreview(const std::function<void(QPrinter*)>& paint);
    // "Imprimir" and "Exportar" of a listing: the preview of its pages; the file dialog,
    // then the sheet written as PDF or CSV, as the user chose (nothing when cancelled).
    void printSheet(const Sheet& sheet);
    void exportSheet(const Sheet& sheet, const QString& suggestedName);

    // Runs a user action as a guarded handler (see runGuarded).
    bool guard(const std::function<void()>& action);

    // Runs the activation step inside a guard; its error box shows over `over` (this window
    // when none is given).
    void activate(QWidget* over = nullptr);

    // What the title bar and borders take around a window before the platform has told.
    static QSize frameAllowance() { return {2 * 4, 32 + 4}; }

    // The area below the header where a window puts its controls.
    QVBoxLayout* body() const { return m_body; }

protected:
    virtual void FormActivate() {}

    // A control of this window with its name: make<QLineEdit>("EDIavance"),
    // make<QLabel>("Label1", "Unidad:"). Arguments go to the control's constructor, before
    // its parent.
    template <typename W, typename... Args> W* make(const QString& name, Args&&... args) {
        auto* w = new W(std::forward<Args>(args)..., this);
        w->setObjectName(name);
        return w;
    }

    // Connects a control's signal to a handler of this window, run inside a guard. A box
    // whose Enter (returnPressed) runs a handler keeps its Enter to itself: it presses no
    // button of keys(). A check box's click handler runs whenever the box's state changes:
    // by the mouse, the space bar, the toggle of assistive technology or voice control, or
    // the window's own code.
    template <typename Sender, typename Signal, typename Owner>
    void handle(Sender* sender, Signal signal, void (Owner::*handler)()) {
        if constexpr (std::is_same_v<Signal, void (QLineEdit::*)()>)
            if (signal == &QLineEdit::returnPressed)
                m_ownEnter.append(sender);
        if constexpr (std::is_base_of_v<QCheckBox, Sender> &&
                      std::is_same_v<Signal, void (QAbstractButton::*)(bool)>)
            if (signal == &QAbstractButton::clicked) {
                handle(sender, &QAbstractButton::toggled, handler);
                return;
            }
        connect(sender, signal, this, [this, handler] {
            guard([this, handler] { (static_cast<Owner*>(this)->*handler)(); });
        });
    }

    // Runs a handler of this window, inside a guard, when the user leaves `control`: the
    // focus goes from it (or from a widget inside it) to another control of this window,
    // by Tab, Shift+Tab, a click, a caption's shortcut or a setFocus() from code. Not when
    // a box, a window or a popup (a list, a calendar) opens, nor when another window
    // becomes the active one. It runs as soon as the focus has moved (the control has
    // finished its own editing), before the click that moved it reaches the clicked
    // button. While it runs, or while this window shows a box or a window opened through
    // it, leaving other controls of this window runs nothing: the handler may show a box
    // or put the focus back on its control. When it fails or puts the focus back, the
    // click that moved the focus is not passed on: the button clicked is not pressed.
    template <typename Owner> void handleLeave(QWidget* control, void (Owner::*handler)()) {
        watchLeave(control, [this, handler] { (static_cast<Owner*>(this)->*handler)(); });
    }

    // Which closings re-run the activation: of a message box, of a window opened from
    // this one. Both by default.
    void setReactivation(bool afterBoxes, bool afterWindows);

    // The window's keys, pressing a button as a click does (its handler runs guarded), and
    // only while that button is shown and enabled:
    // - Escape presses `escape`, the button that closes the window ("Salir", "Cerrar"...).
    //   Without one, Escape does nothing.
    // - Enter in a box presses `enter`, the window's one main action, where pressing it from
    //   any box is safe and expected (logging in). Without one, Enter in a box presses
    //   nothing.
    // Enter on a button presses that button, as Space does, in every window.
    void keys(QAbstractButton* enter, QAbstractButton* escape);
    // Escape closes a window that has no leaving button of its own (a chooser, a viewer),
    // as the window's close box does.
    void escapeCloses() { m_escapeCloses = true; }

    // The size the window opens at the first time it shows: `preferred` where the screen has
    // room for it, else as much as the free area of the screen (above a task bar) holds
    // with the window's title bar and borders, and never less than its controls need, so
    // that on a laptop's 1366 x 768 screen the grids and memos give way and every control
    // stays in sight.
    void setOpeningSize(int width, int height);

    // Tab goes from `before` to `after`, where the order of the layouts is not the one a
    // person follows in this window. Kept each time the window shows.
    void tabOrder(QWidget* before, QWidget* after);

    // The header: the screen number label in the corner and the title label.
    QLabel* screenNumber(const QString& name, const QString& number);
    QLabel* title(const QString& name, const QString& text);

    // A hidden label through which a caller hands this window a value before showing it
    // (a unit code, a product number, a mode letter).
    QLabel* parameter(const QString& name, const QString& text = QString());
    // A button with its caption; the window places it (see row()).
    QPushButton* button(const QString& name, const QString& caption);
    // Puts controls side by side in a new row at the end of the body; a stretch after
    // them keeps them to the left, before them to the right.
    QHBoxLayout* row(std::initializer_list<QWidget*> controls, Qt::Alignment align = Qt::AlignLeft);

    // Makes `label` the caption of `box`: its buddy, and the box's accessible name.
    static void caption(QLabel* label, QWidget* box);
    // One caption over the boxes of its line (a list and the box that shows the name chosen
    // in it, or a list and the box shown instead of it): the first is its buddy, and a
    // screen reader calls each by it. Null boxes are left out.
    static void caption(QLabel* label, const QList<QWidget*>& boxes);
    // Boxes under their captions, one pair a line, each label the caption of its box; the
    // window puts the layout where it belongs.
    static QFormLayout* fields(std::initializer_list<std::pair<QLabel*, QWidget*>> rows);
    // A box and a memo of `lines` lines that show what a caller hands over, read-only.
    QLineEdit* readOnlyBox(const QString& name);
    QPlainTextEdit* readOnlyMemo(const QString& name, int lines = 4);

    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void setVisible(bool visible) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Runs the activation, then shows the window modally until it closes.
    int showModal(QWidget* opener);
    QLabel* headerLabel(const QString& name, const QString& text, qreal scale);
    void box(const std::function<void()>& show);
    void dialog(const std::function<void()>& show);
    void reactivate(bool afterBox);
    void watchLeave(QWidget* control, std::function<void()> handler);
    // Presses `button` for a key, when it is shown and enabled.
    static bool press(QAbstractButton* button);

    QWidget* m_header;
    QVBoxLayout* m_body;
    bool m_afterBoxes = true;
    bool m_afterWindows = true;
    // Above zero while leavings of this window's controls run nothing.
    int m_leavesHeld = 0;
    QPointer<QAbstractButton> m_enter;
    QPointer<QAbstractButton> m_escape;
    bool m_escapeCloses = false;
    QSize m_openingSize;
    QList<QPointer<QObject>> m_ownEnter;
    // The Enter key press a box with an Enter of its own has had, on its way to the window.
    const QKeyEvent* m_enterOwned = nullptr;
    QList<std::pair<QPointer<QWidget>, QPointer<QWidget>>> m_tabOrder;
};
