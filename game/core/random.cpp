// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "random.h"

#include <algorithm>
#include <cmath>

namespace quillop {

float SeededRandom::next()
{
    // 24 random bits fill a float's mantissa exactly, so the value is never 1.
    constexpr float scale = 1.0F / 16777216.0F;
    return static_cast<float>(m_engine() >> 40) * scale;
}

int pick(RandomSource& random, int n)
{
    const double u = random.next();
    const int value = static_cast<int>(u * n) + 1;
    return std::clamp(value, 1, n);
}

CellCode roundedColour(RandomSource& random)
{
    const double x = static_cast<double>(random.next()) * 5.0 + 1.0;
    double whole = std::floor(x);
    const double fraction = x - whole;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0)) {
        whole += 1.0;
    }
    return static_cast<CellCode>(std::clamp(static_cast<int>(whole), 1, 6));
}

} // namespace quillop
