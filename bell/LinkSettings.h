#pragma once

#include <QUrl>

// Where the link finds the bell and how long it tries.
struct LinkSettings
{
    QUrl url;
    int connectTimeoutMs = 10000;
    // The bell sends short status texts; anything far larger is refused and closes the link.
    qint64 maxFrameSize = 64 * 1024;
    qint64 maxMessageSize = 64 * 1024;
    // Bytes the socket holds unread, so that a peer cannot grow memory before or after the
    // handshake (an endless header line, say).
    qint64 readBufferSize = 64 * 1024;

    // The bell on its own WiFi network.
    static LinkSettings bell();
    // The same settings for a bell at another URL.
    static LinkSettings at(const QUrl &url);
};
