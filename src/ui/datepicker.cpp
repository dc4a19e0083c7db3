#include "datepicker.h"

#include <QCalendarWidget>

DatePicker::DatePicker(QWidget* parent)
    : QDateEdit(parent) {
    setDisplayFormat(QStringLiteral("dd/MMM/yyyy"));
    setCalendarPopup(true);
    setDate(QDate::currentDate());
    setMinimumDate(QDate(1900, 1, 1));
    setMaximumDate(QDate(2999, 12, 31));
}
