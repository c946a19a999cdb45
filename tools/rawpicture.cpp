// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Turns one of the repository's PNG pictures into the PPM the program has
// built in. PPM decodes several times faster than PNG, which the menu's first
// frame and every window's opening feel, and the resource compiler's zstd
// packs it smaller than the PNG was. The windows show pictures opaque, so
// the colours are kept and any transparency is dropped.
//
//   quillop_rawpicture <picture.png> <picture.ppm>
#include <QImage>
#include <QImageReader>
#include <QString>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <picture.png> <picture.ppm>\n", argv[0]);
        return 2;
    }
    QImageReader reader(QString::fromLocal8Bit(argv[1]));
    const QImage picture = reader.read();
    if (picture.isNull()) {
        std::fprintf(stderr, "%s: %s\n", argv[1], qPrintable(reader.errorString()));
        return 1;
    }
    if (!picture.convertToFormat(QImage::Format_RGB888).save(QString::fromLocal8Bit(argv[2]), "PPM")) {
        std::fprintf(stderr, "%s: cannot be written\n", argv[2]);
        return 1;
    }
    return 0;
}
