#pragma once

#include <QList>
#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QTimer>

// Watches for modal message boxes, records each one and presses the next of a list of
// answers; when the list is used up it presses the box's escape button.
class MessageBoxWatcher : public QObject
{
    Q_OBJECT

public:
    struct Seen
    {
        QString title;
        QString text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QMessageBox::StandardButtons buttons;
        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    };

    explicit MessageBoxWatcher(QList<QMessageBox::StandardButton> answers = {},
                               QObject *parent = nullptr);

    const QList<Seen> &seen() const { return m_seen; }
    // Runs when a box is up, before it is answered.
    void setOnBox(std::function<void(int index)> onBox) { m_onBox = std::move(onBox); }

private:
    void poll();

    QList<QMessageBox::StandardButton> m_answers;
    QList<Seen> m_seen;
    QPointer<QMessageBox> m_current;
    std::function<void(int)> m_onBox;
    QTimer m_timer;
};
