#include "RawPeer.h"

#include <QCryptographicHash>
#include <QHostAddress>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

namespace {
constexpr qint64 kChunk = 64 * 1024;
}

RawPeer::RawPeer(QObject *parent)
    : QObject(parent)
    , m_server(new QTcpServer(this))
    , m_trickle(new QTimer(this))
{
    m_trickle->setInterval(1);
    connect(m_trickle, &QTimer::timeout, this, &RawPeer::feed);
    connect(m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *socket = m_server->nextPendingConnection())
            serve(socket);
    });
}

bool RawPeer::listen()
{
    return m_server->listen(QHostAddress::LocalHost, 0);
}

QUrl RawPeer::url() const
{
    return QUrl(QStringLiteral("ws://127.0.0.1:%1/ws").arg(m_server->serverPort()));
}

QByteArray RawPeer::acceptKey(const QByteArray &clientKey)
{
    return QCryptographicHash::hash(clientKey + "258EAFA5-E914-47DA-95CA-C5AB0DC85B11",
                                    QCryptographicHash::Sha1)
        .toBase64();
}

void RawPeer::serve(QTcpSocket *socket)
{
    ++m_connections;
    socket->setParent(this);
    m_latest = socket;
    m_trickle->stop();
    m_pending.clear();
    m_streamLeft = 0;
    m_delivered = 0;
    m_request.clear();
    m_afterRequest.clear();
    m_gone = false;
    m_greeted = false;
    connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
        if (socket == m_latest) {
            m_gone = true;
            m_trickle->stop();
        }
    });
    connect(socket, &QTcpSocket::bytesWritten, this, [this, socket](qint64 written) {
        if (socket != m_latest)
            return;
        m_delivered += written;
        if (!m_trickle->isActive())
            feed();
    });
    connect(socket, &QTcpSocket::readyRead, this, [this, socket] {
        if (socket != m_latest) {
            socket->readAll();
            return;
        }
        if (m_request.contains("\r\n\r\n")) {
            takeAfterRequest(socket);
            return;
        }
        m_request += socket->readAll();
        const qsizetype end = m_request.indexOf("\r\n\r\n");
        if (end < 0)
            return;
        m_afterRequest = m_request.mid(end + 4);
        m_request.truncate(end + 4);
        answer();
    });
}

void RawPeer::takeAfterRequest(QTcpSocket *socket)
{
    m_afterRequest += socket->readAll();
    if (m_greeted || m_script.mode != Mode::Handshake ||
        decodeClientFrames(m_afterRequest).isEmpty())
        return;
    m_greeted = true;
    if (!m_script.onGreeting.isEmpty()) {
        m_pending += m_script.onGreeting;
        m_streamLeft = m_script.stream;
        feed();
    }
}

void RawPeer::answer()
{
    switch (m_script.mode) {
    case Mode::Silent:
        return;
    case Mode::Reply:
        m_pending = m_script.bytes;
        break;
    case Mode::Handshake: {
        static const QRegularExpression keyLine(QStringLiteral("Sec-WebSocket-Key:\\s*(\\S+)"),
                                                QRegularExpression::CaseInsensitiveOption);
        const QByteArray key = keyLine.match(QString::fromLatin1(m_request)).captured(1).toLatin1();
        m_pending = "HTTP/1.1 101 Switching Protocols\r\n"
                    "Upgrade: websocket\r\n"
                    "Connection: Upgrade\r\n"
                    "Sec-WebSocket-Accept: " +
                    acceptKey(key) + "\r\n\r\n" + m_script.bytes;
        break;
    }
    }
    if (m_script.onGreeting.isEmpty())
        m_streamLeft = m_script.stream;
    if (m_script.trickle)
        m_trickle->start();
    else
        feed();
}

// Writes the next piece of the script: one byte when trickling, else all of it, then filler
// while the client keeps up, then closes if asked once the whole script is out.
void RawPeer::feed()
{
    if (!m_latest || m_gone || m_latest->state() != QAbstractSocket::ConnectedState)
        return;
    if (!m_pending.isEmpty()) {
        const qsizetype count = m_script.trickle ? 1 : m_pending.size();
        m_latest->write(m_pending.left(count));
        m_pending.remove(0, count);
        if (!m_pending.isEmpty())
            return;
        m_trickle->stop();
    }
    while (m_streamLeft > 0 && m_latest->bytesToWrite() < 4 * kChunk) {
        const qint64 count = qMin(m_streamLeft, kChunk);
        m_latest->write(QByteArray(count, 'a'));
        m_streamLeft -= count;
    }
    const bool scriptDone = m_script.onGreeting.isEmpty() || m_greeted;
    if (m_streamLeft == 0 && m_script.closeAfter && scriptDone)
        m_latest->disconnectFromHost();
}

QList<RawPeer::Frame> RawPeer::decodeClientFrames(const QByteArray &bytes)
{
    QList<Frame> frames;
    qsizetype at = 0;
    const auto byte = [&bytes](qsizetype i) { return quint8(bytes.at(i)); };
    while (at + 2 <= bytes.size()) {
        Frame frame;
        frame.fin = byte(at) & 0x80;
        frame.opcode = byte(at) & 0x0F;
        const bool masked = byte(at + 1) & 0x80;
        quint64 length = byte(at + 1) & 0x7F;
        qsizetype header = 2;
        const int extra = length == 126 ? 2 : length == 127 ? 8 : 0;
        if (extra) {
            if (at + 2 + extra > bytes.size())
                break;
            length = 0;
            for (int i = 0; i < extra; ++i)
                length = (length << 8) | byte(at + 2 + i);
            header += extra;
        }
        const qsizetype maskAt = at + header;
        if (masked)
            header += 4;
        if (at + header + qsizetype(length) > bytes.size())
            break;
        frame.payload = bytes.mid(at + header, qsizetype(length));
        if (masked) {
            for (qsizetype i = 0; i < frame.payload.size(); ++i)
                frame.payload[i] = char(frame.payload.at(i) ^ bytes.at(maskAt + i % 4));
        }
        frames.append(frame);
        at += header + qsizetype(length);
    }
    return frames;
}

QByteArray RawPeer::serverFrame(int opcode, const QByteArray &payload, bool fin)
{
    QByteArray frame;
    frame.append(char((fin ? 0x80 : 0x00) | (opcode & 0x0F)));
    const quint64 length = quint64(payload.size());
    if (length < 126) {
        frame.append(char(length));
    } else if (length <= 0xFFFF) {
        frame.append(char(126));
        frame.append(char(length >> 8));
        frame.append(char(length & 0xFF));
    } else {
        frame.append(char(127));
        for (int shift = 56; shift >= 0; shift -= 8)
            frame.append(char((length >> shift) & 0xFF));
    }
    return frame + payload;
}
