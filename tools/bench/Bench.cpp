// velk-bench: speed and memory of the program beside their baselines, measured in the same
// run, printed as a table. Everything it starts talks only on 127.0.0.1.

#include "BellLink.h"
#include "StreamServer.h"
#include "Unit1.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QHostAddress>
#include <QMessageBox>
#include <QProcess>
#include <QSysInfo>
#include <QTcpServer>
#include <QThread>
#include <QTimer>
#include <QWebSocket>
#include <QWebSocketServer>
#include <algorithm>
#include <cstdio>

namespace {

constexpr int kBurst = 100000;
constexpr int kRounds = 5;

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    const qsizetype n = values.size();
    return n == 0 ? 0.0
                  : (n % 2 ? values.at(n / 2) : (values.at(n / 2 - 1) + values.at(n / 2)) / 2.0);
}

// Runs the event loop until done() holds or timeoutMs pass; false on time-out.
bool waitFor(const std::function<bool()> &done, int timeoutMs = 60000)
{
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

QStringList burst()
{
    const char *texts[] = {"mode1 buzz2 hijau",  "mode2 buzz1 merah", "mode3 buzz2 biru",
                           "mode2 buzz2 kuning", "mode1 buzz1 putih", "mode3 buzz1 ungu"};
    QStringList all;
    for (int i = 0; i < kBurst; ++i)
        all.append(QLatin1String(texts[i % 6]));
    return all;
}

// Messages per second from the first received to the last one handled.
struct Receiver
{
    int count = 0;
    QElapsedTimer clock;
    qint64 firstNs = 0;
    qint64 lastNs = 0;
    void received()
    {
        if (count++ == 0)
            firstNs = clock.nsecsElapsed();
        lastNs = clock.nsecsElapsed();
    }
    double rate() const { return (count - 1) / ((lastNs - firstNs) / 1e9); }
};

double windowThroughput(const QUrl &url)
{
    Receiver receiver;
    receiver.clock.start();
    TMainForm window(LinkSettings::at(url));
    // Connected after the window's own handler, so it runs once the text is applied.
    QObject::connect(window.findChild<BellLink *>(QStringLiteral("sgwscli_1")),
                     &BellLink::textMessage, &window, [&receiver] { receiver.received(); });
    window.show();
    if (!waitFor([&] { return receiver.count == kBurst; }))
        return 0;
    return receiver.rate();
}

double bareThroughput(const QUrl &url)
{
    Receiver receiver;
    receiver.clock.start();
    QWebSocket socket;
    QObject::connect(&socket, &QWebSocket::connected, &socket,
                     [&socket] { socket.sendTextMessage(QStringLiteral("check")); });
    QObject::connect(&socket, &QWebSocket::textMessageReceived, &socket,
                     [&receiver] { receiver.received(); });
    socket.open(url);
    if (!waitFor([&] { return receiver.count == kBurst; }))
        return 0;
    return receiver.rate();
}

// Median nanoseconds per status text applied to a shown window, alternating two texts so
// that every call changes buttons and panel.
double applyCost()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    LinkSettings settings =
        LinkSettings::at(QUrl(QStringLiteral("ws://127.0.0.1:%1/ws").arg(probe.serverPort())));
    TMainForm window(settings);
    window.setAttribute(Qt::WA_DontShowOnScreen);
    window.blockSignals(true);
    window.show();
    window.blockSignals(false);
    const QString texts[] = {QStringLiteral("mode1 buzz2 hijau"),
                             QStringLiteral("mode3 buzz1 ungu")};
    QList<double> perCall;
    for (int batch = 0; batch < 200; ++batch) {
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < 1000; ++i)
            window.sgwscli_1Message(texts[i % 2]);
        perCall.append(timer.nsecsElapsed() / 1000.0);
        QCoreApplication::processEvents();
    }
    return median(perCall);
}

QProcessEnvironment offscreen()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    return environment;
}

qint64 peakKiB(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').constFirst().toLongLong();
    }
    return 0;
}

struct ProgramFigures
{
    double startMs = 0;
    qint64 peakKiB = 0;
};

// Process start to "check" at a loopback bell, and the program's peak memory once connected
// and idle for a while. The program is given --bell with the bell's URL.
ProgramFigures connectedProgram(const QString &path)
{
    QWebSocketServer bell(QStringLiteral("bench bell"), QWebSocketServer::NonSecureMode);
    bell.listen(QHostAddress::LocalHost, 0);
    QElapsedTimer clock;
    qint64 checkedNs = 0;
    QObject::connect(&bell, &QWebSocketServer::newConnection, &bell, [&] {
        QWebSocket *client = bell.nextPendingConnection();
        client->setParent(&bell);
        QObject::connect(client, &QWebSocket::textMessageReceived, client,
                         [&](const QString &text) {
                             if (text == QLatin1String("check") && checkedNs == 0)
                                 checkedNs = clock.nsecsElapsed();
                         });
    });

    QProcess velk;
    velk.setProcessEnvironment(offscreen());
    clock.start();
    velk.start(path, {QStringLiteral("--bell"),
                      QStringLiteral("ws://127.0.0.1:%1/ws").arg(bell.serverPort())});
    ProgramFigures figures;
    if (waitFor([&] { return checkedNs != 0; }, 20000)) {
        figures.startMs = checkedNs / 1e6;
        waitFor([] { return false; }, 500);
        figures.peakKiB = peakKiB(velk.processId());
    }
    velk.kill();
    velk.waitForFinished();
    return figures;
}

