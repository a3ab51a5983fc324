#include "BellServer.h"

#include <QHostAddress>
#include <QWebSocket>
#include <QWebSocketServer>

BellServer::BellServer(QObject *parent)
    : QObject(parent)
    , m_server(
          new QWebSocketServer(QStringLiteral("test bell"), QWebSocketServer::NonSecureMode, this))
{
    connect(m_server, &QWebSocketServer::newConnection, this, [this] {
        while (QWebSocket *client = m_server->nextPendingConnection()) {
            client->setParent(this);
            ++m_connections;
            m_lastPath = client->requestUrl().path();
            m_clients.append(client);
            connect(client, &QWebSocket::textMessageReceived, this,
                    [this](const QString &text) { m_received.append(text); });
            connect(client, &QWebSocket::binaryMessageReceived, this,
                    [this](const QByteArray &data) {
                        m_received.append(QStringLiteral("<binary %1 bytes>").arg(data.size()));
                    });
            connect(client, &QWebSocket::disconnected, this, [this, client] {
                m_clients.removeOne(client);
                client->deleteLater();
                emit clientLeft();
            });
        }
    });
}

bool BellServer::listen(quint16 port)
{
    return m_server->listen(QHostAddress::LocalHost, port);
}

QUrl BellServer::url() const
{
    return QUrl(QStringLiteral("ws://127.0.0.1:%1/ws").arg(m_server->serverPort()));
}

void BellServer::sendText(const QString &text)
{
    for (QWebSocket *client : std::as_const(m_clients))
        client->sendTextMessage(text);
}

void BellServer::closeClients()
{
    for (QWebSocket *client : std::as_const(m_clients))
        client->close();
}
