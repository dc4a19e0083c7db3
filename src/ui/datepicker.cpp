#include "datepicker.h"

#include <QCalendarWidget>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScopedValueRollback>

DatePicker::DatePicker(QWidget* parent)
    : QDateEdit(parent) {
    setDisplayFormat(QStringLiteral("dd/MMM/yyyy"));
    setCalendarPopup(true);
    setDate(QDate::currentDate());
    setMinimumDate(QDate(1900, 1, 1));
    setMaximumDate(QDate(2999, 12, 31));
    // A press on the text reaches the box's line edit, not the box.
    lineEdit()->installEventFilter(this);
    // The calendar sets the date through the box's own slot, not through setDate() below:
    // what it picks is the user's.
    connect(this, &QDateEdit::dateChanged, this, [this] {
        if (m_programChanges == 0)
            emit dateEdited();
    });
}

void DatePicker::setDate(const QDate& date) {
    const QScopedValueRollback program(m_programChanges, m_programChanges + 1);
    QDateEdit::setDate(date);
}

void DatePicker::setEarliest(const QDate& date) {
    const QScopedValueRollback program(m_programChanges, m_programChanges + 1);
    setMinimumDate(date);
}

void DatePicker::setLatest(const QDate& date) {
    const QScopedValueRollback program(m_programChanges, m_programChanges + 1);
    setMaximumDate(date);
}

bool DatePicker::focusNextPrevChild(bool next) {
    // Not to the next part of the date, as a date box of Qt goes: to the next control.
    return QWidget::focusNextPrevChild(next);
}

void DatePicker::mousePressEvent(QMouseEvent* event) {
    emit clicked();
    QDateEdit::mousePressEvent(event);
}

void DatePicker::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F4 ||
        (event->key() == Qt::Key_Down && (event->modifiers() & Qt::AltModifier)))
        emit clicked();
    QDateEdit::keyPressEvent(event);
}

void DatePicker::focusInEvent(QFocusEvent* event) {
    const Qt::FocusReason reason = event->reason();
    if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
        reason == Qt::ShortcutFocusReason)
        emit clicked();
    QDateEdit::focusInEvent(event);
}

bool DatePicker::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lineEdit() && event->type() == QEvent::MouseButtonPress)
        emit clicked();
    return QDateEdit::eventFilter(watched, event);
}
