// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "shell/ui/formwindow.h"
#include "shell/ui/panel.h"
#include "shell/ui/windowhost.h"

namespace quillop {

// The instructions: an Aim page and a Pieces page in one place, switched by
// the two labels at the top; Ok or Escape goes back to the menu. It always
// opens on the Aim page.
class frmHelp final : public FormWindow {
    Q_OBJECT

public:
    explicit frmHelp(WindowHost& host);

private:
    ButtonLabel* Label4; // "Aim"
    ButtonLabel* Label5; // "Pieces"
    ButtonLabel* lblOk;
    Panel* frameAim;
    Panel* framePieces;
    void buildAimPage();
    void buildPiecesPage();

    WindowHost& m_host;
};

} // namespace quillop
