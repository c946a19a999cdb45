// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "windows.h"

#include "module1.h"

#include "controls/ui/frmcontrols.h"
#include "help/ui/frmcredits.h"
#include "help/ui/frmhelp.h"
#include "scores/ui/frmhighscores.h"

namespace quillop {

void installWindows(Module1& module, const QString& programFolder)
{
    using Window = Module1::Window;
    module.setFactory(Window::HighScores, [](Module1& m) { return new frmHighScores(m, m.highScoreState()); });
    module.setFactory(Window::Controls, [](Module1& m) { return new frmControls(m, m.keys); });
    module.setFactory(Window::Help, [](Module1& m) { return new frmHelp(m); });
    module.setFactory(Window::Credits, [programFolder](Module1& m) { return new frmCredits(m, programFolder); });
}

} // namespace quillop
