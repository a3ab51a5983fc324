#pragma once

#include <QIcon>
#include <QList>
#include <QObject>
#include <QString>

// A set of named pictures that image buttons pick from by name.
class BitmapContainer : public QObject
{
    Q_OBJECT

public:
    struct Item
    {
        QString name;
        int tag = 0;
        QIcon bitmap;
    };

    explicit BitmapContainer(QObject *parent = nullptr);

    // Adds the picture at path (a file or a Qt resource) and its @2x variant beside it, if any.
    void addBitmap(const QString &name, const QString &path, int tag = 0);

    const QList<Item> &items() const { return m_items; }
    QIcon bitmap(const QString &name) const;

private:
    QList<Item> m_items;
};
