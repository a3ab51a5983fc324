// velk-bell-sim: a stand-in for the VELK bell on 127.0.0.1, for trying the program without one.

#include "BellSimulator.h"
#include "SimulatorConsole.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QSaveFile>
#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("velk-bell-sim"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Plays the VELK bell on 127.0.0.1 for the VELK program.\n\n") +
        SimulatorConsole::helpText());
    parser.addHelpOption();
    const QCommandLineOption portOption(
        QStringLiteral("port"), QStringLiteral("Port to listen on (0: the system picks one)."),
        QStringLiteral("port"), QStringLiteral("18080"));
    parser.addOption(portOption);
    const QCommandLineOption urlFileOption(
        QStringLiteral("url-file"),
        QStringLiteral("Also write the URL to this file once listening (for scripts)."),
        QStringLiteral("file"));
    parser.addOption(urlFileOption);
    parser.process(application);

    bool ok = false;
    const uint port = parser.value(portOption).toUInt(&ok);
    if (!ok || port > 65535) {
        std::fprintf(stderr, "velk-bell-sim: bad port \"%s\"\n",
                     qPrintable(parser.value(portOption)));
        return 2;
    }

    BellSimulator simulator;
    if (!simulator.listen(quint16(port))) {
        std::fprintf(stderr, "velk-bell-sim: cannot listen on 127.0.0.1:%u: %s\n", port,
                     qPrintable(simulator.errorString()));
        return 1;
    }
    QObject::connect(&simulator, &BellSimulator::log, &application, [](const QString &line) {
        std::printf("bell: %s\n", qPrintable(line));
        std::fflush(stdout);
    });

    SimulatorConsole console(&simulator);
    QObject::connect(&console, &SimulatorConsole::finished, &application, &QCoreApplication::quit);

    const QByteArray url = simulator.url().toString().toUtf8();
    if (parser.isSet(urlFileOption)) {
        QSaveFile urlFile(parser.value(urlFileOption));
        if (!urlFile.open(QIODevice::WriteOnly) || urlFile.write(url + '\n') < 0 ||
            !urlFile.commit()) {
            std::fprintf(stderr, "velk-bell-sim: cannot write %s\n",
                         qPrintable(urlFile.fileName()));
            return 1;
        }
    }
    std::printf("%s\n", url.constData());
    std::printf("state: %s; type help for commands\n", qPrintable(simulator.state()));
    std::fflush(stdout);
    return application.exec();
}
