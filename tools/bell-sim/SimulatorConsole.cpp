#include "SimulatorConsole.h"

#include "BellSimulator.h"

#include <QSocketNotifier>
#include <cstdio>
#include <unistd.h>

namespace {

void print(const QString &text)
{
    std::printf("%s\n", qPrintable(text));
    std::fflush(stdout);
}

} // namespace

SimulatorConsole::SimulatorConsole(BellSimulator *simulator, QObject *parent)
    : QObject(parent)
    , m_simulator(simulator)
    , m_notifier(new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, this))
{
    connect(m_notifier, &QSocketNotifier::activated, this, &SimulatorConsole::readLine);
}

QString SimulatorConsole::helpText()
{
    return QStringLiteral("commands:\n"
                          "  press COLOUR  the lamp shows COLOUR (%1)\n"
                          "  say TEXT      send TEXT to the program as it stands\n"
                          "  state         print the bell's state\n"
                          "  close         close every client connection\n"
                          "  help          this list\n"
                          "  quit          stop the simulator")
        .arg(BellSimulator::colours().join(QLatin1Char(' ')));
}

bool SimulatorConsole::execute(const QString &line)
{
    QString text = line;
    while (text.endsWith(QLatin1Char('\n')) || text.endsWith(QLatin1Char('\r')))
        text.chop(1);
    while (text.startsWith(QLatin1Char(' ')))
        text.remove(0, 1);
    const qsizetype space = text.indexOf(QLatin1Char(' '));
    const QString command = space < 0 ? text : text.left(space);
    const QString argument = space < 0 ? QString() : text.mid(space + 1);

    if (command.isEmpty()) {
        return true;
    } else if (command == QLatin1String("press")) {
        if (!m_simulator->press(argument.trimmed()))
            print(QStringLiteral("unknown colour \"%1\"; one of: %2")
                      .arg(argument.trimmed(), BellSimulator::colours().join(QLatin1Char(' '))));
    } else if (command == QLatin1String("say")) {
        m_simulator->say(argument);
    } else if (command == QLatin1String("state")) {
        print(QStringLiteral("%1 (%2 clients)")
                  .arg(m_simulator->state())
                  .arg(m_simulator->clientCount()));
    } else if (command == QLatin1String("close")) {
        m_simulator->closeAll();
    } else if (command == QLatin1String("help")) {
        print(helpText());
    } else if (command == QLatin1String("quit")) {
        return false;
    } else {
        print(QStringLiteral("unknown command \"%1\"; try help").arg(command));
    }
    return true;
}

void SimulatorConsole::readLine()
{
    char buffer[4096];
    const ssize_t count = ::read(STDIN_FILENO, buffer, sizeof buffer);
    if (count <= 0) {
        // End of input: keep serving without a console.
        m_notifier->setEnabled(false);
        return;
    }
    m_pending.append(buffer, count);
    qsizetype end;
    while ((end = m_pending.indexOf('\n')) >= 0) {
        const QString line = QString::fromUtf8(m_pending.left(end));
        m_pending.remove(0, end + 1);
        if (!execute(line)) {
            m_notifier->setEnabled(false);
            emit finished();
            return;
        }
    }
}
