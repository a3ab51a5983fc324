// The bell simulator, end to end: the real velk-bell-sim process against the real window,
// and the real VELK program against the simulator.

#include "ImageButton.h"
#include "Unit1.h"
#include "WindowState.h"

#include <QProcess>
#include <QTest>
#include <QWebSocket>

namespace {

// Starts velk-bell-sim on a port the system picks and reads the URL it prints.
QUrl startSimulator(QProcess &simulator)
{
    simulator.start(QStringLiteral(SIMULATOR_PATH),
                    {QStringLiteral("--port"), QStringLiteral("0")});
    if (!simulator.waitForStarted(10000) || !simulator.waitForReadyRead(10000))
        return {};
    while (!simulator.canReadLine() && simulator.waitForReadyRead(10000)) {
    }
    return QUrl(QString::fromUtf8(simulator.readLine().trimmed()));
}

void tell(QProcess &simulator, const QByteArray &command)
{
    simulator.write(command + '\n');
}

} // namespace

class SimulatorTest : public QObject
{
    Q_OBJECT

private slots:
    void playsTheBellForTheWindow();
    void programConnectsToSimulator();
};

void SimulatorTest::playsTheBellForTheWindow()
{
    QProcess simulator;
    const QUrl url = startSimulator(simulator);
    QCOMPARE(url.scheme(), QStringLiteral("ws"));
    QCOMPARE(url.host(), QStringLiteral("127.0.0.1"));
    QCOMPARE(url.path(), QStringLiteral("/ws"));

    TMainForm window(LinkSettings::at(url));
    window.show();
    WindowState expected = WindowState::initial().mode(1).tone("buzz2").colour(Lamp::green);
    QTRY_COMPARE(WindowState::of(window), expected);

    QTest::mouseClick(window.findChild<ImageButton *>(QStringLiteral("btn_3")), Qt::LeftButton);
    expected = expected.mode(2);
    QTRY_COMPARE(WindowState::of(window), expected);
    QTest::mouseClick(window.findChild<ImageButton *>(QStringLiteral("btn_6")), Qt::LeftButton);
    expected = expected.tone("buzz1");
    QTRY_COMPARE(WindowState::of(window), expected);

    tell(simulator, "press merah");
    expected = expected.colour(Lamp::red);
    QTRY_COMPARE(WindowState::of(window), expected);
    tell(simulator, "say mode3 ungu");
    expected = expected.mode(3).colour(Lamp::purple);
    QTRY_COMPARE(WindowState::of(window), expected);

    // A second client hears the same reports.
    QWebSocket other;
    QStringList heard;
    connect(&other, &QWebSocket::textMessageReceived, this,
            [&heard](const QString &text) { heard.append(text); });
    other.open(url);
    QTRY_COMPARE(other.state(), QAbstractSocket::ConnectedState);
    other.sendTextMessage(QStringLiteral("check"));
    QTRY_COMPARE(heard, QStringList{"mode2 buzz1 merah"});
    tell(simulator, "press biru");
    QTRY_COMPARE(heard, (QStringList{"mode2 buzz1 merah", "biru"}));
    QTRY_COMPARE(WindowState::of(window), expected.colour(Lamp::blue));

    tell(simulator, "quit");
    QVERIFY(simulator.waitForFinished(10000));
    QCOMPARE(simulator.exitCode(), 0);
}

void SimulatorTest::programConnectsToSimulator()
{
    QProcess simulator;
    const QUrl url = startSimulator(simulator);
    QVERIFY(url.isValid());

    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(VELK_PATH), {QStringLiteral("--bell"), url.toString()});
    QVERIFY(program.waitForStarted(10000));

    QByteArray log;
    QTRY_VERIFY_WITH_TIMEOUT((log += simulator.readAll()).contains("received \"check\""), 20000);
    QCOMPARE(program.state(), QProcess::Running);
    program.kill();
    program.waitForFinished(10000);
    tell(simulator, "quit");
    QVERIFY(simulator.waitForFinished(10000));
}

QTEST_MAIN(SimulatorTest)
#include "tst_simulator.moc"
