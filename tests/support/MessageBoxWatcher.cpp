#include "MessageBoxWatcher.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPushButton>

MessageBoxWatcher::MessageBoxWatcher(QList<QMessageBox::StandardButton> answers, QObject *parent)
    : QObject(parent)
    , m_answers(std::move(answers))
{
    connect(&m_timer, &QTimer::timeout, this, &MessageBoxWatcher::poll);
    m_timer.start(5);
}

void MessageBoxWatcher::poll()
{
    auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
    if (!box || box == m_current || !box->isVisible())
        return;
    m_current = box;

    Seen seen;
    seen.title = box->windowTitle();
    seen.text = box->text();
    seen.icon = box->icon();
    seen.buttons = box->standardButtons();
    if (QPushButton *defaultButton = box->defaultButton())
        seen.defaultButton = box->standardButton(defaultButton);
    m_seen.append(seen);
    if (m_onBox)
        m_onBox(int(m_seen.size()) - 1);

    QAbstractButton *press = nullptr;
    if (!m_answers.isEmpty())
        press = box->button(m_answers.takeFirst());
    if (!press)
        press = box->escapeButton();
    if (press)
        press->click();
    else
        box->reject();
}
