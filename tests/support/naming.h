// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>

namespace quillop::test {

// Names each case of a parameterised suite after its `name`, so ctest and a
// failure both say which case it is.
inline constexpr auto Named = [](const auto& c) { return std::string(c.param.name); };

} // namespace quillop::test
