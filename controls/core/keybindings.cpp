#include "keybindings.h"

namespace quillop {

namespace {

std::size_t slot(KeyAction action)
{
    return static_cast<std::size_t>(action);
}

// Windows-1252 characters 128 to 159, as Unicode; the five unassigned codes
// keep their own value, as Windows itself converts them.
constexpr std::array<char32_t, 32> Windows1252High{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

std::string utf8(char32_t cp)
{
    std::string out;
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
    return out;
}

} // namespace

KeyCodes ToKeyCodes(const KeyBindings& bindings)
{
    KeyCodes codes{};
    codes[slot(KeyAction::Down)] = bindings.Down;
    codes[slot(KeyAction::Rotate)] = bindings.Rotate;
    codes[slot(KeyAction::Left)] = bindings.Left;
    codes[slot(KeyAction::Right)] = bindings.Right;
    return codes;
}

KeyBindings FromKeyCodes(const KeyCodes& codes)
{
    KeyBindings bindings;
    bindings.Down = codes[slot(KeyAction::Down)];
    bindings.Rotate = codes[slot(KeyAction::Rotate)];
    bindings.Left = codes[slot(KeyAction::Left)];
    bindings.Right = codes[slot(KeyAction::Right)];
    return bindings;
}

std::string KeyName(std::int16_t code)
{
    switch (code) {
    case VirtualKey::Up:
        return "Up Arrow";
    case VirtualKey::Down:
        return "Down Arrow";
    case VirtualKey::Left:
        return "Left Arrow";
    case VirtualKey::Right:
        return "Right Arrow";
    case VirtualKey::Space:
        return "Space Bar";
    case VirtualKey::None:
        return {};
    default:
        break;
    }
    if (code < 0 || code > 255) {
        return {}; // no virtual key has such a code
    }
    if (code >= 128 && code < 160) {
        return utf8(Windows1252High[static_cast<std::size_t>(code - 128)]);
    }
    return utf8(static_cast<char32_t>(code));
}

void AssignKey(KeyCodes& codes, KeyAction action, std::int16_t code)
{
    for (std::int16_t& held : codes) {
        if (held == code) {
            held = VirtualKey::None;
        }
    }
    if (code != VirtualKey::P) {
        codes[slot(action)] = code;
    }
}

std::optional<KeyAction> FirstUnsetAction(const KeyCodes& codes)
{
    for (KeyAction action : AllKeyActions) {
        if (codes[slot(action)] == VirtualKey::None) {
            return action;
        }
    }
    return std::nullopt;
}

} // namespace quillop
