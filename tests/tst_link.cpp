// The link to the bell through the real window: greeting, command words on the wire,
// failed attempts and the question, and the bell closing the link.

#include "BellServer.h"
#include "ImageButton.h"
#include "MessageBoxWatcher.h"
#include "RawPeer.h"
#include "Unit1.h"
#include "WindowState.h"

#include <QHostAddress>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTest>
#include <memory>

namespace {

LinkSettings linkTo(const QUrl &url, int timeoutMs = 500)
{
    LinkSettings settings = LinkSettings::at(url);
    settings.connectTimeoutMs = timeoutMs;
    return settings;
}

// A loopback port that nothing listens on.
quint16 freePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

QUrl loopbackUrl(quint16 port)
{
    return QUrl(QStringLiteral("ws://127.0.0.1:%1/ws").arg(port));
}

void click(const TMainForm &window, const QString &name)
{
    auto *button = window.findChild<ImageButton *>(name);
    QVERIFY2(button, qPrintable(name));
    QTest::mouseClick(button, Qt::LeftButton);
}

const QStringList kCommandButtons = {QStringLiteral("btn_1"), QStringLiteral("btn_2"),
                                     QStringLiteral("btn_3"), QStringLiteral("btn_4"),
                                     QStringLiteral("btn_5"), QStringLiteral("btn_6")};

// A window connected to a loopback bell that has received its greeting.
struct GreetedWindow
{
    BellServer bell;
    MessageBoxWatcher watcher;
    std::unique_ptr<TMainForm> window;

    bool start()
    {
        if (!bell.listen())
            return false;
        window = std::make_unique<TMainForm>(linkTo(bell.url()));
        window->show();
        return QTest::qWaitFor([this] { return bell.received() == QStringList{"check"}; });
    }
};

// Lets queued events run so that anything wrongly sent or shown would have happened.
void settle()
{
    QTest::qWait(100);
}

} // namespace

class LinkTest : public QObject
{
    Q_OBJECT

private slots:
    void greetsOnceAfterHandshake();
    void sendsPlainTextFramesAndNoCloseFrame();
    void buttonsSendTheirWords_data();
    void buttonsSendTheirWords();
    void receivesUtf8Text();
    void failedAttemptAsks_data();
    void failedAttemptAsks();
    void retryReachesBellThatCameUp();
    void noLeavesWorkingWindow();
    void bellClosingLinkLeavesWindowAsItWas();
};

void LinkTest::greetsOnceAfterHandshake()
{
    GreetedWindow greeted;
    QVERIFY(greeted.start());
    BellServer &bell = greeted.bell;
    TMainForm &window = *greeted.window;
    QCOMPARE(bell.lastRequestPath(), QStringLiteral("/ws"));
    click(window, QStringLiteral("btn_3"));
    QTRY_COMPARE(bell.received(), (QStringList{"check", "mode2"}));

    // Shown again, as after a restore from the task bar: no second attempt.
    window.hide();
    window.show();
    settle();
    QCOMPARE(bell.connections(), 1);
    QCOMPARE(bell.received(), (QStringList{"check", "mode2"}));
    QVERIFY(greeted.watcher.seen().isEmpty());
}

void LinkTest::sendsPlainTextFramesAndNoCloseFrame()
{
    RawPeer peer;
    QVERIFY(peer.listen());
    peer.setMode(RawPeer::Mode::Handshake);
    auto window = std::make_unique<TMainForm>(linkTo(peer.url()));
    window->show();

    QTRY_COMPARE(RawPeer::decodeClientFrames(peer.afterRequest()).size(), 1);
    const QByteArray request = peer.request();
    QVERIFY2(request.startsWith("GET /ws HTTP/1.1\r\n"), request.constData());
    QVERIFY(!request.contains("Sec-WebSocket-Protocol"));
    QVERIFY(!request.contains("Sec-WebSocket-Extensions"));

    click(*window, QStringLiteral("btn_5"));
    QTRY_COMPARE(RawPeer::decodeClientFrames(peer.afterRequest()).size(), 2);

    window.reset();
    QTRY_VERIFY(peer.latestClientGone());
    const QList<RawPeer::Frame> frames = RawPeer::decodeClientFrames(peer.afterRequest());
    QCOMPARE(frames.size(), 2);
    const QByteArray expected[] = {"check", "buzz2"};
    for (int i = 0; i < 2; ++i) {
        QVERIFY(frames.at(i).fin);
        QCOMPARE(frames.at(i).opcode, 1);
        QCOMPARE(frames.at(i).payload, expected[i]);
    }
}

void LinkTest::buttonsSendTheirWords_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("word");
    QTest::newRow("RESET") << "btn_1"
                           << "reset";
    QTest::newRow("Mode 1") << "btn_2"
                            << "mode1";
    QTest::newRow("Mode 2") << "btn_3"
                            << "mode2";
    QTest::newRow("Mode 3") << "btn_4"
                            << "mode3";
    QTest::newRow("Tone 1 sends buzz2") << "btn_5"
                                        << "buzz2";
    QTest::newRow("Tone 2 sends buzz1") << "btn_6"
                                        << "buzz1";
}

void LinkTest::buttonsSendTheirWords()
{
    QFETCH(QString, button);
    QFETCH(QString, word);

    GreetedWindow greeted;
    QVERIFY(greeted.start());
    BellServer &bell = greeted.bell;
    TMainForm &window = *greeted.window;

    const WindowState before = WindowState::of(window);
    click(window, button);
    click(window, button);
    QTRY_COMPARE(bell.received(), (QStringList{"check", word, word}));
    settle();
    QCOMPARE(WindowState::of(window), before);
}

