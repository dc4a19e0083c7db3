#include "clicklabel.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

ClickLabel::ClickLabel(const QString& text, QWidget* parent)
    : QAbstractButton(parent) {
    setText(text);
    setCursor(Qt::PointingHandCursor);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    m_colour = palette().color(QPalette::WindowText);
}

void ClickLabel::setTextColour(const QColor& colour) {
    if (m_colour == colour)
        return;
    m_colour = colour;
    update();
}

QSize ClickLabel::sizeHint() const {
    const QFontMetrics fm(font());
    return fm.size(Qt::TextShowMnemonic, text()) + QSize(8, 6);
}

void ClickLabel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setPen(m_colour);
    p.setFont(font());
    p.drawText(rect(), Qt::AlignCenter | Qt::TextShowMnemonic, text());
    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &p, this);
    }
}

void ClickLabel::mouseMoveEvent(QMouseEvent* event) {
    QAbstractButton::mouseMoveEvent(event);
    // The window under the text does not see the move: it would undo the hover colour.
    event->accept();
    emit mouseMoved();
}
