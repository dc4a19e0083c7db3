#include "datepicker.h"

#include <QCalendarWidget>
#include <QLineEdit>
#include <QMouseEvent>

DatePicker::DatePicker(QWidget* parent)
    : QDateEdit(parent) {
    setDisplayFormat(QStringLiteral("dd/MMM/yyyy"));
    setCalendarPopup(true);
    setDate(QDate::currentDate());
    setMinimumDate(QDate(1900, 1, 1));
    setMaximumDate(QDate(2999, 12, 31));
    // A press on the text reaches the box's line edit, not the box.
    lineEdit()->installEventFilter(this);
}

void DatePicker::mousePressEvent(QMouseEvent* event) {
    emit clicked();
    QDateEdit::mousePressEvent(event);
}

bool DatePicker::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lineEdit() && event->type() == QEvent::MouseButtonPress)
        emit clicked();
    return QDateEdit::eventFilter(watched, event);
}
