#pragma once

#include <QColor>
#include <QWidget>

// A filled rectangle with a 1-pixel black outline; the fill is an ARGB colour.
class Rectangle : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QColor fillColor READ fillColor WRITE setFillColor)

public:
    explicit Rectangle(QWidget *parent = nullptr);

    QColor fillColor() const { return m_fill; }
    void setFillColor(const QColor &color);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_fill = QColor::fromRgba(0xFFE0E0E0);
};
