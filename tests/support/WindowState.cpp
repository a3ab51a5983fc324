#include "WindowState.h"

#include "ImageButton.h"
#include "Rectangle.h"

#include <QTest>

namespace {

const QStringList kButtons = {QStringLiteral("btn_1"), QStringLiteral("btn_2"),
                              QStringLiteral("btn_3"), QStringLiteral("btn_4"),
                              QStringLiteral("btn_5"), QStringLiteral("btn_6"),
                              QStringLiteral("btn_7"), QStringLiteral("btn_8")};

} // namespace

WindowState WindowState::of(const QWidget &window)
{
    WindowState state;
    for (const QString &name : kButtons) {
        const auto *button = window.findChild<ImageButton *>(name);
        state.enabled.append(button && button->isEnabled());
        state.images.append(button ? button->bitmapName() : QStringLiteral("<missing>"));
    }
    const auto *panel = window.findChild<Rectangle *>(QStringLiteral("rct_1"));
    state.fill = panel ? panel->fillColor().rgba() : 0;
    return state;
}

WindowState WindowState::initial()
{
    WindowState state;
    state.enabled = QList<bool>(8, true);
    state.images = {QStringLiteral("reset"), QStringLiteral("on"),  QStringLiteral("on"),
                    QStringLiteral("on"),    QStringLiteral("on"),  QStringLiteral("on"),
                    QStringLiteral("info"),  QStringLiteral("exit")};
    state.fill = 0xFFE0E0E0;
    return state;
}

WindowState WindowState::mode(int mode) const
{
    WindowState state = *this;
    state.enabled[0] = mode == 2;
    for (int i = 1; i <= 3; ++i) {
        state.enabled[i] = i != mode;
        state.images[i] = i == mode ? QStringLiteral("on") : QStringLiteral("off");
    }
    return state;
}

WindowState WindowState::tone(const QString &keyword) const
{
    // "Tone 1" stands for buzz2, "Tone 2" for buzz1.
    const int current = keyword == QLatin1String("buzz2") ? 4 : 5;
    WindowState state = *this;
    for (int i = 4; i <= 5; ++i) {
        state.enabled[i] = i != current;
        state.images[i] = i == current ? QStringLiteral("on") : QStringLiteral("off");
    }
    return state;
}

WindowState WindowState::colour(QRgb fill) const
{
    WindowState state = *this;
    state.fill = fill;
    return state;
}

QString WindowState::toString() const
{
    QStringList parts;
    for (qsizetype i = 0; i < kButtons.size(); ++i) {
        parts.append(QStringLiteral("%1:%2/%3")
                         .arg(kButtons.at(i),
                              enabled.value(i) ? QStringLiteral("E") : QStringLiteral("D"),
                              images.value(i)));
    }
    parts.append(QStringLiteral("rct_1:%1").arg(fill, 8, 16, QLatin1Char('0')));
    return parts.join(QLatin1Char(' '));
}

bool WindowState::operator==(const WindowState &other) const
{
    return enabled == other.enabled && images == other.images && fill == other.fill;
}

char *toString(const WindowState &state)
{
    return QTest::toString(state.toString());
}
