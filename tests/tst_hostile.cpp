// Broken and hostile bells on a raw TCP peer: handshake faults, framing faults, odd texts,
// floods and sudden closes. For each, the program must keep running and handling events,
// take in only a bounded amount, show what the rules make of the texts it accepted, and never
// treat a broken link as open.

#include "BellLink.h"
#include "ImageButton.h"
#include "MessageBoxWatcher.h"
#include "RawPeer.h"
#include "Unit1.h"
#include "WindowState.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTest>
#include <QtEndian>
#include <unistd.h>

namespace {

using Frame = RawPeer::Frame;

constexpr qint64 kMiB = 1024 * 1024;
// Far more than the link's limits, far less than what the peers offer.
constexpr qint64 kMostTaken = 8 * kMiB;
constexpr qint64 kMostGrowth = 48 * kMiB;

QByteArray frame(int opcode, const QByteArray &payload, bool fin = true)
{
    return RawPeer::serverFrame(opcode, payload, fin);
}

QByteArray text(const QByteArray &payload)
{
    return frame(0x1, payload);
}

// A frame header with any first byte and a stated length, without the payload.
QByteArray header(quint8 first, quint64 length)
{
    QByteArray bytes(1, char(first));
    bytes.append(char(127));
    quint8 big[8];
    qToBigEndian(length, big);
    bytes.append(reinterpret_cast<const char *>(big), 8);
    return bytes;
}

QByteArray closeFrame(quint16 code)
{
    quint8 big[2];
    qToBigEndian(code, big);
    return frame(0x8, QByteArray(reinterpret_cast<const char *>(big), 2));
}

// This process's resident memory, from /proc.
qint64 residentBytes()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields.at(1).toLongLong() * sysconf(_SC_PAGESIZE) : 0;
}

QList<Frame> sentBy(const RawPeer &peer)
{
    return RawPeer::decodeClientFrames(peer.afterRequest());
}

int countOpcode(const QList<Frame> &frames, int opcode)
{
    return int(std::count_if(frames.begin(), frames.end(),
                             [opcode](const Frame &f) { return f.opcode == opcode; }));
}

// The window and its link, against one peer.
struct Bench
{
    RawPeer peer;
    MessageBoxWatcher watcher{{QMessageBox::No, QMessageBox::Ok}};
    std::unique_ptr<TMainForm> window;
    std::unique_ptr<QSignalSpy> messages;
    qint64 residentAtStart = residentBytes();

    // What the process grew by while the peer did its worst.
    qint64 growth() const { return residentBytes() - residentAtStart; }

    bool start(const RawPeer::Script &script, int timeoutMs = 2000)
    {
        if (!peer.listen())
            return false;
        peer.setScript(script);
        LinkSettings settings = LinkSettings::at(peer.url());
        settings.connectTimeoutMs = timeoutMs;
        window = std::make_unique<TMainForm>(settings);
        messages = std::make_unique<QSignalSpy>(
            window->findChild<BellLink *>(QStringLiteral("sgwscli_1")), &BellLink::textMessage);
        window->show();
        return true;
    }

    QStringList texts() const
    {
        QStringList all;
        for (const QList<QVariant> &arguments : *messages)
            all.append(arguments.constFirst().toString());
        return all;
    }

    // The window still handles events and user input: the Info box comes up and goes.
    bool responsive()
    {
        const qsizetype before = watcher.seen().size();
        QTest::mouseClick(window->findChild<ImageButton *>(QStringLiteral("btn_7")),
                          Qt::LeftButton);
        return watcher.seen().size() == before + 1 &&
               watcher.seen().constLast().text == TMainForm::infoText();
    }

    void clickAllCommands()
    {
        for (const char *name : {"btn_1", "btn_2", "btn_3", "btn_4", "btn_5", "btn_6"}) {
            auto *button = window->findChild<ImageButton *>(QLatin1String(name));
            if (button->isEnabled())
                QTest::mouseClick(button, Qt::LeftButton);
        }
    }
};

} // namespace

