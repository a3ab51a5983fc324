// The window's look, read back from the real window on the offscreen platform: window
// properties, band and button geometry, fonts, pictures, the panel as painted, tab order.

#include "BitmapContainer.h"
#include "ImageButton.h"
#include "Rectangle.h"
#include "Unit1.h"
#include "WindowState.h"

#include <QAccessible>
#include <QApplication>
#include <QFile>
#include <QImageReader>
#include <QLabel>
#include <QScreen>
#include <QTest>
#include <QtEndian>

namespace {

constexpr QRgb kBackground = 0xFFAFEEEE;
constexpr QRgb kLightGrey = 0xFFE0E0E0;
constexpr QRgb kBlack = 0xFF000000;

// Nothing listens on port 9; the tests take their pictures before the attempt's question.
LinkSettings unusedLink()
{
    LinkSettings settings = LinkSettings::at(QUrl(QStringLiteral("ws://127.0.0.1:9/ws")));
    settings.connectTimeoutMs = 60000;
    return settings;
}

// A window laid out as when shown, without the connection attempt that showing starts.
struct LaidOutWindow
{
    TMainForm window{unusedLink()};
    LaidOutWindow()
    {
        window.setAttribute(Qt::WA_DontShowOnScreen);
        window.blockSignals(true);
        window.show();
        window.blockSignals(false);
    }
    template <typename T = QWidget> T *get(const char *name) const
    {
        return window.findChild<T *>(QLatin1String(name));
    }
    QRect inWindow(const char *name) const
    {
        const QWidget *widget = get(name);
        return QRect(widget->mapTo(&window, QPoint(0, 0)), widget->size());
    }
    QImage grab() { return window.grab().toImage().convertToFormat(QImage::Format_ARGB32); }
};

// The PNG header's bit depth and colour type (6: truecolour with alpha).
std::pair<int, int> pngDepthAndType(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {-1, -1};
    const QByteArray header = file.read(26);
    if (!header.startsWith("\x89PNG\r\n\x1a\n") || header.mid(12, 4) != "IHDR")
        return {-1, -1};
    return {quint8(header.at(24)), quint8(header.at(25))};
}

} // namespace

class LookTest : public QObject
{
    Q_OBJECT

private slots:
    void windowIsFixedAndCentred();
    void bandsAndButtons_data();
    void bandsAndButtons();
    void fonts_data();
    void fonts();
    void buttonsShowPictureRightOfText_data();
    void buttonsShowPictureRightOfText();
    void panelFillAndOutline();
    void barsLookLikeToolBars();
    void pictureChangesAtOnce();
    void pictures_data();
    void pictures();
    void programIcon();
    void tabOrder();
    void panelSaysItsColour();
};

void LookTest::windowIsFixedAndCentred()
{
    LaidOutWindow laidOut;
    TMainForm &window = laidOut.window;
    QCOMPARE(window.windowTitle(), QStringLiteral("VELK Companion"));
    QCOMPARE(window.size(), QSize(400, 704));
    QCOMPARE(window.minimumSize(), QSize(400, 704));
    QCOMPARE(window.maximumSize(), QSize(400, 704));
    window.resize(500, 800);
    QCOMPARE(window.size(), QSize(400, 704));

    const Qt::WindowFlags flags = window.windowFlags();
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    QVERIFY(flags & Qt::WindowMinimizeButtonHint);
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(flags & Qt::WindowSystemMenuHint);
    window.showMinimized();
    QVERIFY(window.isMinimized());
    window.showNormal();

    QCOMPARE(window.palette().window().color().rgba(), kBackground);
    const QRect screen = window.screen()->availableGeometry();
    QCOMPARE(window.geometry().center().x(), screen.center().x());
    const int centredTop = screen.center().y() - 704 / 2 + 1;
    QCOMPARE(window.geometry().top(), qMax(centredTop, screen.top()));
}

