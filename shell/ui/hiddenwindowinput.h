// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>

namespace quillop {

// Drops every key, click and wheel turn that reaches a window once it is
// hidden: input queued while a window hands over to the next (a double
// click, a key typed during the switch) must not act on the window left
// behind. A key would resume a game hidden at the menu, a click open a second
// window from a menu that is gone. Installed on the application, it covers
// every window and every control in it.
class HiddenWindowInput final : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace quillop
