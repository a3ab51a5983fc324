// The main window's components, the Info box and ending the program.

#include "BellLink.h"
#include "BellServer.h"
#include "BitmapContainer.h"
#include "ImageButton.h"
#include "MessageBoxWatcher.h"
#include "Unit1.h"
#include "WindowState.h"

#include <QApplication>
#include <QHostAddress>
#include <QLabel>
#include <QTcpServer>
#include <QTest>
#include <QTimer>

namespace {

LinkSettings linkTo(const QUrl &url)
{
    LinkSettings settings = LinkSettings::at(url);
    settings.connectTimeoutMs = 500;
    return settings;
}

QUrl refusedUrl()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return QUrl(QStringLiteral("ws://127.0.0.1:%1/ws").arg(probe.serverPort()));
}

} // namespace

class MainFormTest : public QObject
{
    Q_OBJECT

private slots:
    void ownsItsComponents_data();
    void ownsItsComponents();
    void buttonsShareTheImageSet();
    void infoShowsTheModes();
    void endingEndsTheEventLoop_data();
    void endingEndsTheEventLoop();
};

void MainFormTest::ownsItsComponents_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("parent");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("image");

    const struct
    {
        const char *name, *kind, *parent, *text, *image;
    } rows[] = {
        {"Header", "ToolBar", "TMainForm", nullptr, nullptr},
        {"HeaderLabel", "QLabel", "Header", "VELK Companion", nullptr},
        {"Footer", "ToolBar", "TMainForm", nullptr, nullptr},
        {"lyt_1", "QWidget", "TMainForm", nullptr, nullptr},
        {"rct_1", "Rectangle", "lyt_1", nullptr, nullptr},
        {"lyt_2", "QWidget", "TMainForm", nullptr, nullptr},
        {"btn_1", "ImageButton", "lyt_2", "RESET", "reset"},
        {"gridpnl_1", "GridPanelLayout", "TMainForm", nullptr, nullptr},
        {"btn_2", "ImageButton", "gridpnl_1", "Mode 1", "on"},
        {"btn_3", "ImageButton", "gridpnl_1", "Mode 2", "on"},
        {"btn_4", "ImageButton", "gridpnl_1", "Mode 3", "on"},
        {"gridpnl_2", "GridPanelLayout", "TMainForm", nullptr, nullptr},
        {"btn_5", "ImageButton", "gridpnl_2", "Tone 1", "on"},
        {"btn_6", "ImageButton", "gridpnl_2", "Tone 2", "on"},
        {"lyt_3", "QWidget", "TMainForm", nullptr, nullptr},
        {"btn_7", "ImageButton", "lyt_3", "Info", "info"},
        {"lyt_4", "QWidget", "TMainForm", nullptr, nullptr},
        {"lbl_1", "QLabel", "lyt_4", nullptr, nullptr},
        {"lyt_5", "QWidget", "TMainForm", nullptr, nullptr},
        {"btn_8", "ImageButton", "lyt_5", "Keluar", "exit"},
        {"bitmap_1", "BitmapContainer", "TMainForm", nullptr, nullptr},
        {"sgwscli_1", "BellLink", "TMainForm", nullptr, nullptr},
    };
    for (const auto &row : rows) {
        QTest::newRow(row.name) << row.name << row.kind << row.parent << row.text << row.image;
    }
}

void MainFormTest::ownsItsComponents()
{
    QFETCH(QString, name);
    QFETCH(QString, kind);
    QFETCH(QString, parent);
    QFETCH(QString, text);
    QFETCH(QString, image);

    TMainForm window(linkTo(refusedUrl()));
    QCOMPARE(window.objectName(), QStringLiteral("TMainForm"));
    const QList<QObject *> found = window.findChildren<QObject *>(name);
    QCOMPARE(found.size(), 1);
    QObject *component = found.constFirst();
    QCOMPARE(QString::fromLatin1(component->metaObject()->className()), kind);
    QCOMPARE(component->parent()->objectName(), parent);
    if (!text.isNull())
        QCOMPARE(component->property("text").toString(), text);
    if (auto *button = qobject_cast<ImageButton *>(component)) {
        QCOMPARE(button->bitmapName(), image);
        QVERIFY(button->isEnabled());
    }
}

