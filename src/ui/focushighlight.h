#pragma once

#include <QObject>
#include <QPalette>

class QWidget;

// Gives a box one colour of its own: its background (QPalette::Base) or its text.
void paintBox(QWidget* box, QPalette::ColorRole role, const QColor& colour);

// The box being typed in is yellow: every editable box under a window turns yellow while
// it has the focus and gets its own colour back when it loses it.
class FocusHighlight : public QObject {
    Q_OBJECT
public:
    static void install(QWidget* root);
    static const QColor& colour();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using QObject::QObject;
};
