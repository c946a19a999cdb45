// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "pendingpicture.h"

namespace quillop::platform {

PendingPicture::PendingPicture(const QString& path, int scale)
    : m_reading(std::async(std::launch::async, [path, scale] { return screenPicture(path, scale); }))
{
}

const QImage& PendingPicture::get()
{
    if (m_reading.valid())
        m_picture = m_reading.get();
    return m_picture;
}

} // namespace quillop::platform
