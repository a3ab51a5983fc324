// The bell's status texts, applied to a real window.

#include "Unit1.h"
#include "WindowState.h"

#include <QTest>

namespace {

// Never shown, so it never connects; the port would refuse anyway.
LinkSettings unusedLink()
{
    return LinkSettings::at(QUrl(QStringLiteral("ws://127.0.0.1:9/ws")));
}

} // namespace

class StatusRulesTest : public QObject
{
    Q_OBJECT

private slots:
    void appliesTexts_data();
    void appliesTexts();
};

void StatusRulesTest::appliesTexts_data()
{
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<WindowState>("expected");

    const WindowState start = WindowState::initial();
    const struct
    {
        const char *keyword;
        WindowState state;
    } alone[] = {
        {"mode1", start.mode(1)},
        {"mode2", start.mode(2)},
        {"mode3", start.mode(3)},
        {"buzz2", start.tone("buzz2")},
        {"buzz1", start.tone("buzz1")},
        {"hijau", start.colour(Lamp::green)},
        {"kuning", start.colour(Lamp::yellow)},
        {"merah", start.colour(Lamp::red)},
        {"biru", start.colour(Lamp::blue)},
        {"putih", start.colour(Lamp::white)},
        {"ungu", start.colour(Lamp::purple)},
    };
    for (const auto &row : alone) {
        QTest::addRow("alone: %s", row.keyword)
            << QStringList{QLatin1String(row.keyword)} << row.state;
    }

    QTest::newRow("one text sets mode, tone and colour")
        << QStringList{"mode2 buzz1 hijau"} << start.mode(2).tone("buzz1").colour(Lamp::green);
    QTest::newRow("bell's own framing around the keywords")
        << QStringList{"{\"mode\":\"mode3\",\"tone\":\"buzz2\",\"led\":\"ungu\"}"}
        << start.mode(3).tone("buzz2").colour(Lamp::purple);

    QTest::newRow("mode1 then mode3 in one text: mode3")
        << QStringList{"mode1 mode3"} << start.mode(3);
    QTest::newRow("mode3 then mode1 in one text: mode3")
        << QStringList{"mode3 mode1"} << start.mode(3);
    QTest::newRow("mode2 after mode3 in one text: mode3")
        << QStringList{"mode3,mode2"} << start.mode(3);
    QTest::newRow("buzz1 and buzz2 in one text: buzz1")
        << QStringList{"buzz1 buzz2"} << start.tone("buzz1");
    QTest::newRow("merah and biru: blue") << QStringList{"merah biru"} << start.colour(Lamp::blue);
    QTest::newRow("biru and merah: blue") << QStringList{"biru merah"} << start.colour(Lamp::blue);
    QTest::newRow("ungu and hijau: purple")
        << QStringList{"ungu hijau"} << start.colour(Lamp::purple);
    QTest::newRow("all six colours: purple")
        << QStringList{"ungu putih biru merah kuning hijau"} << start.colour(Lamp::purple);

    for (const char *text : {"MODE1", "Mode1", "Merah", "BUZZ2", "Hijau", "UNGU"})
        QTest::addRow("capitals change nothing: %s", text)
            << QStringList{QLatin1String(text)} << start;
    QTest::newRow("empty text changes nothing") << QStringList{QString()} << start;
    for (const char *text : {"mode 1", "mode4", "buzz3", "mera h", "tidak ada", "check"})
        QTest::addRow("no keyword: %s", text) << QStringList{QLatin1String(text)} << start;

    QTest::newRow("inside a longer word: mode12") << QStringList{"mode12"} << start.mode(1);
    QTest::newRow("inside a longer word: xmerahx")
        << QStringList{"xmerahx"} << start.colour(Lamp::red);
    QTest::newRow("inside a longer word: buzz2buzz")
        << QStringList{"buzz2buzz"} << start.tone("buzz2");
    QTest::newRow("keywords run together")
        << QStringList{"mode2buzz1biru"} << start.mode(2).tone("buzz1").colour(Lamp::blue);

    QTest::newRow("groups move on their own") << QStringList{"mode2 merah", "buzz1", "mode1"}
                                              << start.mode(1).tone("buzz1").colour(Lamp::red);
    QTest::newRow("colour stays until another colour")
        << QStringList{"biru", "mode3", "", "MERAH"} << start.mode(3).colour(Lamp::blue);
    QTest::newRow("later message of a group wins")
        << QStringList{"mode1", "mode2", "buzz2", "buzz1", "putih", "kuning"}
        << start.mode(2).tone("buzz1").colour(Lamp::yellow);
}

void StatusRulesTest::appliesTexts()
{
    QFETCH(QStringList, texts);
    QFETCH(WindowState, expected);

    TMainForm window(unusedLink());
    for (const QString &text : texts)
        window.sgwscli_1Message(text);
    QCOMPARE(WindowState::of(window), expected);
}

QTEST_MAIN(StatusRulesTest)
#include "tst_statusrules.moc"
