#pragma once

#include "BellButton.h"
#include "LinkSettings.h"

#include <QWidget>
#include <memory>

namespace Ui {
class TMainForm;
}

class BellLink;
class BitmapContainer;
class ImageButton;

// The main window: the bell's command buttons, its status panel, the Info box and the
// link to the bell, which it opens when first shown.
class TMainForm : public QWidget
{
    Q_OBJECT

public:
    explicit TMainForm(const LinkSettings &settings, QWidget *parent = nullptr);
    ~TMainForm() override;

    static QString infoText();
    static QString connectFailedText();

public slots:
    void FormShow();
    void btn_1Click();
    void btn_2Click();
    void btn_3Click();
    void btn_4Click();
    void btn_5Click();
    void btn_6Click();
    void btn_7Click();
    void btn_8Click();
    void sgwscli_1Connect();
    void sgwscli_1Message(const QString &text);
    void ConnectWS();
    void BoxGagalConnect();

signals:
    void shown();

protected:
    void showEvent(QShowEvent *event) override;

private:
    ImageButton *button(BellButton which) const;
    void send(BellButton which);

    std::unique_ptr<Ui::TMainForm> ui;
    BitmapContainer *bitmap_1;
    BellLink *sgwscli_1;
};
