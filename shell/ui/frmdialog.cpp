// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "frmdialog.h"

#include "buttonlabel.h"
#include "panel.h"
#include "shape.h"
#include "text.h"
#include "windowhost.h"

#include "common/virtualkey.h"
#include "desktop/desktop.h"
#include "desktop/screens.h"
#include "platform/keys.h"

#include <QCloseEvent>
#include <QKeyEvent>

namespace quillop {

namespace {

const QColor Grey(0x80, 0x80, 0x80);

void addNamedText(QWidget* parent, const char* name, const QString& text, QRect place)
{
    addText(parent, text, place, {.points = 13.5})->setObjectName(QLatin1String(name));
}

} // namespace

frmdialog::frmdialog(QWidget* over) : QDialog(over, Qt::Dialog | Qt::FramelessWindowHint), m_over(over)
{
    setWindowTitle(QStringLiteral("Quillop"));
    setModal(true);
}

Panel* frmdialog::addPanel(const char* name, QSize size)
{
    auto* panel = new Panel(this, QRect(QPoint(0, 0), size));
    panel->setObjectName(QLatin1String(name));
    new Shape(panel, panel->rect(), Grey, 3);
    return panel;
}

ButtonLabel* frmdialog::addButton(Panel* panel, const char* name, const QString& text, QRect box)
{
    auto* shape = new Shape(panel, box, Grey);
    shape->setFill(Qt::black);
    // The text sits 5 pixels into its 36-pixel box.
    auto* button = new ButtonLabel(text, panel, QRect(box.left(), box.top() + 5, box.width(), 25));
    button->setObjectName(QLatin1String(name));
    return button;
}

void frmdialog::showLevelComplete()
{
    Panel* panel = addPanel("frameLevelComplete", QSize(361, 89));
    addNamedText(panel, "Label1", QStringLiteral("Congratulations, Level Complete (Press Spacebar to continue)"),
                 QRect(16, 19, 329, 49));
    showModal(Kind::GameNotice, panel);
}

void frmdialog::showGameOver()
{
    Panel* panel = addPanel("frameGameOver", QSize(361, 89));
    addNamedText(panel, "Label2", QStringLiteral("Game Over"), QRect(0, 19, 361, 25));
    addNamedText(panel, "Label3", QStringLiteral("(Press Spacebar to continue)"), QRect(0, 42, 361, 29));
    showModal(Kind::GameNotice, panel);
}

Answer frmdialog::AskYesNo(const QString& question)
{
    Panel* panel = addPanel("frameYesNo", QSize(385, 129));
    addNamedText(panel, "lblText", question, QRect(0, 24, 385, 25));
    ButtonLabel* yes = addButton(panel, "lblYes", QStringLiteral("Yes"), QRect(24, 80, 161, 36));
    ButtonLabel* no = addButton(panel, "lblNo", QStringLiteral("No"), QRect(200, 80, 161, 36));
    panel->resetsOnHover({yes, no});
    // Only one of the two is ever lit.
    connect(yes, &ButtonLabel::hovered, no, [no] { no->setLit(false); });
    connect(no, &ButtonLabel::hovered, yes, [yes] { yes->setLit(false); });
    connect(yes, &ButtonLabel::clicked, this, [this] {
        m_answer = Answer::Yes;
        accept();
    });
    connect(no, &ButtonLabel::clicked, this, [this] {
        m_answer = Answer::No;
        accept();
    });
    showModal(Kind::Question, panel);
    return m_answer;
}

void frmdialog::showSetControls()
{
    Panel* panel = addPanel("frameSetControls", QSize(361, 153));
    addNamedText(panel, "Label4",
                 QStringLiteral("One of the controls is not set, all controls must be chosen to continue"),
                 QRect(48, 19, 273, 73));
    ButtonLabel* ok = addButton(panel, "lblOk", QStringLiteral("Ok"), QRect(105, 104, 161, 36));
    panel->resetsOnHover({ok});
    connect(ok, &ButtonLabel::clicked, this, &QDialog::accept);
    showModal(Kind::ControlsNotice, panel);
}

void frmdialog::showModal(Kind kind, Panel* panel)
{
    m_kind = kind;
    setFixedSize(panel->size());
    desktop::Desktop& desktop = desktop::current();
    desktop.place(this, m_over != nullptr && m_over->isVisible() ? desktop::centredOver(size(), m_over)
                                                                 : desktop::centredOnScreen(size()));
    desktop.keepOnTop(this);
    exec();
    // Keys go back to the window the message was opened from, also where no
    // window manager hands the focus back.
    if (m_over != nullptr && m_over->isVisible()) {
        m_over->activateWindow();
    }
}

void frmdialog::keyPressEvent(QKeyEvent* event)
{
    event->accept();
    // Only the two game notices take a key, and only Space.
    if (m_kind == Kind::GameNotice && platform::virtualKeyCode(*event) == VirtualKey::Space) {
        accept();
    }
}

void frmdialog::closeEvent(QCloseEvent* event)
{
    // Only the desktop closes the window this way (answers use accept()): a
    // game notice stays until Space, so the game never hangs with its timer
    // off; a question counts as No.
    if (m_kind == Kind::GameNotice) {
        event->ignore();
        return;
    }
    if (m_kind == Kind::Question) {
        m_answer = Answer::No;
    }
    event->accept();
    done(Rejected);
}

void frmdialog::reject()
{
    // Escape answers nothing.
}

} // namespace quillop
