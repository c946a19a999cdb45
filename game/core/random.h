// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "gamestate.h"

#include <cstdint>
#include <random>

namespace quillop {

// A uniform source of values 0 <= u < 1, the only randomness of the game.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual float next() = 0;
};

// The generator the program uses; the caller chooses the seed (the clock in
// the program, a constant in tests).
class SeededRandom final : public RandomSource {
public:
    explicit SeededRandom(std::uint64_t seed) : m_engine(seed) {}
    float next() override;

private:
    std::mt19937_64 m_engine;
};

// 1 to n, each equally likely.
int pick(RandomSource& random, int n);

// u x 5 + 1 rounded half to even: colours 1 and 6 come half as often as 2 to 5.
// Used for the very first next column and for refilled rows.
CellCode roundedColour(RandomSource& random);

} // namespace quillop
