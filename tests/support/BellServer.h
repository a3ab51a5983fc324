#pragma once

#include <QList>
#include <QObject>
#include <QStringList>
#include <QUrl>

class QWebSocket;
class QWebSocketServer;

// A WebSocket bell for tests, on 127.0.0.1; records what its clients send.
class BellServer : public QObject
{
    Q_OBJECT

public:
    explicit BellServer(QObject *parent = nullptr);

    // Listens on 127.0.0.1 at port, 0 for one the system picks.
    bool listen(quint16 port = 0);
    QUrl url() const;

    // Text messages received, in order; binary ones are recorded as "<binary N bytes>".
    const QStringList &received() const { return m_received; }
    // Clients whose handshake completed, in all.
    int connections() const { return m_connections; }
    QString lastRequestPath() const { return m_lastPath; }

    void sendText(const QString &text);
    void closeClients();

signals:
    void clientLeft();

private:
    QWebSocketServer *m_server;
    QList<QWebSocket *> m_clients;
    QStringList m_received;
    int m_connections = 0;
    QString m_lastPath;
};
