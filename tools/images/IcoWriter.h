#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>

// Builds a Windows .ico file from pictures at several sizes and colour depths: 32-bit entries
// with alpha (the 256-pixel one stored as PNG), and 8-bit and 4-bit palette entries whose
// transparency is their AND mask.
class IcoWriter
{
public:
    // image: ARGB at the entry's size; bitCount: 32, 8 or 4.
    void add(const QImage &image, int bitCount);
    QByteArray data() const;

private:
    struct Entry
    {
        int width;
        int height;
        int bitCount;
        int colourCount;
        QByteArray bytes;
    };

    static QByteArray png(const QImage &image);
    static QByteArray bitmap(const QImage &image, int bitCount, int *colourCount);

    QList<Entry> m_entries;
};
