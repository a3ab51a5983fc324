#pragma once

#include <QList>
#include <QRgb>
#include <QString>
#include <QStringList>

class QWidget;

// The panel fills that the bell's colour keywords stand for.
namespace Lamp {
constexpr QRgb green = 0xFF008000;
constexpr QRgb yellow = 0xFFFFFF00;
constexpr QRgb red = 0xFFFF0000;
constexpr QRgb blue = 0xFF0000FF;
constexpr QRgb white = 0xFFFFFFFF;
constexpr QRgb purple = 0xFF800080;
} // namespace Lamp

// What the window shows of the bell: the eight buttons' enabled flags and pictures and the
// panel's fill. Built from a real window, or as the state the bell's reports should lead to.
struct WindowState
{
    QList<bool> enabled;
    QStringList images;
    QRgb fill = 0;

    static WindowState of(const QWidget &window);
    static WindowState initial();

    // The same state after the bell reported mode 1, 2 or 3.
    WindowState mode(int mode) const;
    // The same state after the bell reported "buzz1" or "buzz2".
    WindowState tone(const QString &keyword) const;
    WindowState colour(QRgb fill) const;

    QString toString() const;
    bool operator==(const WindowState &other) const;
};

char *toString(const WindowState &state);
