// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "frmhelp.h"

#include "shell/ui/text.h"

#include "platform/fonts.h"
#include "platform/tiles.h"

#include <QKeyEvent>

namespace quillop {

namespace {

void addPicture(QWidget* page, const char* name, QRect place)
{
    auto* box = new platform::PictureBox(page);
    box->setGeometry(place);
    box->setPicture(platform::loadPicture(QStringLiteral(":/pictures/%1.ppm").arg(QLatin1String(name)), place.size()));
}

} // namespace

frmHelp::frmHelp(WindowHost& host)
    : FormWindow(QStringLiteral(":/pictures/help.ppm"), QStringLiteral("Quillop - Instructions")),
      Label4(addButton("Label4", QStringLiteral("Aim"), QRect(64, 24, 145, 33))),
      Label5(addButton("Label5", QStringLiteral("Pieces"), QRect(257, 24, 144, 33))),
      lblOk(addOkButton([this] { m_host.returnToMenu(this); })), frameAim(new Panel(this, QRect(24, 72, 422, 457))),
      framePieces(new Panel(this, QRect(24, 72, 422, 457))), m_host(host)
{
    frameAim->setObjectName(QStringLiteral("frameAim"));
    framePieces->setObjectName(QStringLiteral("framePieces"));
    buildAimPage();
    buildPiecesPage();
    framePieces->hide();

    connect(Label4, &ButtonLabel::clicked, this, [this] {
        frameAim->show();
        framePieces->hide();
    });
    connect(Label5, &ButtonLabel::clicked, this, [this] {
        frameAim->hide();
        framePieces->show();
        repaint();
    });
}

namespace {

constexpr TextStyle Heading{.points = 18, .underline = true};
constexpr TextStyle Name{.points = 13.5, .bold = false, .alignment = Qt::AlignLeft};
constexpr TextStyle Plain{.bold = false, .alignment = Qt::AlignLeft};

} // namespace

void frmHelp::buildAimPage()
{
    addText(frameAim, QStringLiteral("Aim"), QRect(0, 48, 417, 33), {.points = 13.5, .underline = true});
    addText(frameAim,
            QStringLiteral("The aim of the game is to create sets of similar wibbets. As the pieces fall in, you can "
                           "rotate them round, in order to decide what position you want them in. If at any point "
                           "you create a set, (either horizontally, vertically or diagonally), which consists of at "
                           "least 3 of the same coloured Quillop then they will vanish, causing anything above them "
                           "to drop down.")
                + QStringLiteral("\r\n\r\n")
                + QStringLiteral("As you will see whilst playing the game some of the pieces have special effects, to "
                                 "find out what these are see the pieces page of this help section."),
            QRect(24, 80, 373, 345));
}

void frmHelp::buildPiecesPage()
{
    QWidget* page = framePieces;
    addText(page, QStringLiteral("Normal Pieces"), QRect(0, 15, 425, 30), Heading);
    addPicture(page, "normalpieces", QRect(32, 55, 58, 87));
    addText(page,
            QStringLiteral("These are the pieces that you will see the most during the game. They simply need to be "
                           "placed together in sets of 3 or more."),
            QRect(120, 56, 273, 88), Plain);
    addText(page, QStringLiteral("Specials"), QRect(0, 152, 425, 33), Heading);
    addPicture(page, "colourgenocide", QRect(32, 184, 29, 29));
    addText(page, QStringLiteral("Colour Genocide"), QRect(72, 187, 313, 33), Name);
    addText(page,
            QStringLiteral("This piece will remove all pieces the same colour as the piece that it lands on-top of. "),
            QRect(32, 219, 361, 41), Plain);
    addPicture(page, "columnbuster", QRect(32, 272, 29, 29));
    addText(page, QStringLiteral("Column Buster"), QRect(72, 275, 257, 33), Name);
    addText(page, QStringLiteral("This piece will remove anything in the column below its current position."),
            QRect(32, 307, 361, 41), Plain);
    addPicture(page, "roweater", QRect(32, 360, 29, 29));
    addText(page, QStringLiteral("Row Eater"), QRect(72, 363, 281, 33), Name);
    addText(page,
            QStringLiteral("This piece will remove all pieces in the same row as it, both to the left and right."),
            QRect(32, 395, 361, 41), Plain);
}

} // namespace quillop
