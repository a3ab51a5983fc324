#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QUrl>

class QTcpServer;
class QTcpSocket;

// A TCP peer on 127.0.0.1 that plays a WebSocket server well or badly: it can stay silent,
// answer the opening request with any bytes, or complete the handshake and then write any
// bytes. It records what each client sends.
class RawPeer : public QObject
{
    Q_OBJECT

public:
    enum class Mode
    {
        Silent,
        Reply,
        Handshake
    };

    // A frame as a client sends it, unmasked.
    struct Frame
    {
        bool fin = false;
        int opcode = 0;
        QByteArray payload;
    };

    explicit RawPeer(QObject *parent = nullptr);

    bool listen();
    QUrl url() const;

    // Silent: accept and never answer. Reply: answer the request with bytes. Handshake: answer
    // with a correct 101 response followed by bytes.
    void setMode(Mode mode, const QByteArray &bytes = {});

    int connections() const { return m_connections; }
    // The latest client's opening request, up to the blank line.
    QByteArray request() const { return m_request; }
    // What the latest client sent after its request headers.
    QByteArray afterRequest() const { return m_afterRequest; }
    bool latestClientGone() const { return m_gone; }
    // Writes to the latest client.
    void write(const QByteArray &bytes);

    static QByteArray acceptKey(const QByteArray &clientKey);
    static QList<Frame> decodeClientFrames(const QByteArray &bytes);
    // A frame as a server sends it: unmasked.
    static QByteArray serverFrame(int opcode, const QByteArray &payload, bool fin = true);

private:
    void serve(QTcpSocket *socket);

    QTcpServer *m_server;
    QTcpSocket *m_latest = nullptr;
    Mode m_mode = Mode::Silent;
    QByteArray m_bytes;
    int m_connections = 0;
    QByteArray m_request;
    QByteArray m_afterRequest;
    bool m_gone = false;
};
