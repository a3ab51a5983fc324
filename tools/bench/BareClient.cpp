// velk-bare-client: the floor for any Qt WebSocket client with a window: shows an empty
// window, opens a bare QWebSocket to the URL given with --bell, sends "check" once connected
// and stays until killed.

#include <QApplication>
#include <QWebSocket>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();

    QWidget window;
    window.resize(400, 704);
    window.show();

    QWebSocket socket;
    QObject::connect(&socket, &QWebSocket::connected, &socket,
                     [&socket] { socket.sendTextMessage(QStringLiteral("check")); });
    socket.open(QUrl(arguments.value(arguments.indexOf(QStringLiteral("--bell")) + 1)));
    return application.exec();
}
