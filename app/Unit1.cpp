#include "Unit1.h"

#include "BellLink.h"
#include "BitmapContainer.h"
#include "CommandWords.h"
#include "StatusRules.h"
#include "ui_Unit1.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QScreen>
#include <QStringList>

namespace {

const QString kLineBreak = QStringLiteral("\r\n");

// What a screen reader says of the panel: the colour the bell last reported.
QString lampName(const QString &colour)
{
    return QStringLiteral("Warna lampu bel: %1").arg(colour);
}

} // namespace

TMainForm::TMainForm(const LinkSettings &settings, QWidget *parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui::TMainForm>())
    , bitmap_1(new BitmapContainer(this))
    , sgwscli_1(new BellLink(this))
{
    ui->setupUi(this);
    // Every size built in (title bars and task switchers); desktops take the installed 256 one.
    QIcon icon;
    const QDir icons(QStringLiteral(":/icons"));
    for (const QString &file : icons.entryList(QDir::Files))
        icon.addFile(icons.filePath(file));
    setWindowIcon(icon);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);

    bitmap_1->setObjectName(QStringLiteral("bitmap_1"));
    for (const char *name : {"off", "on", "reset", "info", "exit"})
        bitmap_1->addBitmap(QLatin1String(name),
                            QStringLiteral(":/images/%1.png").arg(QLatin1String(name)));
    for (ImageButton *imageButton : findChildren<ImageButton *>())
        imageButton->setBitmapContainer(bitmap_1);

    sgwscli_1->setObjectName(QStringLiteral("sgwscli_1"));
    sgwscli_1->setSettings(settings);

    const std::pair<ImageButton *, void (TMainForm::*)()> clicks[] = {
        {ui->btn_1, &TMainForm::btn_1Click}, {ui->btn_2, &TMainForm::btn_2Click},
        {ui->btn_3, &TMainForm::btn_3Click}, {ui->btn_4, &TMainForm::btn_4Click},
        {ui->btn_5, &TMainForm::btn_5Click}, {ui->btn_6, &TMainForm::btn_6Click},
        {ui->btn_7, &TMainForm::btn_7Click}, {ui->btn_8, &TMainForm::btn_8Click},
    };
    for (const auto &[clicked, handler] : clicks)
        connect(clicked, &ImageButton::clicked, this, handler);
    connect(sgwscli_1, &BellLink::opened, this, &TMainForm::sgwscli_1Connect);
    connect(sgwscli_1, &BellLink::textMessage, this, &TMainForm::sgwscli_1Message);
    connect(this, &TMainForm::shown, this, &TMainForm::FormShow, Qt::SingleShotConnection);

    ui->rct_1->setAccessibleName(lampName(QStringLiteral("belum ada laporan")));

    // Centred on the screen, but never with the title bar above its top.
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect available = screen->availableGeometry();
        QPoint topLeft = available.center() - rect().center();
        topLeft.setY(qMax(topLeft.y(), available.top()));
        move(topLeft);
    }
}

TMainForm::~TMainForm() = default;

QString TMainForm::infoText()
{
    return QStringList{
        QStringLiteral("Mode 1 :"),
        QStringLiteral("Lampu LED & buzzer akan aktif selama"),
        QStringLiteral("2 detik saat tombol ditekan."),
        QString(),
        QStringLiteral("Mode 2:"),
        QStringLiteral("Buzzer akan aktif selama 2 detik saat"),
        QStringLiteral("tombol ditekan, sedangkan Lampu LED akan"),
        QStringLiteral("terus menyala sampai bel di Reset."),
        QString(),
        QStringLiteral("Mode 3:"),
        QStringLiteral("Lampu LED & buzzer akan aktif saat tombol"),
        QStringLiteral("ditekan dan padam saat tombol dilepas."),
    }
        .join(kLineBreak);
}

QString TMainForm::connectFailedText()
{
    return QStringList{
        QStringLiteral("Gagal menyambungkan bel, pastikan anda"),
        QStringLiteral("sudah terhubung ke WiFi ZYN-VELK"),
        QStringLiteral("Apakah anda ingin menyambungkan kembali ?"),
    }
        .join(kLineBreak);
}

void TMainForm::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    emit shown();
}

void TMainForm::FormShow()
{
    // Let the window paint before the attempt starts.
    QMetaObject::invokeMethod(this, &TMainForm::ConnectWS, Qt::QueuedConnection);
}

void TMainForm::btn_1Click()
{
    send(BellButton::Reset);
}

void TMainForm::btn_2Click()
{
    send(BellButton::Mode1);
}

void TMainForm::btn_3Click()
{
    send(BellButton::Mode2);
}

void TMainForm::btn_4Click()
{
    send(BellButton::Mode3);
}

void TMainForm::btn_5Click()
{
    send(BellButton::Tone1);
}

void TMainForm::btn_6Click()
{
    send(BellButton::Tone2);
}

void TMainForm::btn_7Click()
{
    QMessageBox box(QMessageBox::NoIcon, QGuiApplication::applicationDisplayName(), infoText(),
                    QMessageBox::Ok, this);
    box.exec();
}

void TMainForm::btn_8Click()
{
    QCoreApplication::quit();
}

void TMainForm::sgwscli_1Connect()
{
    sgwscli_1->WriteData(CommandWords::greeting());
}

void TMainForm::sgwscli_1Message(const QString &text)
{
    for (const StatusRule &rule : StatusRules::table()) {
        if (!text.contains(rule.keyword))
            continue;
        for (const StatusRule::Enable &enable : rule.enables)
            button(enable.button)->setEnabled(enable.enabled);
        for (const StatusRule::Image &image : rule.images)
            button(image.button)->setBitmapName(image.bitmapName);
        if (rule.fill) {
            ui->rct_1->setFillColor(QColor::fromRgba(*rule.fill));
            ui->rct_1->setAccessibleName(lampName(rule.keyword));
        }
    }
}

void TMainForm::ConnectWS()
{
    if (!sgwscli_1->activate())
        BoxGagalConnect();
}

void TMainForm::BoxGagalConnect()
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("Confirm"), connectFailedText(),
                    QMessageBox::Yes | QMessageBox::No, this);
    box.setDefaultButton(QMessageBox::Yes);
    if (box.exec() == QMessageBox::Yes)
        ConnectWS();
}

ImageButton *TMainForm::button(BellButton which) const
{
    switch (which) {
    case BellButton::Reset:
        return ui->btn_1;
    case BellButton::Mode1:
        return ui->btn_2;
    case BellButton::Mode2:
        return ui->btn_3;
    case BellButton::Mode3:
        return ui->btn_4;
    case BellButton::Tone1:
        return ui->btn_5;
    case BellButton::Tone2:
        return ui->btn_6;
    }
    return nullptr;
}

void TMainForm::send(BellButton which)
{
    sgwscli_1->WriteData(CommandWords::wordFor(which));
}