class HostileTest : public QObject
{
    Q_OBJECT

private slots:
    void handshakeFaults_data();
    void handshakeFaults();
    void afterHandshake_data();
    void afterHandshake();
    void burstOfStatusMessages();
    void pingFlood();
};

void HostileTest::handshakeFaults_data()
{
    QTest::addColumn<RawPeer::Script>("script");
    QTest::addColumn<int>("timeoutMs");
    QTest::addColumn<bool>("opens");

    using Mode = RawPeer::Mode;
    const QByteArray wrongAccept = "HTTP/1.1 101 Switching Protocols\r\nUpgrade: websocket\r\n"
                                   "Connection: Upgrade\r\nSec-WebSocket-Accept: " +
                                   RawPeer::acceptKey("not the key") + "\r\n\r\n";
    QTest::newRow("accepts, stays silent") << RawPeer::Script{Mode::Silent, {}} << 500 << false;
    QTest::newRow("HTTP 404")
        << RawPeer::Script{Mode::Reply, "HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\n\r\n"}
        << 2000 << false;
    QTest::newRow("HTTP 500") << RawPeer::Script{Mode::Reply,
                                                 "HTTP/1.1 500 Internal Server Error\r\n"
                                                 "Content-Length: 5\r\n\r\nerror"}
                              << 2000 << false;
    QTest::newRow("wrong Sec-WebSocket-Accept")
        << RawPeer::Script{Mode::Reply, wrongAccept} << 2000 << false;
    QTest::newRow("101 without upgrade headers")
        << RawPeer::Script{Mode::Reply, "HTTP/1.1 101 Switching Protocols\r\n\r\n"} << 2000
        << false;
    QTest::newRow("not HTTP at all")
        << RawPeer::Script{Mode::Reply, QByteArray("\x00\xff\x10garbage\r\n\r\n", 14)} << 2000
        << false;
    QTest::newRow("closes without answering")
        << RawPeer::Script{Mode::Reply, {}, false, 0, true} << 2000 << false;
    QTest::newRow("endless header line")
        << RawPeer::Script{Mode::Reply, "HTTP/1.1 101 Switching Protocols\r\nX-Filler: ", false,
                           1024 * kMiB}
        << 1000 << false;
    QTest::newRow("handshake trickled one byte at a time")
        << RawPeer::Script{Mode::Handshake, {}, true} << 10000 << true;
}

void HostileTest::handshakeFaults()
{
    QFETCH(RawPeer::Script, script);
    QFETCH(int, timeoutMs);
    QFETCH(bool, opens);

    Bench bench;
    QElapsedTimer elapsed;
    elapsed.start();
    QVERIFY(bench.start(script, timeoutMs));

    if (opens) {
        QTRY_COMPARE_WITH_TIMEOUT(sentBy(bench.peer).size(), 1, timeoutMs + 10000);
        QCOMPARE(sentBy(bench.peer).constFirst().payload, QByteArray("check"));
        QVERIFY(bench.watcher.seen().isEmpty());
    } else {
        QTRY_COMPARE_WITH_TIMEOUT(bench.watcher.seen().size(), 1, timeoutMs + 10000);
        // The question comes within the connect time-out (with a wide margin for a slow machine).
        QVERIFY2(elapsed.elapsed() < timeoutMs + 5000,
                 qPrintable(QString::number(elapsed.elapsed())));
        QCOMPARE(bench.watcher.seen().constFirst().title, QStringLiteral("Confirm"));
        QTRY_VERIFY(bench.peer.latestClientGone());
        QVERIFY(sentBy(bench.peer).isEmpty());
    }
    QVERIFY(bench.peer.delivered() < kMostTaken);
    QVERIFY2(bench.growth() < kMostGrowth, qPrintable(QString::number(bench.growth())));
    QVERIFY(bench.responsive());
    QCOMPARE(WindowState::of(*bench.window), WindowState::initial());
    QCOMPARE(bench.peer.connections(), 1);
}

