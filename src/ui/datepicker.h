#pragma once

#include <QDateEdit>

// A date box shown "dd/MMM/yyyy" in the user's language, with a calendar to pick from and
// an earliest and a latest date.
class DatePicker : public QDateEdit {
    Q_OBJECT
public:
    explicit DatePicker(QWidget* parent = nullptr);
    void setEarliest(const QDate& date) { setMinimumDate(date); }
    void setLatest(const QDate& date) { setMaximumDate(date); }
};
