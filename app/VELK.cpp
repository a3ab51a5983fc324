#include "CommandLine.h"
#include "Unit1.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));

    // Decided before the application exists, so no window ever opens for a bad option.
    const CommandLine commandLine = CommandLine::parse(arguments);
    switch (commandLine.action) {
    case CommandLine::Action::Help:
        std::fputs(qPrintable(commandLine.message), stdout);
        return 0;
    case CommandLine::Action::Error:
        std::fprintf(stderr, "%s\n", qPrintable(commandLine.message));
        return 2;
    case CommandLine::Action::Run:
        break;
    }

    QApplication application(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral("velk"));
    TMainForm MainForm(commandLine.settings);
    MainForm.show();
    return application.exec();
}