void HostileTest::afterHandshake_data()
{
    QTest::addColumn<RawPeer::Script>("script");
    QTest::addColumn<bool>("staysOpen");
    QTest::addColumn<QStringList>("delivered");
    QTest::addColumn<WindowState>("expected");

    using Mode = RawPeer::Mode;
    // Most peers answer the greeting with a good report, which must stay shown, and then
    // with the fault.
    const QByteArray good = text("mode3 ungu");
    const WindowState shown = WindowState::initial().mode(3).colour(Lamp::purple);
    const QStringList first{"mode3 ungu"};
    const auto closes = [&](const char *name, const QByteArray &bad, qint64 stream = 0) {
        QTest::newRow(name) << RawPeer::Script{Mode::Handshake, {},    false,
                                               stream,          false, good + bad}
                            << false << first << shown;
    };

    QTest::newRow("peer closes at once after the handshake")
        << RawPeer::Script{Mode::Handshake, {}, false, 0, true} << false << QStringList{}
        << WindowState::initial();
    QTest::newRow("bad frame along with the handshake")
        << RawPeer::Script{Mode::Handshake, frame(0x3, "mode1")} << false << QStringList{}
        << WindowState::initial();
    QTest::newRow("peer closes in the middle of a frame")
        << RawPeer::Script{Mode::Handshake, {}, false, 0, true, good + QByteArray("\x81\x0Amode1")}
        << false << first << shown;

    closes("reserved data opcode 3", frame(0x3, "mode1 merah"));
    closes("reserved control opcode 11", frame(0xB, "mode1"));
    closes("ping longer than 125 bytes", frame(0x9, QByteArray(200, 'p')));
    closes("fragmented ping", frame(0x9, "ping", false));
    closes("continuation with nothing to continue", frame(0x0, "mode1 merah"));
    closes("new text frame inside a fragmented one", frame(0x1, "mo", false) + text("de1"));
    closes("close frame with code 999", closeFrame(999));
    closes("close frame with code 1005", closeFrame(1005));
    closes("close frame with one byte of payload", frame(0x8, "x"));
    closes("close frame 1000: a normal close", closeFrame(1000));
    closes("frame header announcing 1 GiB", header(0x81, 1024 * kMiB), 64 * kMiB);
    closes("text message over the 64 KiB limit",
           text("mode1 merah " + QByteArray(100 * 1024, 'x')));
    QByteArray manySmall = frame(0x1, "mode1 ", false);
    for (int i = 0; i < 2000; ++i)
        manySmall += frame(0x0, QByteArray(64, 'x'), false);
    closes("fragments adding up over the limit", manySmall + frame(0x0, "merah"));
    // Qt checks text messages for valid UTF-8 and closes the link on a bad one.
    closes("invalid UTF-8", text("mode1 \xC3\x28 merah"));

    const auto stays = [&](const char *name, const QByteArray &bytes, const QStringList &texts,
                           const WindowState &state) {
        QTest::newRow(name) << RawPeer::Script{Mode::Handshake, {}, false, 0, false, good + bytes}
                            << true << texts << state;
    };
    stays("non-ASCII text around keywords", text("→mode2← «merah» ünï 🔔"),
          {"mode3 ungu", "→mode2← «merah» ünï 🔔"},
          WindowState::initial().mode(2).colour(Lamp::red));
    QByteArray fragmented = frame(0x1, "m", false);
    for (const char *piece : {"o", "d", "e", "2", " ", "m", "e", "r", "a", "h"})
        fragmented += frame(0x9, "ping") + frame(0x0, piece, false);
    fragmented += frame(0x0, "!");
    stays("message in many frames with pings between", fragmented, {"mode3 ungu", "mode2 merah!"},
          WindowState::initial().mode(2).colour(Lamp::red));
    // Qt 6.4 does not look at the reserved bits: such a frame arrives as a plain one.
    stays("reserved bit RSV1, let through by Qt", frame(0x41, "mode1 merah"),
          {"mode3 ungu", "mode1 merah"}, WindowState::initial().mode(1).colour(Lamp::red));
    stays("reserved bits RSV2 and RSV3, let through by Qt", frame(0x31, "mode2"),
          {"mode3 ungu", "mode2"}, shown.mode(2));
    stays("binary message is ignored", frame(0x2, "mode1 merah"), first, shown);
    stays("empty text message", text(""), {"mode3 ungu", ""}, shown);
    stays("unasked pong is ignored", frame(0xA, "mode1"), first, shown);
}

