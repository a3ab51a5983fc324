#include "ToolBar.h"

#include <QApplication>
#include <QPainter>
#include <QStyleOptionToolBar>

ToolBar::ToolBar(QWidget *parent)
    : QWidget(parent)
{}

void ToolBar::setArea(Qt::ToolBarArea area)
{
    m_area = area;
    update();
}

void ToolBar::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    QStyleOptionToolBar option;
    option.initFrom(this);
    // The style's own tool bar background, whatever fill the window has.
    option.palette = QApplication::palette(this);
    option.state |= QStyle::State_Horizontal;
    option.toolBarArea = m_area;
    option.positionOfLine = QStyleOptionToolBar::OnlyOne;
    option.positionWithinLine = QStyleOptionToolBar::OnlyOne;
    painter.fillRect(rect(), option.palette.window());
    style()->drawControl(QStyle::CE_ToolBar, &option, &painter, this);
}
