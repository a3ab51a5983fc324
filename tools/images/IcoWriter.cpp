#include "IcoWriter.h"

#include <QBuffer>
#include <QtEndian>

namespace {

void put16(QByteArray &out, quint16 value)
{
    const quint16 le = qToLittleEndian(value);
    out.append(reinterpret_cast<const char *>(&le), 2);
}

void put32(QByteArray &out, quint32 value)
{
    const quint32 le = qToLittleEndian(value);
    out.append(reinterpret_cast<const char *>(&le), 4);
}

// The 16 colours of the standard Windows palette.
QList<QRgb> windowsSixteen()
{
    return {0xFF000000, 0xFF800000, 0xFF008000, 0xFF808000, 0xFF000080, 0xFF800080,
            0xFF008080, 0xFFC0C0C0, 0xFF808080, 0xFFFF0000, 0xFF00FF00, 0xFFFFFF00,
            0xFF0000FF, 0xFFFF00FF, 0xFF00FFFF, 0xFFFFFFFF};
}

int rowBytes(int width, int bitCount)
{
    return ((width * bitCount + 31) / 32) * 4;
}

} // namespace

void IcoWriter::add(const QImage &image, int bitCount)
{
    Entry entry{image.width(), image.height(), bitCount, 0, {}};
    entry.bytes = image.width() >= 256 ? png(image) : bitmap(image, bitCount, &entry.colourCount);
    m_entries.append(entry);
}

QByteArray IcoWriter::png(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.convertToFormat(QImage::Format_ARGB32).save(&buffer, "PNG");
    return bytes;
}

QByteArray IcoWriter::bitmap(const QImage &source, int bitCount, int *colourCount)
{
    const QImage argb = source.convertToFormat(QImage::Format_ARGB32);
    const int width = argb.width();
    const int height = argb.height();

    // Palette entries: opaque where alpha is at least half, the rest masked out.
    QImage indexed;
    QList<QRgb> palette;
    if (bitCount <= 8) {
        QImage opaque(argb.size(), QImage::Format_RGB32);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const QRgb pixel = argb.pixel(x, y);
                opaque.setPixel(x, y, qAlpha(pixel) >= 128 ? (pixel | 0xFF000000) : 0xFF000000);
            }
        }
        indexed = bitCount == 4
                      ? opaque.convertToFormat(QImage::Format_Indexed8, windowsSixteen(),
                                               Qt::DiffuseDither)
                      : opaque.convertToFormat(QImage::Format_Indexed8, Qt::DiffuseDither);
        palette = indexed.colorTable();
        palette.resize(1 << bitCount, 0xFF000000);
        *colourCount = bitCount == 4 ? 16 : 0;
    }

    const int xorRow = rowBytes(width, bitCount);
    const int andRow = rowBytes(width, 1);
    QByteArray out;
    put32(out, 40);
    put32(out, quint32(width));
    put32(out, quint32(2 * height));
    put16(out, 1);
    put16(out, quint16(bitCount));
    put32(out, 0);
    put32(out, quint32((xorRow + andRow) * height));
    put32(out, 0);
    put32(out, 0);
    put32(out, bitCount <= 8 ? quint32(palette.size()) : 0);
    put32(out, 0);
    for (QRgb colour : std::as_const(palette)) {
        out.append(char(qBlue(colour)));
        out.append(char(qGreen(colour)));
        out.append(char(qRed(colour)));
        out.append(char(0));
    }

    // Rows run bottom-up.
    for (int y = height - 1; y >= 0; --y) {
        QByteArray row(xorRow, '\0');
        for (int x = 0; x < width; ++x) {
            if (bitCount == 32) {
                const QRgb pixel = argb.pixel(x, y);
                row[4 * x] = char(qBlue(pixel));
                row[4 * x + 1] = char(qGreen(pixel));
                row[4 * x + 2] = char(qRed(pixel));
                row[4 * x + 3] = char(qAlpha(pixel));
            } else if (bitCount == 8) {
                row[x] = char(indexed.pixelIndex(x, y));
            } else {
                const int index = indexed.pixelIndex(x, y) & 0x0F;
                row[x / 2] = char(row.at(x / 2) | (x % 2 ? index : index << 4));
            }
        }
        out.append(row);
    }
    for (int y = height - 1; y >= 0; --y) {
        QByteArray row(andRow, '\0');
        for (int x = 0; x < width; ++x) {
            if (qAlpha(argb.pixel(x, y)) < 128)
                row[x / 8] = char(row.at(x / 8) | (0x80 >> (x % 8)));
        }
        out.append(row);
    }
    return out;
}

QByteArray IcoWriter::data() const
{
    QByteArray out;
    put16(out, 0);
    put16(out, 1);
    put16(out, quint16(m_entries.size()));
    quint32 offset = quint32(6 + 16 * m_entries.size());
    for (const Entry &entry : m_entries) {
        out.append(char(entry.width >= 256 ? 0 : entry.width));
        out.append(char(entry.height >= 256 ? 0 : entry.height));
        out.append(char(entry.colourCount));
        out.append(char(0));
        put16(out, 1);
        put16(out, quint16(entry.bitCount));
        put32(out, quint32(entry.bytes.size()));
        put32(out, offset);
        offset += quint32(entry.bytes.size());
    }
    for (const Entry &entry : m_entries)
        out.append(entry.bytes);
    return out;
}
