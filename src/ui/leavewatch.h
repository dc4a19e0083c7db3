#pragma once

#include <QObject>
#include <functional>

class QWidget;

// Tells when the user leaves a control: the focus goes from the control, or from one of
// its own inner widgets (the line edit of an editable list or of a date box), to another
// control of the same window, by Tab, Shift+Tab, a click, a shortcut or a setFocus() from
// code. A box, a window or a popup that takes the focus, the window losing the focus to
// another one, and moves inside the control itself are not leavings.
//
// The callback runs synchronously once the focus has moved (the new control has had its
// focus-in already), before the event that moved it goes on: the click on a button that
// took the focus reaches the button afterwards. It runs inside Qt's event delivery, so it
// must not throw; Form::handleLeave runs it inside a guard. It returns whether the move
// stands: when it does not (the check failed, or put the focus back), the click that moved
// the focus does not reach the control it landed on, so a save is not pressed past a
// failed exit check.
class LeaveWatch : public QObject {
    Q_OBJECT
public:
    // Watches `control` while it lives (the watch is its child).
    static LeaveWatch* watch(QWidget* control, std::function<bool()> left);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    LeaveWatch(QWidget* control, std::function<bool()> left);
    void follow(QWidget* widget);
    bool inside(const QWidget* widget) const;
    void focusChanged(QWidget* old, QWidget* now);

    QWidget* m_control;
    std::function<bool()> m_left;
    bool m_focusOut = false;
    Qt::FocusReason m_reason = Qt::OtherFocusReason;
};
