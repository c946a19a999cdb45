// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "log.h"

Q_LOGGING_CATEGORY(lcQuillop, "quillop", QtWarningMsg)
