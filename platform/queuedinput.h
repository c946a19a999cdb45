// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace quillop::platform {

// Runs what the mouse did while the program stood still (a drag pressed
// during a landing's pauses) before a modal window opens over the window it
// went to and blocks it. Keys typed meanwhile are dropped, as the modal
// window would drop them.
void deliverQueuedMouseInput();

} // namespace quillop::platform
