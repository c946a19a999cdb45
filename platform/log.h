// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLoggingCategory>

// The game's one log, for what the player need not be told: a picture that
// would not load, the reason behind a score that could not be kept. Its
// messages start "quillop:"; QT_LOGGING_RULES="quillop.warning=false" silences
// them, "quillop.debug=true" raises the level.
Q_DECLARE_LOGGING_CATEGORY(lcQuillop)
