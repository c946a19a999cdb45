// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "programfolder.h"

#include <QCoreApplication>
#include <QDir>

namespace quillop::platform {

QString programFolder()
{
    const QString own = QCoreApplication::applicationDirPath();
#ifdef QUILLOP_DATA_FROM_PROGRAM
    // Where the install put the data, relative to the program; the program
    // in its build folder has it beside itself.
    const QDir installed(QDir(own).filePath(QStringLiteral(QUILLOP_DATA_FROM_PROGRAM)));
    if (installed.exists(QStringLiteral("Images"))) {
        return installed.canonicalPath();
    }
#endif
    return own;
}

} // namespace quillop::platform
