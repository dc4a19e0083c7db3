#pragma once

#include <QLabel>
#include <QString>

// Hands a picker the product it attaches to: the unit code into its LBLcodigo, the product
// or action number into its LBLproy (LBLprod in the sectorial-plan picker). The caller then
// shows it.
template <typename Picker>
void handProduct(Picker* picker, const QString& unit, const QString& number) {
    picker->LBLcodigo->setText(unit);
    if constexpr (requires { picker->LBLprod; })
        picker->LBLprod->setText(number);
    else
        picker->LBLproy->setText(number);
}
