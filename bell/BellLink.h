#pragma once

#include "LinkSettings.h"

#include <QObject>
#include <QString>

class QWebSocket;

// The WebSocket link to the bell. Opening waits for the handshake with one time-out for the
// TCP connect and the handshake together; while open it sends texts and delivers the bell's
// text messages, whole, from the event loop, in arrival order.
class BellLink : public QObject
{
    Q_OBJECT

public:
    explicit BellLink(QObject *parent = nullptr);
    ~BellLink() override;

    const LinkSettings &settings() const { return m_settings; }
    void setSettings(const LinkSettings &settings);

    // Opens the connection and waits for the handshake; the window repaints meanwhile but
    // takes no user input. Returns false, with the connection dropped, if the attempt fails.
    bool activate();

    // Sends text as one text message if the link is open; otherwise does nothing.
    void WriteData(const QString &text);

signals:
    void opened();
    void textMessage(const QString &text);

private:
    LinkSettings m_settings;
    QWebSocket *m_socket;
};
