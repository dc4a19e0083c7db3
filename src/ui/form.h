#pragma once

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QString>
#include <QVBoxLayout>
#include <functional>

class QWidget;

// The base of every window: a dialog with its screen number in the top-left corner, its
// title, and an activation step (FormActivate) that runs when the window is shown, and
// again when a message box or a window opened through it closes.
class Form : public QDialog {
    Q_OBJECT
public:
    Form(const QString& objectName, const QString& caption, QWidget* parent = nullptr);
    ~Form() override;

    // Runs the activation, then shows the window modally until it closes.
    int showModal();
    // Shows a window opened from this one; when it closes this one activates again.
    int open(Form* child);

    // The boxes of the system, shown over this window.
    void inform(const QString& text);
    bool confirm(const QString& text);
    void error(const QString& text);

    // Runs a user action as a guarded handler (see runGuarded).
    bool guard(const std::function<void()>& action);

    // Runs the activation step inside a guard.
    void activate();

    // The area below the header where a window puts its controls.
    QVBoxLayout* body() const { return m_body; }

protected:
    virtual void FormActivate() {}

    // Connects a control's signal to a handler of this window, run inside a guard.
    template <typename Sender, typename Signal, typename Owner>
    void handle(Sender* sender, Signal signal, void (Owner::*handler)()) {
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
    // or put the focus back on its control.
    template <typename Owner> void handleLeave(QWidget* control, void (Owner::*handler)()) {
        watchLeave(control, [this, handler] { (static_cast<Owner*>(this)->*handler)(); });
    }

    // Which closings re-run the activation: of a message box, of a window opened from
    // this one. Both by default.
    void setReactivation(bool afterBoxes, bool afterWindows);

    // The header: the screen number label in the corner and the title label.
    QLabel* screenNumber(const QString& name, const QString& number);
    QLabel* title(const QString& name, const QString& text);

    // A hidden label through which a caller hands this window a value before showing it
    // (a unit code, a product number, a mode letter).
    QLabel* parameter(const QString& name, const QString& text = QString());
    // A button with its caption, placed in the body.
    QPushButton* button(const QString& name, const QString& caption);

    // Makes `label` the caption of `box`: its buddy, and the box's accessible name.
    static void caption(QLabel* label, QWidget* box);

    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QLabel* headerLabel(const QString& name, const QString& text, qreal scale);
    void box(const std::function<void()>& show);
    void reactivate(bool afterBox);
    void watchLeave(QWidget* control, std::function<void()> handler);

    QWidget* m_header;
    QVBoxLayout* m_body;
    bool m_afterBoxes = true;
    bool m_afterWindows = true;
    // Above zero while leavings of this window's controls run nothing.
    int m_leavesHeld = 0;
};
