#include "CommandWords.h"

namespace CommandWords {

const QList<CommandWord> &table()
{
    // The tones are crossed: "Tone 1" asks for buzz2 and "Tone 2" for buzz1.
    static const QList<CommandWord> words = {
        {BellButton::Reset, QStringLiteral("reset")}, {BellButton::Mode1, QStringLiteral("mode1")},
        {BellButton::Mode2, QStringLiteral("mode2")}, {BellButton::Mode3, QStringLiteral("mode3")},
        {BellButton::Tone1, QStringLiteral("buzz2")}, {BellButton::Tone2, QStringLiteral("buzz1")},
    };
    return words;
}

QString wordFor(BellButton button)
{
    for (const CommandWord &command : table()) {
        if (command.button == button)
            return command.word;
    }
    return {};
}

QString greeting()
{
    return QStringLiteral("check");
}

} // namespace CommandWords
