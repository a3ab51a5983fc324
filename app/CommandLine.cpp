#include "CommandLine.h"

#include <QHostAddress>

namespace {

const QString kBellOption = QStringLiteral("--bell");

CommandLine error(const QString &message)
{
    CommandLine result;
    result.action = CommandLine::Action::Error;
    result.message = message;
    return result;
}

} // namespace

CommandLine CommandLine::parse(const QStringList &arguments)
{
    CommandLine result;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
            result.action = Action::Help;
            result.message = helpText();
            return result;
        }
        QString value;
        if (argument == kBellOption) {
            if (++i == arguments.size())
                return error(
                    QStringLiteral("VELK: --bell memerlukan URL, misalnya ws://127.0.0.1:8080/ws"));
            value = arguments.at(i);
        } else if (argument.startsWith(kBellOption + QLatin1Char('='))) {
            value = argument.mid(kBellOption.size() + 1);
        } else {
            continue;
        }
        const QUrl url(value, QUrl::StrictMode);
        const QString problem = checkBellUrl(url);
        if (!problem.isEmpty())
            return error(QStringLiteral("VELK: URL bel tidak sah \"%1\": %2").arg(value, problem));
        result.settings = LinkSettings::at(url);
    }
    return result;
}

QString CommandLine::checkBellUrl(const QUrl &url)
{
    if (!url.isValid())
        return QStringLiteral("bukan URL yang benar");
    if (url.scheme() != QLatin1String("ws"))
        return QStringLiteral("harus diawali ws://");
    if (QHostAddress(url.host()).protocol() != QAbstractSocket::IPv4Protocol)
        return QStringLiteral("host harus alamat IPv4, misalnya 127.0.0.1");
    if (!url.userInfo().isEmpty() || url.hasQuery() || url.hasFragment())
        return QStringLiteral("hanya host, port dan path yang boleh");
    return {};
}

QString CommandLine::helpText()
{
    return QStringLiteral(
        "Pemakaian: VELK [--bell URL]\n"
        "\n"
        "Pengendali bel WiFi VELK. Tanpa opsi, program menyambung ke bel di jaringan\n"
        "WiFi ZYN-VELK.\n"
        "\n"
        "  --bell URL   menyambung ke bel di URL lain, misalnya ws://127.0.0.1:8080/ws\n"
        "               (ws:// dengan alamat IPv4; port bawaan 80)\n"
        "  -h, --help   menampilkan bantuan ini\n");
}
