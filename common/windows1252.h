// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Windows-1252, the one-byte character set of the top-score file and of the
// key names: ASCII, then 32 characters of its own from 128 to 159, then
// Latin-1 from 160 up.

#include <array>
#include <cstdint>
#include <optional>

namespace quillop::windows1252 {

// Characters 128 to 159, as Unicode; the five unassigned codes keep their own
// value, as Windows itself converts them.
// clang-format off
inline constexpr std::array<char32_t, 32> High{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
// clang-format on

constexpr char32_t toUnicode(std::uint8_t byte)
{
    return byte >= 128 && byte < 160 ? High[byte - 128] : char32_t{byte};
}

// The byte that holds a character, or nothing when the set has no place for it.
constexpr std::optional<std::uint8_t> fromUnicode(char32_t c)
{
    if (c < 128 || (c >= 160 && c < 256)) {
        return static_cast<std::uint8_t>(c);
    }
    for (std::size_t i = 0; i < High.size(); ++i) {
        if (High[i] == c) {
            return static_cast<std::uint8_t>(128 + i);
        }
    }
    return std::nullopt;
}

} // namespace quillop::windows1252
