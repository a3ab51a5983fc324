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
    QPainter painter(this);
    painter.fillRect(rect(), m_fill);
    painter.setPen(QPen(Qt::black, 0));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
