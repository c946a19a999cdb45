// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "text.h"

namespace quillop {

platform::Label* addText(QWidget* parent, const QString& text, QRect place, TextStyle style)
{
    auto* label = new platform::Label(text, parent);
    label->setFont(platform::gameFont(style.family, style.points, style.bold, style.underline));
    label->setAlignment(style.alignment | Qt::AlignTop);
    label->setGeometry(place);
    return label;
}

} // namespace quillop