void LinkTest::receivesUtf8Text()
{
    GreetedWindow greeted;
    QVERIFY(greeted.start());
    BellServer &bell = greeted.bell;
    TMainForm &window = *greeted.window;

    bell.sendText(QStringLiteral("status → mode2 · lampu «merah» 🔔 ü"));
    QTRY_COMPARE(WindowState::of(window), WindowState::initial().mode(2).colour(Lamp::red));
}

void LinkTest::failedAttemptAsks_data()
{
    QTest::addColumn<QString>("peer");
    QTest::addColumn<QList<QMessageBox::StandardButton>>("answers");

    const QList<QMessageBox::StandardButton> no = {QMessageBox::No};
    const QList<QMessageBox::StandardButton> threeYes = {QMessageBox::Yes, QMessageBox::Yes,
                                                         QMessageBox::Yes, QMessageBox::No};
    for (const char *peer : {"refused", "silent", "http 404"}) {
        QTest::addRow("%s, No", peer) << QString::fromLatin1(peer) << no;
        QTest::addRow("%s, Yes three times", peer) << QString::fromLatin1(peer) << threeYes;
    }
}

void LinkTest::failedAttemptAsks()
{
    QFETCH(QString, peer);
    QFETCH(QList<QMessageBox::StandardButton>, answers);

    RawPeer raw;
    QUrl url;
    if (peer == QLatin1String("refused")) {
        url = loopbackUrl(freePort());
    } else {
        QVERIFY(raw.listen());
        if (peer == QLatin1String("http 404"))
            raw.setMode(RawPeer::Mode::Reply,
                        "HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\n\r\n");
        url = raw.url();
    }

    MessageBoxWatcher watcher(answers);
    TMainForm window(linkTo(url, 300));
    window.show();

    const int attempts = int(answers.size());
    QTRY_COMPARE_WITH_TIMEOUT(watcher.seen().size(), attempts, 20000);
    settle();
    QCOMPARE(watcher.seen().size(), attempts);
    if (peer != QLatin1String("refused"))
        QCOMPARE(raw.connections(), attempts);

    const QString text = QStringLiteral("Gagal menyambungkan bel, pastikan anda\r\n"
                                        "sudah terhubung ke WiFi ZYN-VELK\r\n"
                                        "Apakah anda ingin menyambungkan kembali ?");
    for (const MessageBoxWatcher::Seen &box : watcher.seen()) {
        QCOMPARE(box.title, QStringLiteral("Confirm"));
        QCOMPARE(box.text, text);
        QCOMPARE(box.icon, QMessageBox::Question);
        QCOMPARE(box.buttons, QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(box.defaultButton, QMessageBox::Yes);
    }
    QCOMPARE(WindowState::of(window), WindowState::initial());
}

void LinkTest::retryReachesBellThatCameUp()
{
    const quint16 port = freePort();
    BellServer bell;
    MessageBoxWatcher watcher({QMessageBox::Yes});
    bool listening = false;
    watcher.setOnBox([&](int) { listening = listening || bell.listen(port); });
    TMainForm window(linkTo(loopbackUrl(port)));
    window.show();

    QTRY_COMPARE(bell.received(), QStringList{"check"});
    QVERIFY(listening);
    settle();
    QCOMPARE(bell.received(), QStringList{"check"});
    QCOMPARE(bell.connections(), 1);
    QCOMPARE(watcher.seen().size(), 1);
}

void LinkTest::noLeavesWorkingWindow()
{
    RawPeer silent;
    QVERIFY(silent.listen());
    MessageBoxWatcher watcher({QMessageBox::No, QMessageBox::Ok});
    TMainForm window(linkTo(silent.url(), 200));
    window.show();
    QTRY_COMPARE_WITH_TIMEOUT(watcher.seen().size(), 1, 10000);
    QTRY_VERIFY(silent.latestClientGone());

    for (const QString &button : kCommandButtons)
        click(window, button);
    click(window, QStringLiteral("btn_7"));
    QTRY_COMPARE(watcher.seen().size(), 2);
    QCOMPARE(watcher.seen().at(1).text, TMainForm::infoText());
    settle();
    QCOMPARE(silent.connections(), 1);
    QVERIFY(silent.afterRequest().isEmpty());
    QCOMPARE(WindowState::of(window), WindowState::initial());
}

void LinkTest::bellClosingLinkLeavesWindowAsItWas()
{
    GreetedWindow greeted;
    QVERIFY(greeted.start());
    BellServer &bell = greeted.bell;
    TMainForm &window = *greeted.window;
    bell.sendText(QStringLiteral("mode2 merah"));
    const WindowState reported = WindowState::initial().mode(2).colour(Lamp::red);
    QTRY_COMPARE(WindowState::of(window), reported);

    QSignalSpy left(&bell, &BellServer::clientLeft);
    bell.closeClients();
    QTRY_COMPARE(left.size(), 1);
    settle();
    for (const QString &button : kCommandButtons) {
        auto *imageButton = window.findChild<ImageButton *>(button);
        if (imageButton->isEnabled())
            QTest::mouseClick(imageButton, Qt::LeftButton);
    }
    settle();
    QCOMPARE(bell.received(), QStringList{"check"});
    QCOMPARE(bell.connections(), 1);
    QVERIFY(greeted.watcher.seen().isEmpty());
    QCOMPARE(WindowState::of(window), reported);
}

QTEST_MAIN(LinkTest)
#include "tst_link.moc"
