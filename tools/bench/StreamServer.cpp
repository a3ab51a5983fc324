#include "StreamServer.h"

#include <QHostAddress>
#include <QThread>
#include <QWebSocket>
#include <QWebSocketServer>

StreamServer::StreamServer(QStringList burst)
    : m_burst(std::move(burst))
    , m_thread(new QThread)
    , m_server(new QWebSocketServer(QStringLiteral("bench bell"), QWebSocketServer::NonSecureMode))
{
    m_server->listen(QHostAddress::LocalHost, 0);
    m_url = QUrl(QStringLiteral("ws://127.0.0.1:%1/ws").arg(m_server->serverPort()));
    m_server->moveToThread(m_thread);
    connect(m_server, &QWebSocketServer::newConnection, m_server, [this] { onConnection(); });
    m_thread->start();
}

StreamServer::~StreamServer()
{
    QMetaObject::invokeMethod(
        m_server, [this] { delete m_server; }, Qt::BlockingQueuedConnection);
    m_thread->quit();
    m_thread->wait();
    delete m_thread;
}

void StreamServer::onConnection()
{
    while (QWebSocket *client = m_server->nextPendingConnection()) {
        client->setParent(m_server);
        connect(client, &QWebSocket::textMessageReceived, client,
                [this, client](const QString &text) {
                    if (text != QLatin1String("check"))
                        return;
                    for (const QString &status : std::as_const(m_burst))
                        client->sendTextMessage(status);
                });
        connect(client, &QWebSocket::disconnected, client, &QObject::deleteLater);
    }
}
