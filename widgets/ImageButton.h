#pragma once

#include "BitmapContainer.h"

#include <QAbstractButton>
#include <QPointer>

// A push button with a text and, to its right, a picture chosen by name from a BitmapContainer.
class ImageButton : public QAbstractButton
{
    Q_OBJECT
    Q_PROPERTY(QString bitmapName READ bitmapName WRITE setBitmapName)
    Q_PROPERTY(int bitmapSize READ bitmapSize WRITE setBitmapSize)
    Q_PROPERTY(int margins READ margins WRITE setMargins)
    Q_PROPERTY(int padding READ padding WRITE setPadding)

public:
    explicit ImageButton(QWidget *parent = nullptr);

    BitmapContainer *bitmapContainer() const { return m_container; }
    void setBitmapContainer(BitmapContainer *container);

    QString bitmapName() const { return m_bitmapName; }
    void setBitmapName(const QString &name);

    int bitmapSize() const { return m_bitmapSize; }
    void setBitmapSize(int size);

    // Space kept free around the button by the container that places it.
    int margins() const { return m_margins; }
    void setMargins(int margins) { m_margins = margins; }

    // Inner space on the left and right of the text and picture.
    int padding() const { return m_padding; }
    void setPadding(int padding);

    QRect imageRect() const;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPointer<BitmapContainer> m_container;
    QString m_bitmapName;
    int m_bitmapSize = 32;
    int m_margins = 0;
    int m_padding = 0;
};