void HostileTest::afterHandshake()
{
    QFETCH(RawPeer::Script, script);
    QFETCH(bool, staysOpen);
    QFETCH(QStringList, delivered);
    QFETCH(WindowState, expected);

    Bench bench;
    QVERIFY(bench.start(script));
    if (staysOpen) {
        QTRY_COMPARE(bench.texts(), delivered);
        QTest::qWait(100);
        QVERIFY(!bench.peer.latestClientGone());
        QCOMPARE(sentBy(bench.peer).constFirst().payload, QByteArray("check"));
        // No row sets a tone, so "Tone 1" is still enabled.
        QTest::mouseClick(bench.window->findChild<ImageButton *>(QStringLiteral("btn_5")),
                          Qt::LeftButton);
        QTRY_COMPARE(sentBy(bench.peer).constLast().payload, QByteArray("buzz2"));
    } else {
        QTRY_VERIFY(bench.peer.latestClientGone());
        QTest::qWait(100);
        QCOMPARE(bench.texts(), delivered);
        // Nothing but the greeting (if the link was still open for it) and a close frame.
        for (const Frame &sent : sentBy(bench.peer))
            QVERIFY2(sent.payload == "check" || sent.opcode == 0x8, sent.payload.constData());
        const qsizetype sent = bench.peer.afterRequest().size();
        bench.clickAllCommands();
        QTest::qWait(100);
        QCOMPARE(bench.peer.afterRequest().size(), sent);
    }
    QCOMPARE(WindowState::of(*bench.window), expected);
    QVERIFY(bench.watcher.seen().isEmpty());
    QVERIFY(bench.peer.delivered() < kMostTaken + script.onGreeting.size());
    QVERIFY2(bench.growth() < kMostGrowth, qPrintable(QString::number(bench.growth())));
    QVERIFY(bench.responsive());
    QCOMPARE(bench.peer.connections(), 1);
}

void HostileTest::burstOfStatusMessages()
{
    const char *modes[] = {"mode1", "mode2", "mode3"};
    const char *tones[] = {"buzz1", "buzz2"};
    const char *colours[] = {"hijau", "kuning", "merah", "biru", "putih", "ungu"};
    QStringList sent;
    QByteArray bytes;
    for (int i = 0; i < 10000; ++i) {
        const QString status = QStringLiteral("%1 %2 %3 #%4")
                                   .arg(QLatin1String(modes[i % 3]), QLatin1String(tones[i % 2]),
                                        QLatin1String(colours[i % 6]))
                                   .arg(i);
        sent.append(status);
        bytes += text(status.toUtf8());
    }

    Bench bench;
    QVERIFY(bench.start({RawPeer::Mode::Handshake, bytes}));
    QTRY_COMPARE_WITH_TIMEOUT(bench.messages->size(), 10000, 30000);
    QCOMPARE(bench.texts(), sent);
    // The last one: "mode1 buzz2 biru #9999".
    QCOMPARE(WindowState::of(*bench.window),
             WindowState::initial().mode(1).tone("buzz2").colour(Lamp::blue));
    QVERIFY(bench.responsive());
}

void HostileTest::pingFlood()
{
    QByteArray pings;
    for (int i = 0; i < 10000; ++i)
        pings += frame(0x9, QByteArray::number(i));

    Bench bench;
    QVERIFY(bench.start({RawPeer::Mode::Handshake, {}, false, 0, false, pings + text("mode2")}));
    QTRY_COMPARE_WITH_TIMEOUT(countOpcode(sentBy(bench.peer), 0xA), 10000, 30000);
    const QList<Frame> frames = sentBy(bench.peer);
    QCOMPARE(frames.constFirst().payload, QByteArray("check"));
    QCOMPARE(frames.constLast().payload, QByteArray("9999"));
    QTRY_COMPARE(bench.texts(), QStringList{"mode2"});
    QVERIFY(bench.responsive());
    QCOMPARE(WindowState::of(*bench.window), WindowState::initial().mode(2));
}

QTEST_MAIN(HostileTest)
#include "tst_hostile.moc"
