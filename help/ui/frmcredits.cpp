// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "frmcredits.h"

#include "platform/fonts.h"

#include <QFile>
#include <QKeyEvent>
#include <QPainter>

#include <array>
#include <cerrno>

#include <fcntl.h>
#include <unistd.h>

namespace quillop {

namespace {

constexpr QSize FrameSize(74, 94);

// A frame fitted into its box: scaled to fit when its size differs, aspect
// kept, centred on black. A frame that cannot be read leaves the box black.
QImage fittedFrame(const QByteArray& bytes)
{
    QImage box(FrameSize, QImage::Format_RGB32);
    box.fill(Qt::black);
    QImage frame = QImage::fromData(bytes);
    if (frame.isNull()) {
        return box;
    }
    if (frame.size() != FrameSize) {
        frame = frame.scaled(FrameSize, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }
    QPainter painter(&box);
    painter.drawImage((FrameSize.width() - frame.width()) / 2, (FrameSize.height() - frame.height()) / 2, frame);
    return box;
}

// The whole file, or nothing when it cannot be read. Straight from the
// system: QFile asks for the file's status three times per open, which at two
// reads a tick was a tenth of the window's work.
QByteArray readFile(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return {};
    }
    QByteArray bytes;
    std::array<char, 16384> chunk{};
    ssize_t n = 0;
    while ((n = ::read(fd, chunk.data(), chunk.size())) != 0) {
        if (n < 0 && errno != EINTR) {
            bytes.clear();
            break;
        }
        if (n > 0) {
            bytes.append(chunk.data(), n);
        }
    }
    ::close(fd);
    return bytes;
}

} // namespace

frmCredits::frmCredits(WindowHost& host, QString programFolder)
    : FormWindow(QStringLiteral(":/pictures/credits.ppm"), QStringLiteral("Quillop - Credits")), m_host(host),
      m_programFolder(std::move(programFolder)), m_picture1(new Panel(this, QRect(24, 24, 422, 505)))
{
    // The panel clips what it holds: the text leaves it at the top.
    lblCredits = new platform::PrerenderedLabel(creditsText(), m_picture1);
    lblCredits->setObjectName(QStringLiteral("lblCredits"));
    lblCredits->setFont(platform::gameFont(platform::MsSansSerif, 12, true));
    lblCredits->setGeometry(85, m_picture1->height() + 10, 249, 425);
    // Black on the black panel, opaque and drawn once, so a scroll step
    // moves what is drawn and copies the strip that comes into view instead
    // of laying out the text again.
    lblCredits->setAutoFillBackground(true);
    lblCredits->setAttribute(Qt::WA_OpaquePaintEvent);
    QPalette onBlack = lblCredits->palette();
    onBlack.setColor(QPalette::Window, Qt::black);
    lblCredits->setPalette(onBlack);

    Picture4 = new platform::PictureBox(m_picture1);
    Picture4->setObjectName(QStringLiteral("Picture4"));
    Picture4->setGeometry(QRect(QPoint(8, 400), FrameSize));
    Picture3 = new platform::PictureBox(m_picture1);
    Picture3->setObjectName(QStringLiteral("Picture3"));
    Picture3->setGeometry(QRect(QPoint(336, 400), FrameSize));
    for (platform::PictureBox* box : {Picture4, Picture3}) {
        QImage black(FrameSize, QImage::Format_RGB32);
        black.fill(Qt::black);
        box->setPicture(black);
    }

    lblOk = addOkButton([this] { m_host.returnToMenu(this); });

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer2 = new QTimer(this);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    for (QTimer* timer : {Timer1, Timer2}) {
        timer->setInterval(100);
        timer->start();
    }
    connect(Timer1, &QTimer::timeout, this, &frmCredits::Timer1_Timer);
    connect(Timer2, &QTimer::timeout, this, &frmCredits::Timer2_Timer);
}

QString frmCredits::creditsText()
{
    const QStringList lines{QStringLiteral("Varnholt Studios Presents"),
                            QString(),
                            QStringLiteral("Quillop"),
                            QString(),
                            QStringLiteral("Programmer:"),
                            QStringLiteral("Pordy"),
                            QString(),
                            QStringLiteral("Graphic Design:"),
                            QStringLiteral("Haskel"),
                            QString(),
                            QStringLiteral("Testers:"),
                            QStringLiteral("Pordy"),
                            QStringLiteral("Haskel")};
    return lines.join(QLatin1Char('\n'));
}

void frmCredits::Timer1_Timer()
{
    int top = lblCredits->y();
    if (top < -lblCredits->height()) {
        top = m_picture1->height() + 10;
    }
    lblCredits->move(lblCredits->x(), top - 5);
}

void frmCredits::Timer2_Timer()
{
    if (FrameNumber == 10) {
        FrameNumber = 1;
    }
    const QString path = m_programFolder + QStringLiteral("/Images/Bouncing/bounce%1.jpg").arg(FrameNumber);
    // Each box reads the file for itself, so a frame changed on disk shows at
    // once; only bytes not seen before are decoded.
    for (platform::PictureBox* box : {Picture4, Picture3}) {
        Decoded& frame = m_frames[static_cast<std::size_t>(FrameNumber - 1)];
        if (QByteArray bytes = readFile(path); bytes != frame.bytes || frame.picture.isNull()) {
            frame.picture = fittedFrame(bytes);
            frame.bytes = std::move(bytes);
        }
        box->setPicture(frame.picture);
    }
    ++FrameNumber;
}

} // namespace quillop
