#pragma once

#include <QObject>
#include <QStringList>
#include <QUrl>

class QThread;
class QWebSocketServer;

// A loopback bell on a thread of its own that answers each client's "check" with the same
// burst of status texts, so that only the receiving side is measured on the main thread.
class StreamServer : public QObject
{
    Q_OBJECT

public:
    explicit StreamServer(QStringList burst);
    ~StreamServer() override;

    QUrl url() const { return m_url; }

private:
    void onConnection();

    QStringList m_burst;
    QThread *m_thread;
    QWebSocketServer *m_server;
    QUrl m_url;
};
