#include "ImageButton.h"

#include <QPainter>
#include <QStyleOptionButton>

ImageButton::ImageButton(QWidget *parent)
    : QAbstractButton(parent)
{
    setFocusPolicy(Qt::StrongFocus);
}

void ImageButton::setBitmapContainer(BitmapContainer *container)
{
    m_container = container;
    update();
}

void ImageButton::setBitmapName(const QString &name)
{
    if (name == m_bitmapName)
        return;
    m_bitmapName = name;
    update();
}

void ImageButton::setBitmapSize(int size)
{
    m_bitmapSize = size;
    updateGeometry();
    update();
}

void ImageButton::setPadding(int padding)
{
    m_padding = padding;
    updateGeometry();
    update();
}

QRect ImageButton::imageRect() const
{
    const QRect inner = rect().adjusted(m_padding, 0, -m_padding, 0);
    return QRect(inner.right() + 1 - m_bitmapSize,
                 inner.top() + (inner.height() - m_bitmapSize) / 2, m_bitmapSize, m_bitmapSize);
}

QSize ImageButton::sizeHint() const
{
    const QSize textSize = fontMetrics().size(Qt::TextSingleLine, text());
    return QSize(2 * m_padding + textSize.width() + m_bitmapSize,
                 qMax(textSize.height(), m_bitmapSize) + 2 * m_padding);
}

void ImageButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);

    QStyleOptionButton option;
    option.initFrom(this);
    if (isDown())
        option.state |= QStyle::State_Sunken;
    else
        option.state |= QStyle::State_Raised;
    style()->drawControl(QStyle::CE_PushButtonBevel, &option, &painter, this);

    const QRect image = imageRect();
    QRect textArea = rect().adjusted(m_padding, 0, -m_padding, 0);
    if (m_container && !m_bitmapName.isEmpty()) {
        textArea.setRight(image.left() - 1);
        if (!isEnabled())
            painter.setOpacity(0.5);
        m_container->bitmap(m_bitmapName).paint(&painter, image);
        painter.setOpacity(1.0);
    }
    style()->drawItemText(&painter, textArea, Qt::AlignCenter | Qt::TextSingleLine, palette(),
                          isEnabled(), text(), QPalette::ButtonText);
}
