#include "BitmapContainer.h"

BitmapContainer::BitmapContainer(QObject *parent)
    : QObject(parent)
{}

void BitmapContainer::addBitmap(const QString &name, const QString &path, int tag)
{
    m_items.append({name, tag, QIcon(path)});
}

QIcon BitmapContainer::bitmap(const QString &name) const
{
    for (const Item &item : m_items) {
        if (item.name == name)
            return item.bitmap;
    }
    return {};
}
