#pragma once

#include <QUrl>

// Where the link finds the bell and how long it tries.
struct LinkSettings
{
    QUrl url;
    int connectTimeoutMs = 10000;

    // The bell on its own WiFi network.
    static LinkSettings bell();
    // The same settings for a bell at another URL.
    static LinkSettings at(const QUrl &url);
};
