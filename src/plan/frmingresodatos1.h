#pragma once

#include "goalentryform.h"

// Initial data of a territorial action: its dates, goals and attributes. So far the window
// has what the register browser prepares before it shows it: the header boxes, the dates,
// the goal list and the buttons it disables.
class TFRMingresodatos1 : public GoalEntryForm {
    Q_OBJECT
public:
    explicit TFRMingresodatos1(QWidget* parent = nullptr);

    // Disables the attribute buttons and the four date pickers.
    void d_botones() override;

    QPushButton* BTNmun;
    QPushButton* BTNresp;
    QPushButton* BTNefecto;
    QPushButton* BTNorga;
    QPushButton* BTNsector;
    QPushButton* BTNindica;
    QPushButton* BTNplan;
    QPushButton* BitBtn2;

    // Which attributes the action has, "S" or "N": hidden boxes the pickers set when they
    // are left, whichever window opened them; written to the action's row.
    QLineEdit* EDImun;
    QLineEdit* EDIorga;
    QLineEdit* EDIresp;
    QLineEdit* EDIindica;
    QLineEdit* EDIsector;
    QLineEdit* EDIefecto;
};
