#pragma once

#include "BellButton.h"

#include <QList>
#include <QString>

// The words sent to the bell: one per command button, and the greeting sent once the link is open.
struct CommandWord
{
    BellButton button;
    QString word;
};

namespace CommandWords {
const QList<CommandWord> &table();
QString wordFor(BellButton button);
QString greeting();
} // namespace CommandWords
