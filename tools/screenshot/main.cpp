// velk-screenshot: pictures of the real window on the offscreen platform, for the README and
// for looking at the window. The window only ever talks to peers on 127.0.0.1.
//
//   velk-screenshot OUT.png [STATUS...]   connected to the bell simulator, after it sent STATUS
//   velk-screenshot --initial OUT.png     before any report (the attempt is still under way)
//   velk-screenshot --question OUT.png    the connection question over the window

#include "BellSimulator.h"
#include "Unit1.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCommandLineParser>
#include <QHostAddress>
#include <QMessageBox>
#include <QScreen>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <cstdio>

namespace {

constexpr int kSettleMs = 300;

// The screen around the window, with any box on top of it.
QImage grabAround(const QWidget &window)
{
    const QRect area = window.frameGeometry().adjusted(-20, -20, 20, 20);
    return window.screen()
        ->grabWindow(0, area.x(), area.y(), area.width(), area.height())
        .toImage();
}

QMessageBox *openBox()
{
    return qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("VELK"));

    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption initial(QStringLiteral("initial"),
                                     QStringLiteral("Before any report."));
    const QCommandLineOption question(QStringLiteral("question"),
                                      QStringLiteral("With the connection question up."));
    parser.addOptions({initial, question});
    parser.addPositionalArgument(QStringLiteral("out"), QStringLiteral("PNG file to write."));
    parser.addPositionalArgument(QStringLiteral("status"), QStringLiteral("Texts the bell sends."));
    parser.process(application);
    const QStringList arguments = parser.positionalArguments();
    if (arguments.isEmpty())
        parser.showHelp(2);
    const QString out = arguments.constFirst();

    // --question: nothing listens. --initial: a peer that accepts and stays silent until the
    // picture is taken. Otherwise the simulator.
    BellSimulator simulator;
    QTcpServer silent;
    QList<QTcpSocket *> held;
    QObject::connect(&silent, &QTcpServer::newConnection, &silent, [&] {
        while (QTcpSocket *socket = silent.nextPendingConnection())
            held.append(socket);
    });
    QUrl url;
    int timeoutMs = 10000;
    if (parser.isSet(question)) {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost, 0);
        url = QUrl(QStringLiteral("ws://127.0.0.1:%1/ws").arg(probe.serverPort()));
    } else if (parser.isSet(initial)) {
        silent.listen(QHostAddress::LocalHost, 0);
        url = QUrl(QStringLiteral("ws://127.0.0.1:%1/ws").arg(silent.serverPort()));
        timeoutMs = 60000;
    } else if (simulator.listen(0)) {
        url = simulator.url();
    } else {
        return 1;
    }

    LinkSettings settings = LinkSettings::at(url);
    settings.connectTimeoutMs = timeoutMs;
    TMainForm window(settings);
    QImage picture;
    bool saidStatus = false;

    // Every step is a poll, so it runs in whichever event loop is current.
    QTimer poll;
    QTimer::singleShot(30000, &application, [] { QCoreApplication::exit(1); });
    QObject::connect(&poll, &QTimer::timeout, &window, [&] {
        if (QMessageBox *box = openBox()) {
            if (parser.isSet(question) && picture.isNull()) {
                QTimer::singleShot(kSettleMs, box, [&, box] {
                    picture = grabAround(window);
                    box->button(QMessageBox::No)->click();
                });
                poll.stop();
                QTimer::singleShot(2 * kSettleMs, &application, [&] { poll.start(); });
            } else if (!parser.isSet(question)) {
                box->button(QMessageBox::No)->click();
            }
            return;
        }
        if (!picture.isNull()) {
            poll.stop();
            QCoreApplication::exit(picture.save(out) ? 0 : 1);
            return;
        }
        if (parser.isSet(initial)) {
            poll.stop();
            QTimer::singleShot(kSettleMs, &window, [&] {
                picture = window.grab().toImage();
                qDeleteAll(held);
                poll.start();
            });
        } else if (!parser.isSet(question) && !saidStatus && simulator.clientCount() == 1) {
            saidStatus = true;
            for (const QString &status : arguments.mid(1))
                simulator.say(status);
            poll.stop();
            QTimer::singleShot(kSettleMs, &window, [&] {
                picture = window.grab().toImage();
                poll.start();
            });
        }
    });
    window.show();
    poll.start(10);
    const int result = application.exec();
    if (result != 0)
        std::fprintf(stderr, "velk-screenshot: no picture written\n");
    return result;
}
