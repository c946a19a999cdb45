// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "shell/ui/formwindow.h"
#include "shell/ui/panel.h"
#include "shell/ui/windowhost.h"

#include <QByteArray>
#include <QImage>
#include <QTimer>

#include <array>

#include <cstdint>

namespace quillop {

// The credits rise through a black panel, 5 pixels every 100 ms, and start
// again below it; two boxes beside them play bounce1.jpg to bounce9.jpg from
// the program's folder, read from disk at every frame. Ok or Escape goes back
// to the menu, which stops both.
class frmCredits final : public FormWindow {
    Q_OBJECT

public:
    // The pictures come from Images/Bouncing inside the given folder.
    frmCredits(WindowHost& host, QString programFolder);

    // The credits, one line each, empty lines between the groups.
    static QString creditsText();

    void Timer1_Timer(); // the scroll step
    void Timer2_Timer(); // the animation step

private:
    platform::Label* lblCredits;
    platform::PictureBox* Picture4; // left box
    platform::PictureBox* Picture3; // right box
    ButtonLabel* lblOk;
    QTimer* Timer1;
    QTimer* Timer2;
    std::int16_t FrameNumber = 1;
    WindowHost& m_host;
    QString m_programFolder;
    Panel* m_picture1;
    // The last bytes read of each frame and the picture they make.
    struct Decoded {
        QByteArray bytes;
        QImage picture;
    };
    std::array<Decoded, 9> m_frames;
};

} // namespace quillop
