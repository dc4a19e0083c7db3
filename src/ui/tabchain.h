#pragma once

#include <QList>

class QWidget;

// Tab goes through a window's controls in the order a person reads them: its layouts from
// top to bottom and from left to right; in a form layout the caption and then its box, row
// by row; in a grid layout row by row, each row from left to right; inside a box or a
// scroll area, its own controls in their place. Not in the order the controls were made.
namespace TabChain {

// The controls of `window` that take the focus by Tab, in reading order: every one of its
// layouts holds, hidden and disabled ones too (Tab passes over them while they are, and
// stops at them once they are shown or enabled); then those no layout holds, in the order
// they were made. A read-only box is one of them, so that it can be read with a screen
// reader; a label is not. A compound control (a list, a date box) is one control.
QList<QWidget*> readingOrder(QWidget* window);

// Makes Tab follow the reading order of `window`. Tab also leaves a memo and a grid: a memo
// does not take tab characters, a grid moves between its rows with the arrows.
void install(QWidget* window);

} // namespace TabChain
