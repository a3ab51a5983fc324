#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QUrl>

class QWebSocket;
class QWebSocketServer;

// Plays the bell on loopback: keeps a mode, a tone and a colour, answers the program's
// command words and reports to every connected client.
class BellSimulator : public QObject
{
    Q_OBJECT

public:
    explicit BellSimulator(QObject *parent = nullptr);

    bool listen(quint16 port);
    QString errorString() const;
    QUrl url() const;

    // The state as the bell reports it, for instance "mode1 buzz2 hijau".
    QString state() const;
    static const QStringList &colours();

    // The bell's lamp shows colour (one of colours()); reported to every client.
    bool press(const QString &colour);
    // Sends text as it stands to every client.
    void say(const QString &text);
    // Closes every client connection.
    void closeAll();
    qsizetype clientCount() const { return m_clients.size(); }

signals:
    void log(const QString &line);

private:
    void accept();
    void handle(QWebSocket *client, const QString &text);
    void report(const QString &text);

    QWebSocketServer *m_server;
    QList<QWebSocket *> m_clients;
    QString m_mode = QStringLiteral("mode1");
    QString m_tone = QStringLiteral("buzz2");
    QString m_colour = QStringLiteral("hijau");
};
