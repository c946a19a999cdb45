// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "questionfocus.h"

#include <QApplication>
#include <QWidget>
#include <QWindow>

namespace quillop::platform {

void KeepKeysWithTheQuestion()
{
    if (!QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
        return;
    }
    QObject::connect(qApp, &QGuiApplication::focusWindowChanged, qApp, [](QWindow* focused) {
        QWidget* question = QApplication::activeModalWidget();
        if (focused != nullptr && question != nullptr && question->isVisible() && question->windowHandle() != focused) {
            question->activateWindow();
        }
    });
}

} // namespace quillop::platform
