// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "desktop.h"

#include "manualdrag.h"

#include <QWidget>

namespace quillop::desktop {

namespace {

std::unique_ptr<Desktop>& Installed()
{
    static std::unique_ptr<Desktop> installed = std::make_unique<Desktop>();
    return installed;
}

} // namespace

Desktop::~Desktop() = default;

void Desktop::place(QWidget* window, QPoint corner)
{
    window->move(corner);
}

void Desktop::drag(QWidget* window, QPoint pressedAt)
{
    ManualDrag::start(window, pressedAt);
}

void Desktop::keepOnTop(QWidget*)
{
}

void Desktop::watchOutsideDestroys(std::function<void(QWidget*)>)
{
}

Desktop& Current()
{
    return *Installed();
}

void Install(std::unique_ptr<Desktop> desktop)
{
    Installed() = std::move(desktop);
}

} // namespace quillop::desktop
