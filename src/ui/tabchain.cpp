#include "tabchain.h"

#include <QAbstractItemView>
#include <QBoxLayout>
#include <QFormLayout>
#include <QGridLayout>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QSet>
#include <QTextEdit>
#include <QWidget>
#include <algorithm>

namespace {

bool takesTab(const QWidget* w) {
    return (w->focusPolicy() & Qt::TabFocus) != 0;
}

void readLayout(QLayout* layout, QList<QWidget*>& order);

void readWidget(QWidget* w, QList<QWidget*>& order) {
    if (w->isWindow())
        return;
    if (takesTab(w))
        order.append(w);
    if (auto* scroll = qobject_cast<QScrollArea*>(w)) {
        if (scroll->widget())
            readWidget(scroll->widget(), order);
    } else if (w->layout()) {
        readLayout(w->layout(), order);
    }
}

void readItem(QLayoutItem* item, QList<QWidget*>& order) {
    if (!item)
        return;
    if (QWidget* w = item->widget())
        readWidget(w, order);
    else if (QLayout* inner = item->layout())
        readLayout(inner, order);
}

void readLayout(QLayout* layout, QList<QWidget*>& order) {
    if (auto* form = qobject_cast<QFormLayout*>(layout)) {
        for (int r = 0; r < form->rowCount(); ++r)
            for (auto role :
                 {QFormLayout::LabelRole, QFormLayout::FieldRole, QFormLayout::SpanningRole})
                readItem(form->itemAt(r, role), order);
        return;
    }
    if (auto* grid = qobject_cast<QGridLayout*>(layout)) {
        // Row by row, each from left to right; what shares a cell in the order it was put.
        struct Place {
            int row, column, index;
        };
        QList<Place> places;
        for (int i = 0; i < grid->count(); ++i) {
            int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
            grid->getItemPosition(i, &row, &column, &rowSpan, &columnSpan);
            places.append({row, column, i});
        }
        std::stable_sort(places.begin(), places.end(), [](const Place& a, const Place& b) {
            return a.row != b.row ? a.row < b.row : a.column < b.column;
        });
        for (const Place& p : places)
            readItem(grid->itemAt(p.index), order);
        return;
    }
    const int count = layout->count();
    auto* box = qobject_cast<QBoxLayout*>(layout);
    const bool backwards = box && (box->direction() == QBoxLayout::RightToLeft ||
                                   box->direction() == QBoxLayout::BottomToTop);
    for (int i = 0; i < count; ++i)
        readItem(layout->itemAt(backwards ? count - 1 - i : i), order);
}

// Inside a control that takes the focus itself: the line edit of a list or a date box.
bool insideControl(const QWidget* w, const QWidget* window) {
    for (const QWidget* p = w->parentWidget(); p && p != window; p = p->parentWidget())
        if (takesTab(p) && !qobject_cast<const QScrollArea*>(p))
            return true;
    return false;
}

} // namespace

namespace TabChain {

QList<QWidget*> readingOrder(QWidget* window) {
    QList<QWidget*> order;
    if (window->layout())
        readLayout(window->layout(), order);
    const QSet<QWidget*> placed(order.cbegin(), order.cend());
    const auto all = window->findChildren<QWidget*>();
    for (QWidget* w : all)
        if (!placed.contains(w) && takesTab(w) && w->window() == window &&
            !insideControl(w, window))
            order.append(w);
    return order;
}

void install(QWidget* window) {
    const auto memos = window->findChildren<QPlainTextEdit*>();
    for (QPlainTextEdit* m : memos)
        m->setTabChangesFocus(true);
    const auto richMemos = window->findChildren<QTextEdit*>();
    for (QTextEdit* m : richMemos)
        m->setTabChangesFocus(true);
    const auto grids = window->findChildren<QAbstractItemView*>();
    for (QAbstractItemView* g : grids)
        if (g->window() == window)
            g->setTabKeyNavigation(false);
    const QList<QWidget*> order = readingOrder(window);
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

} // namespace TabChain
