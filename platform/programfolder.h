// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

namespace quillop::platform {

// The folder that holds what the game reads beside the program: the
// top-score table it ships with and the credits animation. That is the
// program's own folder, or, for an installed program whose build put them
// elsewhere (as a distribution's games layout does: the program in
// /usr/games, its data in /usr/share/games/quillop), that folder.
QString programFolder();

} // namespace quillop::platform
