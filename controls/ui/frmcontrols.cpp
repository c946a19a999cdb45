// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "frmcontrols.h"

#include "shell/ui/panel.h"
#include "shell/ui/text.h"

#include "platform/fonts.h"
#include "platform/keys.h"
#include "platform/swallowedkeys.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>

namespace quillop {

namespace {

const QColor Idle(0x40, 0x40, 0x40);
constexpr TextStyle Caption{.alignment = Qt::AlignLeft};
constexpr TextStyle Key{.bold = false};
const QColor Selected(0x80, 0x80, 0x80);

Shape* addBar(QWidget* parent, QRect place)
{
    auto* shape = new Shape(parent, place, Selected);
    shape->setFill(Idle);
    return shape;
}

void setBoxColour(QLineEdit* box, const QColor& colour)
{
    QPalette palette = box->palette();
    if (palette.color(QPalette::Base) != colour) {
        palette.setColor(QPalette::Base, colour);
        box->setPalette(palette);
    }
}

} // namespace

frmControls::frmControls(ControlsHost& host, const KeyBindings& keys)
    : FormWindow(QStringLiteral(":/pictures/controls.ppm"), QStringLiteral("Quillop - Options")), m_host(host),
      m_codes(toKeyCodes(keys)), m_swallowed(new platform::SwallowedKeys(this))
{
    connect(m_swallowed, &platform::SwallowedKeys::swallowed, this, [this](std::int16_t key) {
        for (std::size_t i = 0; i < txtControl.size(); ++i) {
            if (txtControl[i]->hasFocus() && m_unlocked[i]) {
                txtControl_KeyDown(i, key);
            }
        }
    });
    auto* frame1 = new Panel(this, QRect(24, 24, 422, 505));
    addText(frame1, QStringLiteral("Fixed Controls:"), QRect(0, 16, 417, 25), {.underline = true});
    addText(frame1,
            QStringLiteral("These are a few of the important controls you may need, they cannot however be "
                           "configured, and hence are always the same keys"),
            QRect(24, 48, 385, 65));
    addBar(frame1, QRect(40, 120, 209, 28));
    addText(frame1, QStringLiteral("Pause"), QRect(48, 124, 121, 17), Caption);
    addBar(frame1, QRect(258, 120, 121, 28));
    addText(frame1, QStringLiteral("P"), QRect(256, 123, 121, 17), Key);
    addBar(frame1, QRect(40, 160, 209, 28));
    addText(frame1, QStringLiteral("Main Menu"), QRect(48, 164, 129, 17), Caption);
    addBar(frame1, QRect(258, 160, 121, 28));
    addText(frame1, QStringLiteral("Escape"), QRect(263, 164, 113, 25), Key);
    addText(frame1, QStringLiteral("Configurable Controls:"), QRect(0, 216, 417, 25), {.underline = true});
    addText(frame1,
            QStringLiteral("These controls can be changed to any of the letters/numbers on the keyboard (except "
                           "P), aswell as the arrows keys, and spacebar."),
            QRect(24, 248, 385, 65));

    const std::array<const char*, 4> captions{"Down:", "Rotate:", "Left:", "Right:"};
    for (std::size_t i = 0; i < 4; ++i) {
        const int top = 325 + 40 * static_cast<int>(i);
        Shape1[i] = addBar(frame1, QRect(40, top, 209, 28));
        Shape1[i]->setObjectName(QStringLiteral("Shape1(%1)").arg(i));
        addText(frame1, QString::fromLatin1(captions[i]), QRect(48, top + 3, 81, i == 3 ? 25 : 17), Caption);
        Shape1[i + 4] = addBar(frame1, QRect(258, top, 121, 28));
        Shape1[i + 4]->setObjectName(QStringLiteral("Shape1(%1)").arg(i + 4));
        auto* box = new QLineEdit(frame1);
        box->setObjectName(QStringLiteral("txtControl(%1)").arg(i));
        box->setGeometry(262, top + 3, 113, 23);
        box->setFrame(false);
        box->setReadOnly(true);
        box->setFont(platform::gameFont(platform::MsSansSerif, 12, false));
        box->setFocusPolicy(Qt::ClickFocus); // chosen by the mouse or the arrows, never by Tab
        box->setContextMenuPolicy(Qt::NoContextMenu);
        QPalette palette = box->palette();
        palette.setColor(QPalette::Text, Qt::white);
        box->setPalette(palette);
        setBoxColour(box, Idle);
        box->installEventFilter(this);
        txtControl[i] = box;
    }

    lblOk = addOkButton([this] { CloseControls(); });

    ShowKeyNames();
    // A press on the window or its panel only drags: it never takes the
    // selection from a box.
    setFocusPolicy(Qt::NoFocus);
    // A keyboard player can start at once.
    select(0);
}

void frmControls::ShowKeyNames()
{
    for (std::size_t i = 0; i < 4; ++i) {
        txtControl[i]->setText(QString::fromStdString(KeyName(m_codes[i])));
    }
}

void frmControls::select(std::size_t box)
{
    txtControl[box]->setFocus(Qt::OtherFocusReason);
}

void frmControls::lockBox(std::size_t box)
{
    m_editing = false;
    m_swallowed->setArmed(false);
    m_unlocked[box] = false;
    setBoxColour(txtControl[box], Selected);
    Shape1[box + 4]->setFilled(true);
}

void frmControls::txtControl_GotFocus(std::size_t box)
{
    setBoxColour(txtControl[box], Selected);
    Shape1[box]->setFillColour(Selected);
    Shape1[box + 4]->setFillColour(Selected);
}

void frmControls::txtControl_LostFocus(std::size_t box)
{
    // A box left while it is being edited keeps waiting for its key.
    setBoxColour(txtControl[box], Idle);
    Shape1[box]->setFillColour(Idle);
    Shape1[box + 4]->setFillColour(Idle);
}

void frmControls::txtControl_KeyDown(std::size_t box, std::int16_t key)
{
    QLineEdit* edit = txtControl[box];
    if (key == VirtualKey::Escape) {
        lockBox(box);
        return;
    }
    if (key == VirtualKey::Enter) {
        m_unlocked[box] = true;
        setBoxColour(edit, Qt::black);
        Shape1[box + 4]->setFilled(false);
        m_editing = true;
        m_swallowed->setArmed(true);
        return;
    }
    if (key == VirtualKey::None) {
        return; // nothing to tell this key from any other: the box waits on
    }
    if (!m_unlocked[box]) {
        if (key == VirtualKey::Down && box < 3) {
            select(box + 1);
        } else if (key == VirtualKey::Up && box > 0) {
            select(box - 1);
        }
        return;
    }
    AssignKey(m_codes, static_cast<KeyAction>(box), key);
    ShowKeyNames();
    m_changed = true;
    lockBox(box);
}

void frmControls::keyPressEvent(QKeyEvent* event)
{
    m_swallowed->delivered();
    FormWindow::keyPressEvent(event);
}

bool frmControls::eventFilter(QObject* watched, QEvent* event)
{
    for (std::size_t i = 0; i < 4; ++i) {
        if (watched != txtControl[i]) {
            continue;
        }
        switch (event->type()) {
        case QEvent::FocusIn:
            txtControl_GotFocus(i);
            break;
        case QEvent::FocusOut:
            txtControl_LostFocus(i);
            break;
        case QEvent::KeyPress: {
            m_swallowed->delivered();
            // The window sees the key first; typing never reaches the box.
            const std::int16_t key = platform::virtualKeyCode(*static_cast<QKeyEvent*>(event));
            if (!Form_KeyDown(key)) {
                txtControl_KeyDown(i, key);
            }
            return true;
        }
        case QEvent::MouseButtonPress:
            // A click selects the box and does nothing else: no cursor, no
            // selection, no paste of the middle button.
            txtControl[i]->setFocus(Qt::MouseFocusReason);
            return true;
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::KeyRelease:
        case QEvent::InputMethod:
            return true;
        default:
            break;
        }
    }
    return FormWindow::eventFilter(watched, event);
}

void frmControls::CloseControls()
{
    lblOk->setLit(false);
    if (const auto unset = FirstUnsetAction(m_codes)) {
        m_host.ShowMessage(Message::SetControls, this);
        select(static_cast<std::size_t>(*unset));
        return;
    }
    if (m_changed) {
        m_host.askToSaveKeys(this, m_codes);
    }
    m_host.returnToMenu(this);
}

} // namespace quillop
