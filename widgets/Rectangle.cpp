#include "Rectangle.h"

#include <QPainter>

Rectangle::Rectangle(QWidget *parent)
    : QWidget(parent)
{}

void Rectangle::setFillColor(const QColor &color)
{
    if (color == m_fill)
        return;
    m_fill = color;
    update();
}

void Rectangle::paintEvent(QPaintEvent *)
{
    // The outline is one logical pixel wide, whatever the display's scale.
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    painter.fillRect(rect().adjusted(1, 1, -1, -1), m_fill);
}