void MainFormTest::buttonsShareTheImageSet()
{
    TMainForm window(linkTo(refusedUrl()));
    auto *images = window.findChild<BitmapContainer *>(QStringLiteral("bitmap_1"));
    QVERIFY(images);
    QStringList names;
    for (const BitmapContainer::Item &item : images->items()) {
        names.append(item.name);
        QVERIFY2(!item.bitmap.isNull(), qPrintable(item.name));
        QCOMPARE(item.tag, 0);
    }
    QCOMPARE(names, (QStringList{"off", "on", "reset", "info", "exit"}));

    const QList<ImageButton *> buttons = window.findChildren<ImageButton *>();
    QCOMPARE(buttons.size(), 8);
    for (const ImageButton *button : buttons)
        QCOMPARE(button->bitmapContainer(), images);
    QCOMPARE(WindowState::of(window), WindowState::initial());

    const auto *credit = window.findChild<QLabel *>(QStringLiteral("lbl_1"));
    QCOMPARE(credit->text().split(QLatin1Char('\n')).size(), 2);
}

void MainFormTest::infoShowsTheModes()
{
    TMainForm window(linkTo(refusedUrl()));
    MessageBoxWatcher watcher({QMessageBox::Ok});
    window.btn_7Click();

    QCOMPARE(watcher.seen().size(), 1);
    const MessageBoxWatcher::Seen &box = watcher.seen().constFirst();
    QCOMPARE(box.text, QStringLiteral("Mode 1 :\r\n"
                                      "Lampu LED & buzzer akan aktif selama\r\n"
                                      "2 detik saat tombol ditekan.\r\n"
                                      "\r\n"
                                      "Mode 2:\r\n"
                                      "Buzzer akan aktif selama 2 detik saat\r\n"
                                      "tombol ditekan, sedangkan Lampu LED akan\r\n"
                                      "terus menyala sampai bel di Reset.\r\n"
                                      "\r\n"
                                      "Mode 3:\r\n"
                                      "Lampu LED & buzzer akan aktif saat tombol\r\n"
                                      "ditekan dan padam saat tombol dilepas."));
    QCOMPARE(box.icon, QMessageBox::NoIcon);
    QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QCOMPARE(box.title, QGuiApplication::applicationDisplayName());
    QCOMPARE(box.title, QStringLiteral("tst_mainform"));
}

void MainFormTest::endingEndsTheEventLoop_data()
{
    QTest::addColumn<bool>("linkOpen");
    QTest::addColumn<bool>("closeBox");
    QTest::newRow("Keluar, link open") << true << false;
    QTest::newRow("Keluar, no link") << false << false;
    QTest::newRow("close box, link open") << true << true;
}

void MainFormTest::endingEndsTheEventLoop()
{
    QFETCH(bool, linkOpen);
    QFETCH(bool, closeBox);

    BellServer bell;
    QVERIFY(bell.listen());
    MessageBoxWatcher watcher({QMessageBox::No});
    TMainForm window(linkTo(linkOpen ? bell.url() : refusedUrl()));
    window.show();
    if (linkOpen)
        QTRY_COMPARE(bell.received(), QStringList{"check"});
    else
        QTRY_COMPARE(watcher.seen().size(), 1);
    const qsizetype boxes = watcher.seen().size();

    QTimer::singleShot(0, &window, [&] {
        if (closeBox)
            window.close();
        else
            QTest::mouseClick(window.findChild<ImageButton *>(QStringLiteral("btn_8")),
                              Qt::LeftButton);
    });
    QTimer::singleShot(10000, &window, [] { QCoreApplication::exit(99); });
    QCOMPARE(QApplication::exec(), 0);
    QCOMPARE(watcher.seen().size(), boxes);
    QCOMPARE(bell.received(), linkOpen ? QStringList{"check"} : QStringList{});
}

QTEST_MAIN(MainFormTest)
#include "tst_mainform.moc"
