#pragma once

#include <QDateEdit>

// A date box shown "dd/MMM/yyyy" in the user's language, with a calendar to pick from and
// an earliest and a latest date. Tab leaves the box, as it leaves any other; the arrows
// move between day, month and year.
class DatePicker : public QDateEdit {
    Q_OBJECT
public:
    explicit DatePicker(QWidget* parent = nullptr);
    // The program's own changes: they emit dateChanged, never dateEdited. A limit that
    // moves the date into the range changes it as the program's too. (A date set through
    // a QDateEdit pointer passes by these and counts as the user's.)
    void setDate(const QDate& date);
    void setEarliest(const QDate& date);
    void setLatest(const QDate& date);

signals:
    // The user changed the date: typed it, stepped it with the arrows, the wheel or the
    // box's buttons, or picked it in the calendar. Not for a date the program sets.
    void dateEdited();

    // The user comes to choose a date, before the box acts (a window may change the range
    // the box then offers): a press of the mouse on the box or its calendar button, or
    // their keys: Tab or a caption's shortcut into the box, Alt+Down or F4 for the
    // calendar.
    void clicked();

protected:
    bool focusNextPrevChild(bool next) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Above zero while the program changes the date or the limits.
    int m_programChanges = 0;
};
