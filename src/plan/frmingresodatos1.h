#pragma once

#include "goalentryform.h"

class ClickLabel;
class TerritorialAction;
struct ActionFlags;

// Initial data of a territorial action: its dates and its goals, stored one by one, each
// followed by the closing goal, numbered from 0. It is also where the action's attributes
// are attached (municipalities, indigenous groups, responsible persons, sector, indicators,
// sectorial plan) and its budget programmed. The register browser prepares it.
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
    ClickLabel* Label20;
    ClickLabel* Image1;

    // Which attributes the action has, "S" or "N": hidden boxes the pickers set when they
    // are left, whichever window opened them; written to the action's row.
    QLineEdit* EDImun;
    QLineEdit* EDIorga;
    QLineEdit* EDIresp;
    QLineEdit* EDIindica;
    QLineEdit* EDIsector;
    QLineEdit* EDIefecto;

    // The action's flags and its attribute rows.
    TerritorialAction* accion;

    void BTNagregaClick();
    void DTPdesdeChange();
    void DTPdesdeExit();
    void DTPhastaClick();
    void DTPhastaExit();
    void BTNagrehitClick();
    void DTMhastaClick();
    void BTNgrabhitClick() override;
    void BTNdeshacerClick() override;
    void BTNcancelaClick();
    void BitBtn5Click() override;
    void BTNmunClick();
    void BTNrespClick();
    void BTNorgaClick();
    void BTNsectorClick();
    void BTNindicaClick();
    void BTNplanClick();
    void BitBtn2Click();
    void Label20Click();

protected:
    void FormActivate() override;

private:
    ActionFlags flags() const;
    void showFlags(const ActionFlags& flags);
    // Hands the unit code and the action number to a picker and shows it.
    template <typename Picker> void openPicker(Picker* picker);
};
