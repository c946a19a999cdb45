// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "tiles.h"

#include <QImage>
#include <QString>

#include <future>

namespace quillop::platform {

// A window's picture, read on a thread of its own from the moment the window
// is made, so that decoding it and building the window's controls overlap;
// the first look at it (the window's first paint) waits for the rest.
class PendingPicture {
public:
    explicit PendingPicture(const QString& path, int scale = pictureScale());

    const QImage& get();

private:
    std::future<QImage> m_reading;
    QImage m_picture;
};

} // namespace quillop::platform
