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
    QSize size = fm.size(Qt::TextShowMnemonic, text()) + QSize(8, 6);
    if (!icon().isNull())
        size = QSize(size.width() + iconSize().width() + 4,
                     qMax(size.height(), iconSize().height() + 6));
    return size;
}

void ClickLabel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    QRect area = rect();
    if (!icon().isNull()) {
        // A picture that acts as the text does: drawn at the left, the text after it.
        const QSize size = iconSize();
        const QRect place(area.left() + 2, area.top() + (area.height() - size.height()) / 2,
                          size.width(), size.height());
        icon().paint(&p, place);
        area.setLeft(place.right() + 2);
    }
    p.setPen(m_colour);
    p.setFont(font());
    p.drawText(area, Qt::AlignCenter | Qt::TextShowMnemonic, text());
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
