#pragma once

#include "LinkSettings.h"

#include <QString>
#include <QStringList>

// The program's own options: --bell URL for a bell at another address, and --help.
// Anything else on the command line is left to Qt.
struct CommandLine
{
    enum class Action
    {
        Run,
        Help,
        Error
    };

    Action action = Action::Run;
    LinkSettings settings = LinkSettings::bell();
    QString message;

    static CommandLine parse(const QStringList &arguments);
    static QString helpText();
    // A ws:// URL whose host is an IPv4 address; otherwise why it is not.
    static QString checkBellUrl(const QUrl &url);
};
