#pragma once

#include <QWidget>

// A bar painted as the style paints a tool bar at the top or the bottom of a window.
class ToolBar : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(Qt::ToolBarArea area READ area WRITE setArea)

public:
    explicit ToolBar(QWidget *parent = nullptr);

    Qt::ToolBarArea area() const { return m_area; }
    void setArea(Qt::ToolBarArea area);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Qt::ToolBarArea m_area = Qt::TopToolBarArea;
};
