// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fonts.h"

#include <QStringList>

#include <fontconfig/fontconfig.h>

#include <cmath>

namespace quillop::platform {

void installFontSubstitutions()
{
    const QStringList sans{QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"), QStringLiteral("Helvetica"),
                           QStringLiteral("DejaVu Sans")};
    QFont::insertSubstitutions(QString::fromLatin1(Arial), sans);
    QFont::insertSubstitutions(QString::fromLatin1(MsSansSerif),
                               QStringList{QStringLiteral("Microsoft Sans Serif")} + sans);
}

std::future<void> readFontConfigurationEarly()
{
    // Qt asks the same library for the same configuration later on and gets
    // this one; should it ask first, the library still builds only one.
    return std::async(std::launch::async, [] { FcInit(); });
}

QFont gameFont(const char* family, double points, bool bold, bool underline)
{
    QFont font(QString::fromLatin1(family));
    font.setPixelSize(static_cast<int>(std::lround(points * 96.0 / 72.0)));
    font.setBold(bold);
    font.setUnderline(underline);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

} // namespace quillop::platform
