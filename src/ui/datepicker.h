#pragma once

#include <QDateEdit>

// A date box shown "dd/MMM/yyyy" in the user's language, with a calendar to pick from and
// an earliest and a latest date. Tab leaves the box, as it leaves any other; the arrows
// move between day, month and year.
class DatePicker : public QDateEdit {
    Q_OBJECT
public:
    explicit DatePicker(QWidget* parent = nullptr);
    void setEarliest(const QDate& date) { setMinimumDate(date); }
    void setLatest(const QDate& date) { setMaximumDate(date); }

signals:
    // The user pressed the mouse on the box or its calendar button, before the box acts on
    // the press (a window may change the range the calendar then offers).
    void clicked();

protected:
    bool focusNextPrevChild(bool next) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
};