ProgramFigures bareWindow(const QString &path)
{
    ProgramFigures figures;
    QProcess bare;
    bare.setProcessEnvironment(offscreen());
    QElapsedTimer clock;
    clock.start();
    bare.start(path);
    bare.waitForFinished(20000);
    figures.startMs = clock.nsecsElapsed() / 1e6;

    bare.start(path, {QStringLiteral("--idle"), QStringLiteral("500")});
    bare.waitForFinished(20000);
    figures.peakKiB = bare.readAllStandardOutput().trimmed().split(' ').constFirst().toLongLong();
    return figures;
}

// Milliseconds from the start of an attempt at a refused port to the question on screen.
double refusedToQuestion()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const QUrl refused(QStringLiteral("ws://127.0.0.1:%1/ws").arg(probe.serverPort()));
    probe.close();

    QList<double> times;
    for (int round = 0; round < 20; ++round) {
        TMainForm window(LinkSettings::at(refused));
        QElapsedTimer clock;
        double shownMs = 0;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, &window, [&] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                if (box->isVisible() && shownMs == 0)
                    shownMs = clock.nsecsElapsed() / 1e6;
                box->reject();
            }
        });
        poll.start(0);
        clock.start();
        window.ConnectWS();
        times.append(shownMs);
    }
    return median(times);
}

QString cpuModel()
{
    QFile cpuinfo(QStringLiteral("/proc/cpuinfo"));
    if (cpuinfo.open(QIODevice::ReadOnly)) {
        for (const QByteArray &line : cpuinfo.readAll().split('\n')) {
            if (line.startsWith("model name"))
                return QString::fromUtf8(line.mid(line.indexOf(':') + 1).trimmed());
        }
    }
    return QSysInfo::currentCpuArchitecture();
}

void row(const char *figure, double value, double baseline, const char *unit, double target,
         bool higherIsBetter)
{
    if (value <= 0 || baseline <= 0) {
        std::printf("| %-40s | %12.1f | %12.1f | %-10s | %5s | %-17s |\n", figure, value, baseline,
                    unit, "-", "NOT MEASURED");
        return;
    }
    const double ratio = value / baseline;
    const bool met = higherIsBetter ? ratio >= target : ratio <= target;
    std::printf("| %-40s | %12.1f | %12.1f | %-10s | %5.2f | %s %.2f: %-6s |\n", figure, value,
                baseline, unit, ratio, higherIsBetter ? ">=" : "<=", target,
                met ? "met" : "MISSED");
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const QString binaries = QCoreApplication::applicationDirPath();

    std::printf("machine: %s, %d threads, %s; Qt %s\n", qPrintable(cpuModel()),
                QThread::idealThreadCount(), qPrintable(QSysInfo::prettyProductName()), qVersion());
    std::printf("status burst: %d texts; medians of %d rounds\n\n", kBurst, kRounds);
    std::fflush(stdout);

    QList<double> windowRates;
    QList<double> bareRates;
    {
        StreamServer server(burst());
        for (int round = 0; round < kRounds; ++round) {
            windowRates.append(windowThroughput(server.url()));
            bareRates.append(bareThroughput(server.url()));
        }
    }
    const double apply = applyCost();

    QList<double> programStarts, bareStarts, clientStarts, programPeaks, barePeaks, clientPeaks;
    for (int round = 0; round < kRounds; ++round) {
        const ProgramFigures velk = connectedProgram(binaries + QStringLiteral("/VELK"));
        const ProgramFigures bare = bareWindow(binaries + QStringLiteral("/velk-bare-window"));
        const ProgramFigures client =
            connectedProgram(binaries + QStringLiteral("/velk-bare-client"));
        programStarts.append(velk.startMs);
        bareStarts.append(bare.startMs);
        clientStarts.append(client.startMs);
        programPeaks.append(velk.peakKiB / 1024.0);
        barePeaks.append(bare.peakKiB / 1024.0);
        clientPeaks.append(client.peakKiB / 1024.0);
    }
    const double question = refusedToQuestion();

    std::printf("| %-40s | %12s | %12s | %-10s | %5s | %-17s |\n", "figure", "VELK", "baseline",
                "unit", "ratio", "target");
    std::printf("|%s|%s|%s|%s|%s|%s|\n", QByteArray(42, '-').constData(),
                QByteArray(14, '-').constData(), QByteArray(14, '-').constData(),
                QByteArray(12, '-').constData(), QByteArray(7, '-').constData(),
                QByteArray(19, '-').constData());
    row("status throughput (bare QWebSocket)", median(windowRates), median(bareRates), "msg/s", 0.8,
        true);
    row("start-up to \"check\" (bare window)", median(programStarts), median(bareStarts), "ms", 1.5,
        false);
    row("peak memory, connected, idle (bare)", median(programPeaks), median(barePeaks), "MiB", 1.5,
        false);
    row("  start-up against bare window+QWebSocket", median(programStarts), median(clientStarts),
        "ms", 1.5, false);
    row("  memory against bare window+QWebSocket", median(programPeaks), median(clientPeaks), "MiB",
        1.5, false);
    std::printf("| %-40s | %12.0f | %12s | %-10s | %5s | %-17s |\n",
                "apply one status text (median)", apply, "-", "ns/call", "-", "-");
    std::printf("| %-40s | %12.2f | %12s | %-10s | %5s | %-17s |\n",
                "refused connection to question", question, "-", "ms", "-", "-");
    return 0;
}
