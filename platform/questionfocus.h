// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace quillop::platform {

// While a question is open, the window it blocks can still be given the
// keys by a click on it, and then no key reaches anything. On X, Qt hands
// them on to the question itself; on Wayland this asks the compositor to
// give them back to the question.
void KeepKeysWithTheQuestion();

} // namespace quillop::platform
