#pragma once

#include <QAbstractButton>
#include <QColor>

// A text that acts when clicked, as the login window's "Ingresar" and "Salir": drawn as a
// label in its own colour, but a button to the keyboard and to assistive technology.
class ClickLabel : public QAbstractButton {
    Q_OBJECT
public:
    explicit ClickLabel(const QString& text, QWidget* parent = nullptr);

    void setTextColour(const QColor& colour);
    QColor textColour() const { return m_colour; }

    QSize sizeHint() const override;

signals:
    // The mouse moved over the text.
    void mouseMoved();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QColor m_colour;
};
