#include "LinkSettings.h"

namespace {
constexpr const char kBellAddress[] = "192.168.4.1";
constexpr int kBellPort = 80;
constexpr const char kBellPath[] = "/ws";
} // namespace

LinkSettings LinkSettings::bell()
{
    QUrl url;
    url.setScheme(QStringLiteral("ws"));
    url.setHost(QLatin1String(kBellAddress));
    url.setPort(kBellPort);
    url.setPath(QLatin1String(kBellPath));
    return at(url);
}

LinkSettings LinkSettings::at(const QUrl &url)
{
    LinkSettings settings;
    settings.url = url;
    return settings;
}
