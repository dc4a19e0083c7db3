#pragma once

#include "goalentryform.h"

class ClickLabel;

// Initial data of a ministry product: its start and end, and its goals, stored one by one,
// each followed by the closing goal. The register browser prepares it.
class TFRMingresoMN : public GoalEntryForm {
    Q_OBJECT
public:
    explicit TFRMingresoMN(QWidget* parent = nullptr);

    // Disables the four date pickers.
    void d_botones() override;

    QPushButton* BTNrespon;
    QPushButton* BTNsector;
    ClickLabel* Label34;
    ClickLabel* Image1;

    void BTNagregaClick();
    void DTPdesdeChange();
    void DTPdesdeExit();
    void DTPhastaChange();
    void DTPhastaExit();
    void BTNagrehitClick();
    void BTNcancelaClick();
    void BTNresponClick();
    void BTNsectorClick();
    void Label34Click();
    void Edit3Change();

protected:
    void FormActivate() override;
};
