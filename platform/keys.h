#pragma once

#include <QKeyEvent>

#include <cstdint>

namespace quillop::platform {

// The Windows virtual-key code the game's rules expect for a Qt key, or 0 for
// a key that has none. Keypad keys need the keypad modifier to be told apart
// from the main keyboard's.
std::int16_t VirtualKeyCode(int qtKey, Qt::KeyboardModifiers modifiers);
std::int16_t VirtualKeyCode(const QKeyEvent& event);

} // namespace quillop::platform
