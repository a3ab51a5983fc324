// The program's command line: --bell and --help, parsed and run.

#include "CommandLine.h"

#include <QHostAddress>
#include <QProcess>
#include <QTest>

class CommandLineTest : public QObject
{
    Q_OBJECT

private slots:
    void fixedBellSettings();
    void parses_data();
    void parses();
    void badUrlExitsBeforeAnyWindow_data();
    void badUrlExitsBeforeAnyWindow();
    void helpExplainsBell();
};

void CommandLineTest::fixedBellSettings()
{
    const LinkSettings bell = LinkSettings::bell();
    QCOMPARE(bell.url.scheme(), QStringLiteral("ws"));
    QCOMPARE(QHostAddress(bell.url.host()).protocol(), QAbstractSocket::IPv4Protocol);
    QCOMPARE(bell.url.port(), 80);
    QCOMPARE(bell.url.path(), QStringLiteral("/ws"));
    QCOMPARE(bell.connectTimeoutMs, 10000);
}

void CommandLineTest::parses_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("action");
    QTest::addColumn<QString>("url");

    const int run = int(CommandLine::Action::Run);
    const int help = int(CommandLine::Action::Help);
    const int error = int(CommandLine::Action::Error);
    const QString local = QStringLiteral("ws://127.0.0.1:8080/ws");

    QTest::newRow("no arguments: the bell")
        << QStringList{} << run << LinkSettings::bell().url.toString();
    QTest::newRow("--bell URL") << QStringList{"--bell", local} << run << local;
    QTest::newRow("--bell=URL") << QStringList{"--bell=" + local} << run << local;
    QTest::newRow("without a port")
        << QStringList{"--bell", "ws://127.0.0.1/ws"} << run << "ws://127.0.0.1/ws";
    QTest::newRow("the later --bell wins")
        << QStringList{"--bell", "ws://127.0.0.1:1/ws", "--bell", local} << run << local;
    QTest::newRow("Qt's options are left alone")
        << QStringList{"-platform", "offscreen", "--bell", local} << run << local;
    QTest::newRow("--help") << QStringList{"--bell", local, "--help"} << help << QString();
    QTest::newRow("-h") << QStringList{"-h"} << help << QString();

    const char *bad[][2] = {
        {"missing URL", nullptr},
        {"http scheme", "http://127.0.0.1:8080/ws"},
        {"wss scheme", "wss://127.0.0.1:8080/ws"},
        {"host name", "ws://localhost:8080/ws"},
        {"IPv6 address", "ws://[::1]:8080/ws"},
        {"not a URL", "not a url"},
        {"empty", ""},
        {"no host", "ws:///ws"},
        {"port out of range", "ws://127.0.0.1:99999/ws"},
        {"user info", "ws://user@127.0.0.1:8080/ws"},
        {"query", "ws://127.0.0.1:8080/ws?x=1"},
    };
    for (const auto &row : bad) {
        QStringList arguments{"--bell"};
        if (row[1])
            arguments.append(QString::fromLatin1(row[1]));
        QTest::addRow("refused: %s", row[0]) << arguments << error << QString();
    }
}

void CommandLineTest::parses()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, action);
    QFETCH(QString, url);

    arguments.prepend(QStringLiteral("VELK"));
    const CommandLine result = CommandLine::parse(arguments);
    QCOMPARE(int(result.action), action);
    if (action == int(CommandLine::Action::Run)) {
        QCOMPARE(result.settings.url.toString(), url);
        QCOMPARE(result.settings.connectTimeoutMs, 10000);
    } else {
        QVERIFY(!result.message.isEmpty());
    }
}

void CommandLineTest::badUrlExitsBeforeAnyWindow_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("http scheme") << QStringList{"--bell", "http://127.0.0.1:9/ws"};
    QTest::newRow("missing URL") << QStringList{"--bell"};
    QTest::newRow("host name") << QStringList{"--bell=ws://localhost:9/ws"};
}

void CommandLineTest::badUrlExitsBeforeAnyWindow()
{
    QFETCH(QStringList, arguments);

    // A platform that does not exist: had the program made its application object, it would
    // have aborted instead of exiting with 2.
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("no-such-platform"));
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(VELK_PATH), arguments);
    QVERIFY(program.waitForFinished(20000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 2);
    QCOMPARE(program.readAllStandardOutput(), QByteArray());
    const QByteArray error = program.readAllStandardError();
    QVERIFY2(error.startsWith("VELK: ") && error.endsWith('\n') && error.count('\n') == 1,
             error.constData());
}

void CommandLineTest::helpExplainsBell()
{
    QProcess program;
    program.start(QStringLiteral(VELK_PATH), {"--bell", "ws://127.0.0.1:9/ws", "--help"});
    QVERIFY(program.waitForFinished(20000));
    QCOMPARE(program.exitCode(), 0);
    const QByteArray help = program.readAllStandardOutput();
    QVERIFY2(help.contains("--bell URL") && help.contains("ws://127.0.0.1"), help.constData());
}

QTEST_GUILESS_MAIN(CommandLineTest)
#include "tst_commandline.moc"