void LookTest::bandsAndButtons_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("expected");

    const struct
    {
        const char *name;
        QRect rect;
    } rows[] = {
        {"Header", {0, 0, 400, 48}},
        {"lyt_1", {0, 48, 400, 177}},
        {"rct_1", {0, 48, 400, 177}},
        {"lyt_2", {0, 225, 400, 120}},
        {"gridpnl_1", {0, 345, 400, 63}},
        {"gridpnl_2", {0, 408, 400, 65}},
        {"lyt_3", {0, 473, 400, 56}},
        {"lyt_4", {0, 529, 400, 72}},
        {"lbl_1", {0, 529, 400, 72}},
        {"lyt_5", {0, 601, 400, 50}},
        {"Footer", {0, 656, 400, 48}},
        {"HeaderLabel", {0, 0, 400, 48}},
        // Centred in their bands.
        {"btn_1", {96, 225 + 14, 208, 91}},
        {"btn_7", {145, 473 + 7, 110, 42}},
        {"btn_8", {145, 601 + 4, 110, 42}},
        // Grid cells less 5 on each side: edges at 0, 133, 267, 400 and 0, 60, 200, 340, 400.
        {"btn_2", {5, 345 + 5, 123, 53}},
        {"btn_3", {138, 345 + 5, 124, 53}},
        {"btn_4", {272, 345 + 5, 123, 53}},
        {"btn_5", {65, 408 + 5, 130, 55}},
        {"btn_6", {205, 408 + 5, 130, 55}},
    };
    for (const auto &row : rows)
        QTest::newRow(row.name) << row.name << row.rect;
}

void LookTest::bandsAndButtons()
{
    QFETCH(QString, name);
    QFETCH(QRect, expected);
    LaidOutWindow laidOut;
    QCOMPARE(laidOut.inWindow(qPrintable(name)), expected);
}

void LookTest::fonts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("pixelSize");
    const struct
    {
        const char *name;
        int size;
    } rows[] = {{"HeaderLabel", 25}, {"btn_1", 40}, {"btn_2", 20}, {"btn_3", 20}, {"btn_4", 20},
                {"btn_5", 20},       {"btn_6", 20}, {"btn_7", 15}, {"lbl_1", 15}, {"btn_8", 15}};
    for (const auto &row : rows)
        QTest::newRow(row.name) << row.name << row.size;
}

void LookTest::fonts()
{
    QFETCH(QString, name);
    QFETCH(int, pixelSize);
    LaidOutWindow laidOut;
    const QFont font = laidOut.get(qPrintable(name))->font();
    QCOMPARE(font.pixelSize(), pixelSize);
    QCOMPARE(font.weight(), QFont::Bold);
    QCOMPARE(font.style(), QFont::StyleNormal);
    QVERIFY(font.stretch() == QFont::AnyStretch || font.stretch() == QFont::Unstretched);
    QVERIFY(!font.underline());
    QVERIFY(!font.strikeOut());
    QCOMPARE(font.family(), QApplication::font().family());
}

void LookTest::buttonsShowPictureRightOfText_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("bitmapSize");
    for (int i = 1; i <= 8; ++i)
        QTest::addRow("btn_%d", i) << QStringLiteral("btn_%1").arg(i) << (i == 1 ? 64 : 32);
}

void LookTest::buttonsShowPictureRightOfText()
{
    QFETCH(QString, name);
    QFETCH(int, bitmapSize);
    LaidOutWindow laidOut;
    const auto *button = laidOut.get<ImageButton>(qPrintable(name));
    QCOMPARE(button->bitmapSize(), bitmapSize);
    QCOMPARE(button->margins(), 5);
    QCOMPARE(button->padding(), 5);
    const QRect image = button->imageRect();
    QCOMPARE(image.size(), QSize(bitmapSize, bitmapSize));
    QCOMPARE(image.right(), button->width() - 1 - 5);
    QVERIFY(qAbs(image.top() - (button->height() - 1 - image.bottom())) <= 1);
}

