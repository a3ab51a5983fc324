#include "BellSimulator.h"

#include <QHostAddress>
#include <QWebSocket>
#include <QWebSocketServer>

namespace {
const QString kPath = QStringLiteral("/ws");
}

BellSimulator::BellSimulator(QObject *parent)
    : QObject(parent)
    , m_server(new QWebSocketServer(QStringLiteral("VELK bell simulator"),
                                    QWebSocketServer::NonSecureMode, this))
{
    connect(m_server, &QWebSocketServer::newConnection, this, &BellSimulator::accept);
}

bool BellSimulator::listen(quint16 port)
{
    return m_server->listen(QHostAddress::LocalHost, port);
}

QString BellSimulator::errorString() const
{
    return m_server->errorString();
}

QUrl BellSimulator::url() const
{
    QUrl url;
    url.setScheme(QStringLiteral("ws"));
    url.setHost(QStringLiteral("127.0.0.1"));
    url.setPort(m_server->serverPort());
    url.setPath(kPath);
    return url;
}

QString BellSimulator::state() const
{
    return QStringList{m_mode, m_tone, m_colour}.join(QLatin1Char(' '));
}

const QStringList &BellSimulator::colours()
{
    static const QStringList names = {
        QStringLiteral("hijau"), QStringLiteral("kuning"), QStringLiteral("merah"),
        QStringLiteral("biru"),  QStringLiteral("putih"),  QStringLiteral("ungu"),
    };
    return names;
}

bool BellSimulator::press(const QString &colour)
{
    if (!colours().contains(colour))
        return false;
    m_colour = colour;
    report(colour);
    return true;
}

void BellSimulator::say(const QString &text)
{
    report(text);
}

void BellSimulator::closeAll()
{
    for (QWebSocket *client : std::as_const(m_clients))
        client->close();
}

void BellSimulator::accept()
{
    while (QWebSocket *client = m_server->nextPendingConnection()) {
        client->setParent(this);
        if (client->requestUrl().path() != kPath) {
            emit log(
                QStringLiteral("refused a client asking for %1").arg(client->requestUrl().path()));
            client->close(QWebSocketProtocol::CloseCodePolicyViolated);
            client->deleteLater();
            continue;
        }
        m_clients.append(client);
        emit log(QStringLiteral("client connected (%1 in all)").arg(m_clients.size()));
        connect(client, &QWebSocket::textMessageReceived, this,
                [this, client](const QString &text) { handle(client, text); });
        connect(client, &QWebSocket::disconnected, this, [this, client] {
            m_clients.removeOne(client);
            client->deleteLater();
            emit log(QStringLiteral("client left (%1 in all)").arg(m_clients.size()));
        });
    }
}

void BellSimulator::handle(QWebSocket *client, const QString &text)
{
    emit log(QStringLiteral("received \"%1\"").arg(text));
    if (text == QLatin1String("check")) {
        client->sendTextMessage(state());
    } else if (text == QLatin1String("mode1") || text == QLatin1String("mode2") ||
               text == QLatin1String("mode3")) {
        m_mode = text;
        report(m_mode);
    } else if (text == QLatin1String("buzz1") || text == QLatin1String("buzz2")) {
        m_tone = text;
        report(m_tone);
    } else if (text == QLatin1String("reset")) {
        report(state());
    }
}

void BellSimulator::report(const QString &text)
{
    emit log(QStringLiteral("reports \"%1\"").arg(text));
    for (QWebSocket *client : std::as_const(m_clients))
        client->sendTextMessage(text);
}
