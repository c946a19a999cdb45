// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "controls/core/keybindings.h"
#include "shell/ui/formwindow.h"
#include "shell/ui/shape.h"
#include "shell/ui/windowhost.h"

#include <array>

class QLineEdit;

namespace quillop {

namespace platform {
class SwallowedKeys;
} // namespace platform

// What the controls window asks of the program: the shared prompt, and
// "Save changes?" for the codes its boxes hold, which become the game's
// keys on Yes.
class ControlsHost : public WindowHost {
public:
    virtual void askToSaveKeys(QWidget* from, const KeyCodes& boxes) = 0;

protected:
    ~ControlsHost() = default;
};

// The window where the player changes the four game keys. It works on a copy
// of the bindings: nothing reaches the game until the player leaves and
// answers Yes to "Save changes?". A key box is chosen with the mouse or with
// Up and Down Arrow; Enter starts an edit, the next key becomes the box's
// key (P refused, Escape cancelling).
class frmControls final : public FormWindow {
    Q_OBJECT

public:
    // The boxes start from the given bindings.
    frmControls(ControlsHost& host, const KeyBindings& keys);

    // Leaving: the notice while a box is unset, the question when something
    // was edited, then back to the menu.
    void CloseControls();

    bool isEditing() const { return m_editing; }
    bool isChanged() const { return m_changed; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    bool escapeLeaves() const override { return !m_editing; }

private:
    void txtControl_KeyDown(std::size_t box, std::int16_t key);
    void txtControl_GotFocus(std::size_t box);
    void txtControl_LostFocus(std::size_t box);
    void ShowKeyNames();
    void lockBox(std::size_t box);
    void select(std::size_t box);

    // Named "txtControl(0)" to "txtControl(3)" and "Shape1(0)" to "Shape1(7)".
    std::array<QLineEdit*, 4> txtControl{};
    // Shape1(0 to 3) are the row bars, Shape1(4 to 7) the frames around the boxes.
    std::array<Shape*, 8> Shape1{};
    ButtonLabel* lblOk;
    ControlsHost& m_host;
    KeyCodes m_codes;
    bool m_changed = false;
    bool m_editing = false;
    // A box is unlocked only while it waits for its new key. The text boxes
    // themselves stay read-only throughout: they show a key's name and take
    // no text, no paste and no selection.
    std::array<bool, 4> m_unlocked{};
    // Dead keys never arrive as key presses; this finds them.
    platform::SwallowedKeys* m_swallowed;
};

} // namespace quillop