void LookTest::panelFillAndOutline()
{
    LaidOutWindow laidOut;
    const auto check = [&](QRgb fill) {
        const QImage picture = laidOut.grab();
        for (const QPoint &inside : {QPoint(1, 49), QPoint(200, 136), QPoint(398, 223)})
            QCOMPARE(QColor(picture.pixel(inside)).rgba(), fill);
        for (const QPoint &edge :
             {QPoint(0, 48), QPoint(200, 48), QPoint(399, 136), QPoint(200, 224), QPoint(0, 224)})
            QCOMPARE(QColor(picture.pixel(edge)).rgba(), kBlack);
        for (int y = 651; y <= 655; ++y) {
            for (int x : {0, 200, 399})
                QCOMPARE(QColor(picture.pixel(x, y)).rgba(), kBackground);
        }
    };
    check(kLightGrey);
    laidOut.window.sgwscli_1Message(QStringLiteral("biru"));
    check(Lamp::blue);
}

void LookTest::barsLookLikeToolBars()
{
    LaidOutWindow laidOut;
    const QImage picture = laidOut.grab();
    const QRgb toolBar = QApplication::palette().window().color().rgba();
    for (const QPoint &point : {QPoint(2, 2), QPoint(2, 45), QPoint(2, 658), QPoint(397, 701)})
        QVERIFY2(QColor(picture.pixel(point)).rgba() != kBackground,
                 qPrintable(QString::number(point.y())));
    QCOMPARE(QColor(picture.pixel(200, 680)).rgba(), toolBar);
    const auto *label = laidOut.get<QLabel>("HeaderLabel");
    QCOMPARE(label->palette().windowText().color(), QApplication::palette().windowText().color());
    QCOMPARE(label->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    QCOMPARE(laidOut.get<QLabel>("lbl_1")->alignment() & Qt::AlignHorizontal_Mask,
             Qt::AlignHCenter);
}

void LookTest::pictureChangesAtOnce()
{
    LaidOutWindow laidOut;
    auto *modeOne = laidOut.get<ImageButton>("btn_2");
    const auto shows = [&](const QString &name) {
        const QImage expected = QImage(QStringLiteral(":/images/%1.png").arg(name))
                                    .convertToFormat(QImage::Format_ARGB32);
        const QImage shown =
            modeOne->grab(modeOne->imageRect()).toImage().convertToFormat(QImage::Format_ARGB32);
        int opaque = 0;
        for (int y = 0; y < expected.height(); ++y) {
            for (int x = 0; x < expected.width(); ++x) {
                if (qAlpha(expected.pixel(x, y)) != 255)
                    continue;
                ++opaque;
                if (shown.pixel(x, y) != expected.pixel(x, y))
                    return false;
            }
        }
        return opaque > 100;
    };
    QVERIFY(shows(QStringLiteral("on")));
    laidOut.window.sgwscli_1Message(QStringLiteral("mode3"));
    QVERIFY(shows(QStringLiteral("off")));
}

void LookTest::pictures_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("size");
    for (const auto &[name, size] :
         {std::pair{"off", 32}, std::pair{"on", 32}, std::pair{"reset", 64}, std::pair{"info", 32},
          std::pair{"exit", 32}})
        QTest::newRow(name) << QString::fromLatin1(name) << size;
}

void LookTest::pictures()
{
    QFETCH(QString, name);
    QFETCH(int, size);
    for (const auto &[suffix, scale] : {std::pair{"", 1}, std::pair{"@2x", 2}}) {
        const QString path = QStringLiteral(":/images/%1%2.png").arg(name, QLatin1String(suffix));
        QCOMPARE(QImage(path).size(), QSize(size, size) * scale);
        QCOMPARE(pngDepthAndType(path), (std::pair{8, 6}));
    }

    // On a 2x display the image set hands out the @2x picture at the same logical size.
    LaidOutWindow laidOut;
    const QIcon icon =
        laidOut.window.findChild<BitmapContainer *>(QStringLiteral("bitmap_1"))->bitmap(name);
    const QPixmap sharp = icon.pixmap(QSize(size, size), 2.0);
    QCOMPARE(sharp.size(), QSize(size, size) * 2);
    QCOMPARE(sharp.deviceIndependentSize().toSize(), QSize(size, size));
}

