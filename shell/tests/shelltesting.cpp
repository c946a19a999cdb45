// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "shelltesting.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>

namespace quillop::test {

void whenMessageOpens(std::function<void(frmdialog&)> answer)
{
    // Polls, since the program may run what is queued before it opens the
    // window.
    auto* poll = new QTimer(qApp);
    poll->setInterval(0);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, tries = 0, answer = std::move(answer)]() mutable {
        auto* dialog = qobject_cast<frmdialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr && ++tries < 100) {
            return;
        }
        poll->stop();
        poll->deleteLater();
        if (dialog == nullptr) {
            ADD_FAILURE() << "no message window is open";
            return;
        }
        answer(*dialog);
        if (dialog->isVisible()) { // never leave a test waiting
            ADD_FAILURE() << "the message window is still open";
            dialog->done(0);
        }
    });
    poll->start();
}

void moveMouseOver(QWidget* widget, QPoint at)
{
    QMouseEvent move(QEvent::MouseMove, at, widget->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

bool centredOver(const QWidget& inner, const QWidget& outer)
{
    return (inner.frameGeometry().center() - outer.frameGeometry().center()).manhattanLength() <= 1;
}

void clickButton(QWidget& window, const char* name)
{
    if (ButtonLabel* button = find(window, name)) {
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, 5));
    }
}

LoggedWarnings* LoggedWarnings::s_current = nullptr;

LoggedWarnings::LoggedWarnings() : m_previous(qInstallMessageHandler(&LoggedWarnings::record))
{
    s_current = this;
}

LoggedWarnings::~LoggedWarnings()
{
    qInstallMessageHandler(m_previous);
    s_current = nullptr;
}

void LoggedWarnings::record(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtWarningMsg && s_current != nullptr && qstrcmp(context.category, "quillop") == 0) {
        s_current->m_lines << QStringLiteral("%1: %2").arg(QLatin1String(context.category), message);
    }
}

} // namespace quillop::test
