// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/fonts.h"
#include "platform/widgets.h"

#include <QRect>
#include <QString>

namespace quillop {

// How a text label is set: its face, its size in points, its weight, where
// its lines sit, and an underline.
struct TextStyle {
    const char* family = platform::MsSansSerif;
    double points = 12;
    bool bold = true;
    Qt::Alignment alignment = Qt::AlignHCenter;
    bool underline = false;
};

// A white label on a transparent background, its text wrapped within its
// width.
platform::Label* addText(QWidget* parent, const QString& text, QRect place, TextStyle style = {});

} // namespace quillop
