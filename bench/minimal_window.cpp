// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The floor the game is measured against: the smallest Qt Widgets program
// that shows a borderless 470 x 600 window with a line of text (every window
// of the game shows text, so font loading belongs to the floor).
#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window(nullptr, Qt::Window | Qt::FramelessWindowHint);
    window.setWindowTitle(QStringLiteral("Minimal"));
    window.setFixedSize(470, 600);
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, QColor(0x1E, 0x6B, 0x2F));
    window.setPalette(palette);
    QLabel caption(QStringLiteral("Score:"), &window);
    caption.setGeometry(344, 536, 113, 17);
    window.show();
    return QApplication::exec();
}