void LookTest::programIcon()
{
    LaidOutWindow laidOut;
    const QList<QSize> sizes = laidOut.window.windowIcon().availableSizes();
    for (int size : {256, 64, 48, 40, 32, 24, 20, 16}) {
        if (size < 256)
            QVERIFY2(sizes.contains(QSize(size, size)), qPrintable(QString::number(size)));
        const QString png = QStringLiteral(VELK_SOURCE_DIR "/app/icons/velk-%1.png").arg(size);
        QCOMPARE(QImage(png).size(), QSize(size, size));
        QCOMPARE(pngDepthAndType(png), (std::pair{8, 6}));
    }

    QFile ico(QStringLiteral(VELK_SOURCE_DIR "/app/icons/velk.ico"));
    QVERIFY(ico.open(QIODevice::ReadOnly));
    const QByteArray data = ico.readAll();
    QCOMPARE(qFromLittleEndian<quint16>(data.constData() + 2), quint16(1));
    const int count = qFromLittleEndian<quint16>(data.constData() + 4);
    QList<std::pair<int, int>> entries;
    for (int i = 0; i < count; ++i) {
        const char *entry = data.constData() + 6 + 16 * i;
        const int width = quint8(entry[0]) ? quint8(entry[0]) : 256;
        entries.append({width, qFromLittleEndian<quint16>(entry + 6)});
    }
    const QList<std::pair<int, int>> expected = {{256, 32}, {64, 32}, {48, 32}, {40, 32}, {32, 32},
                                                 {24, 32},  {20, 32}, {16, 32}, {48, 8},  {32, 8},
                                                 {16, 8},   {32, 4},  {16, 4}};
    QCOMPARE(entries, expected);

    QImageReader reader(ico.fileName());
    QCOMPARE(reader.imageCount(), count);
    for (int i = 0; i < count; ++i) {
        QVERIFY(reader.jumpToImage(i));
        const QImage image = reader.read();
        QCOMPARE(image.width(), expected.at(i).first);
        QVERIFY(image.hasAlphaChannel());
        QCOMPARE(qAlpha(image.pixel(image.width() - 1, 0)), 0);
    }
}

void LookTest::tabOrder()
{
    LaidOutWindow laidOut;
    QStringList order;
    QWidget *widget = laidOut.get("btn_1");
    for (int i = 0; i < 8; ++i, widget = widget->nextInFocusChain()) {
        while (!qobject_cast<ImageButton *>(widget))
            widget = widget->nextInFocusChain();
        order.append(widget->objectName());
    }
    QCOMPARE(order,
             (QStringList{"btn_1", "btn_2", "btn_3", "btn_4", "btn_5", "btn_6", "btn_7", "btn_8"}));
}

void LookTest::panelSaysItsColour()
{
    LaidOutWindow laidOut;
    QAccessibleInterface *panel = QAccessible::queryAccessibleInterface(laidOut.get("rct_1"));
    QVERIFY(panel);
    QCOMPARE(panel->text(QAccessible::Name), QStringLiteral("Warna lampu bel: belum ada laporan"));
    for (const char *colour : {"merah", "ungu", "hijau"}) {
        laidOut.window.sgwscli_1Message(QStringLiteral("mode2 %1").arg(QLatin1String(colour)));
        QCOMPARE(panel->text(QAccessible::Name),
                 QStringLiteral("Warna lampu bel: %1").arg(QLatin1String(colour)));
    }
    laidOut.window.sgwscli_1Message(QStringLiteral("mode1"));
    QCOMPARE(panel->text(QAccessible::Name), QStringLiteral("Warna lampu bel: hijau"));
}

QTEST_MAIN(LookTest)
#include "tst_look.moc"
