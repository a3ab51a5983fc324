#pragma once

#include "BellButton.h"

#include <QList>
#include <QRgb>
#include <QString>
#include <optional>

// What one keyword in a status text from the bell does to the window.
struct StatusRule
{
    struct Enable
    {
        BellButton button;
        bool enabled;
    };
    struct Image
    {
        BellButton button;
        QString bitmapName;
    };

    QString keyword;
    QList<Enable> enables;
    QList<Image> images;
    std::optional<QRgb> fill;
};

namespace StatusRules {
// The keywords in the order they are tried; for several of one group the later one wins.
const QList<StatusRule> &table();
} // namespace StatusRules
