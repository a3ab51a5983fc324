#pragma once

#include <QByteArray>
#include <QObject>

class BellSimulator;
class QSocketNotifier;

// Reads commands for the simulator from standard input, one per line.
class SimulatorConsole : public QObject
{
    Q_OBJECT

public:
    explicit SimulatorConsole(BellSimulator *simulator, QObject *parent = nullptr);

    static QString helpText();
    // Carries out one command line; returns false when the console should end.
    bool execute(const QString &line);

signals:
    void finished();

private:
    void readLine();

    BellSimulator *m_simulator;
    QSocketNotifier *m_notifier;
    QByteArray m_pending;
};
