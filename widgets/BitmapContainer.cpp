#include "BitmapContainer.h"

#include <QFileInfo>

BitmapContainer::BitmapContainer(QObject *parent)
    : QObject(parent)
{}

void BitmapContainer::addBitmap(const QString &name, const QString &path, int tag)
{
    // Both variants, so that the sharp one is there whichever screen the window is on.
    QIcon bitmap;
    bitmap.addFile(path);
    const QFileInfo file(path);
    const QString sharp = file.path() + QLatin1Char('/') + file.completeBaseName() +
                          QStringLiteral("@2x.") + file.suffix();
    if (QFileInfo::exists(sharp))
        bitmap.addFile(sharp);
    m_items.append({name, tag, bitmap});
}

QIcon BitmapContainer::bitmap(const QString &name) const
{
    for (const Item &item : m_items) {
        if (item.name == name)
            return item.bitmap;
    }
    return {};
}
