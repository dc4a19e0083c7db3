#include "leavewatch.h"

#include <QApplication>
#include <QChildEvent>
#include <QFocusEvent>
#include <QPointer>
#include <QWidget>
#include <utility>

namespace {

// The reasons a person moving through the window gives. The others are the window losing
// the focus to another one (a box, a window) or getting it back, and a popup taking it or
// giving it back. A popup is no sure sign: an editable list gives the focus to its popup
// list with the reason "other", so where the focus lands decides too.
bool byUser(Qt::FocusReason reason) {
    switch (reason) {
    case Qt::MouseFocusReason:
    case Qt::TabFocusReason:
    case Qt::BacktabFocusReason:
    case Qt::ShortcutFocusReason:
    case Qt::OtherFocusReason:
        return true;
    default:
        return false;
    }
}

// Swallows the rest of one mouse click on a widget: the press under way and its release.
class ClickEater : public QObject {
public:
    explicit ClickEater(QWidget* target)
        : QObject(target) {
        target->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            return true;
        case QEvent::MouseButtonRelease:
            watched->removeEventFilter(this); // the next click is a click again
            deleteLater();
            return true;
        default:
            return false;
        }
    }
};

} // namespace

LeaveWatch* LeaveWatch::watch(QWidget* control, std::function<bool()> left) {
    return new LeaveWatch(control, std::move(left));
}

LeaveWatch::LeaveWatch(QWidget* control, std::function<bool()> left)
    : QObject(control)
    , m_control(control)
    , m_left(std::move(left)) {
    follow(control);
    // Sent once the old widget has had its focus-out and the new one its focus-in, so the
    // callback finds both done with the move (a date box has read its text, say).
    connect(qApp, &QApplication::focusChanged, this, &LeaveWatch::focusChanged);
}

void LeaveWatch::follow(QWidget* widget) {
    // The focus-out goes to the widget that had the focus: inside an editable list or a
    // date box that is their line edit.
    widget->installEventFilter(this);
    const auto inner = widget->findChildren<QWidget*>();
    for (QWidget* w : inner)
        w->installEventFilter(this);
}

bool LeaveWatch::inside(const QWidget* widget) const {
    return widget && (widget == m_control || m_control->isAncestorOf(widget));
}

bool LeaveWatch::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut) {
        // A popup of the control (a list, a calendar) is a child of it but a window of its
        // own: its focus-outs are not the control's. Only the latest focus-out counts.
        if (!inside(static_cast<QWidget*>(watched)))
            return false;
        m_focusOut = true;
        m_reason = static_cast<QFocusEvent*>(event)->reason();
    } else if (event->type() == QEvent::ChildAdded) {
        // A line edit given to the control later (a list made editable) is inside it too.
        QObject* child = static_cast<QChildEvent*>(event)->child();
        if (child->isWidgetType() && watched->isWidgetType())
            follow(static_cast<QWidget*>(child));
    }
    return false;
}

void LeaveWatch::focusChanged(QWidget* old, QWidget* now) {
    if (!inside(old))
        return;
    const bool focusOut = std::exchange(m_focusOut, false);
    if (!focusOut || !byUser(m_reason))
        return;
    if (!now || inside(now) || now->window() != m_control->window())
        return;
    const QPointer<QWidget> landed = now;
    const bool stands = m_left() && landed && QApplication::focusWidget() == landed;
    // A press of the mouse moved the focus: the rest of that click is not for the control
    // it landed on when the move did not stand.
    if (!stands && landed && m_reason == Qt::MouseFocusReason &&
        QApplication::mouseButtons() != Qt::NoButton)
        new ClickEater(landed);
}
