#include "BellLink.h"

#include <QEventLoop>
#include <QHostAddress>
#include <QNetworkRequest>
#include <QTimer>
#include <QWebSocket>

BellLink::BellLink(QObject *parent)
    : QObject(parent)
    , m_socket(new QWebSocket(QString(), QWebSocketProtocol::VersionLatest, this))
{
    // The socket reads on the UI thread's event loop and signals from there, one event at a
    // time and in arrival order, so its events are passed on as they come.
    connect(m_socket, &QWebSocket::connected, this, &BellLink::opened);
    connect(m_socket, &QWebSocket::textMessageReceived, this, &BellLink::textMessage);
    setSettings(m_settings);
}

BellLink::~BellLink()
{
    // Drop the connection without a close frame.
    m_socket->abort();
}

void BellLink::setSettings(const LinkSettings &settings)
{
    m_settings = settings;
    m_socket->setMaxAllowedIncomingFrameSize(quint64(settings.maxFrameSize));
    m_socket->setMaxAllowedIncomingMessageSize(quint64(settings.maxMessageSize));
    m_socket->setReadBufferSize(settings.readBufferSize);
}

bool BellLink::activate()
{
    if (m_socket->state() != QAbstractSocket::UnconnectedState)
        return true;
    if (QHostAddress(m_settings.url.host()).protocol() != QAbstractSocket::IPv4Protocol)
        return false;

    enum class Outcome
    {
        Pending,
        Open,
        Failed
    };
    Outcome outcome = Outcome::Pending;
    QEventLoop loop;
    const auto finish = [&](Outcome result) {
        if (outcome != Outcome::Pending)
            return;
        outcome = result;
        loop.quit();
    };

    // Everything connected to `attempt` ends with this call.
    QObject attempt;
    connect(m_socket, &QWebSocket::connected, &attempt, [&] { finish(Outcome::Open); });
    connect(m_socket, &QWebSocket::disconnected, &attempt, [&] { finish(Outcome::Failed); });
    connect(m_socket, qOverload<QAbstractSocket::SocketError>(&QWebSocket::error), &attempt,
            [&] { finish(Outcome::Failed); });
    QTimer::singleShot(m_settings.connectTimeoutMs, Qt::PreciseTimer, &attempt,
                       [&] { finish(Outcome::Failed); });

    m_socket->open(QNetworkRequest(m_settings.url));
    if (outcome == Outcome::Pending)
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (outcome == Outcome::Open)
        return true;
    m_socket->abort();
    return false;
}

void BellLink::WriteData(const QString &text)
{
    if (m_socket->state() != QAbstractSocket::ConnectedState)
        return;
    m_socket->sendTextMessage(text);
    m_socket->flush();
}
