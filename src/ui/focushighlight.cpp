#include "focushighlight.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QPalette>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace {

bool editable(QWidget* w) {
    if (auto* e = qobject_cast<QLineEdit*>(w))
        return !e->isReadOnly();
    if (auto* e = qobject_cast<QPlainTextEdit*>(w))
        return !e->isReadOnly();
    if (auto* e = qobject_cast<QTextEdit*>(w))
        return !e->isReadOnly();
    if (auto* e = qobject_cast<QAbstractSpinBox*>(w))
        return !e->isReadOnly();
    if (auto* e = qobject_cast<QComboBox*>(w))
        return e->isEditable();
    return false;
}

} // namespace

const QColor& FocusHighlight::colour() {
    static const QColor yellow(Qt::yellow);
    return yellow;
}

void FocusHighlight::install(QWidget* root) {
    auto* filter = root->findChild<FocusHighlight*>(QString(), Qt::FindDirectChildrenOnly);
    if (!filter)
        filter = new FocusHighlight(root);
    const auto widgets = root->findChildren<QWidget*>();
    for (QWidget* w : widgets) {
        // A date box or an editable list takes the focus in its own line edit; the
        // colour goes on the whole box.
        if (qobject_cast<QLineEdit*>(w) && (qobject_cast<QAbstractSpinBox*>(w->parentWidget()) ||
                                            qobject_cast<QComboBox*>(w->parentWidget())))
            continue;
        if (qobject_cast<QLineEdit*>(w) || qobject_cast<QPlainTextEdit*>(w) ||
            qobject_cast<QTextEdit*>(w) || qobject_cast<QAbstractSpinBox*>(w) ||
            qobject_cast<QComboBox*>(w)) {
            w->removeEventFilter(filter);
            w->installEventFilter(filter);
        }
    }
}

bool FocusHighlight::eventFilter(QObject* watched, QEvent* event) {
    auto* w = qobject_cast<QWidget*>(watched);
    if (!w || (event->type() != QEvent::FocusIn && event->type() != QEvent::FocusOut))
        return false;
    QWidget* target = w;
    if (event->type() == QEvent::FocusIn && editable(w) &&
        !target->property("ownPalette").isValid()) {
        target->setProperty("ownPalette", QVariant::fromValue(target->palette()));
        target->setProperty("ownPaletteSet", target->testAttribute(Qt::WA_SetPalette));
        paintBox(target, QPalette::Base, colour());
    } else if (event->type() == QEvent::FocusOut && target->property("ownPalette").isValid()) {
        // Back to the box's own colours, or to inheriting them as before.
        if (target->property("ownPaletteSet").toBool())
            target->setPalette(target->property("ownPalette").value<QPalette>());
        else
            target->setPalette(QPalette());
        target->setProperty("ownPalette", QVariant());
    }
    return false;
}

void paintBox(QWidget* box, QPalette::ColorRole role, const QColor& colour) {
    QPalette p = box->palette();
    p.setColor(role, colour);
    box->setPalette(p);
}
