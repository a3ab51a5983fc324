#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QUrl>

class QTcpServer;
class QTcpSocket;
class QTimer;

// A TCP peer on 127.0.0.1 that plays a WebSocket server well or badly: it can stay silent,
// answer the opening request with any bytes, or complete the handshake and then write any
// bytes; trickle its answer, follow it with a stream of filler bytes, or close after it.
// It records what each client sends.
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

    struct Script
    {
        Mode mode = Mode::Silent;
        // Reply: the whole answer. Handshake: what follows a correct 101 response.
        QByteArray bytes;
        // Write the answer one byte at a time.
        bool trickle = false;
        // Then this many filler bytes, written only as fast as the client reads them.
        qint64 stream = 0;
        bool closeAfter = false;
        // Handshake: written once the client's first frame (its greeting) has arrived.
        QByteArray onGreeting = {};
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
    void setScript(const Script &script) { m_script = script; }
    void setMode(Mode mode, const QByteArray &bytes = {}) { m_script = {mode, bytes}; }

    int connections() const { return m_connections; }
    // The latest client's opening request, up to the blank line.
    QByteArray request() const { return m_request; }
    // What the latest client sent after its request headers.
    QByteArray afterRequest() const { return m_afterRequest; }
    bool latestClientGone() const { return m_gone; }
    // Bytes of the script and stream the latest client has taken.
    qint64 delivered() const { return m_delivered; }

    static QByteArray acceptKey(const QByteArray &clientKey);
    static QList<Frame> decodeClientFrames(const QByteArray &bytes);
    // A frame as a server sends it: unmasked.
    static QByteArray serverFrame(int opcode, const QByteArray &payload, bool fin = true);

private:
    void serve(QTcpSocket *socket);
    void answer();
    void feed();
    void takeAfterRequest(QTcpSocket *socket);

    QTcpServer *m_server;
    QTimer *m_trickle;
    QTcpSocket *m_latest = nullptr;
    Script m_script;
    QByteArray m_pending;
    qint64 m_streamLeft = 0;
    qint64 m_delivered = 0;
    int m_connections = 0;
    QByteArray m_request;
    QByteArray m_afterRequest;
    bool m_gone = false;
    bool m_greeted = false;
};
