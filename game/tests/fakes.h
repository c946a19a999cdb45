#pragma once

#include "game/core/gameview.h"
#include "game/core/random.h"

#include <deque>
#include <initializer_list>
#include <string>
#include <vector>

namespace quillop::test {

// Records what the rules asked of the screen, in order, as short words:
// "draw", "refresh", "pause 250", "score 30", "level 2".
class RecordingView final : public GameView {
public:
    void DrawBoard() override { log.push_back("draw"); }
    void Refresh() override { log.push_back("refresh"); }
    void Pause(int milliseconds) override
    {
        pausedMs += milliseconds;
        log.push_back("pause " + std::to_string(milliseconds));
    }
    void ShowScore(std::int32_t score) override { log.push_back("score " + std::to_string(score)); }
    void ShowLevel(std::int16_t level) override { log.push_back("level " + std::to_string(level)); }

    int count(const std::string& word) const;
    void clear()
    {
        log.clear();
        pausedMs = 0;
    }

    std::vector<std::string> log;
    int pausedMs = 0;
};

// Hands out the given values in order; once they run out it hands out 0 and
// counts the overdraw, so a test can tell the rules drew more than scripted.
class ScriptedRandom final : public RandomSource {
public:
    ScriptedRandom() = default;
    ScriptedRandom(std::initializer_list<float> values) : m_values(values) {}

    void push(std::initializer_list<float> values) { m_values.insert(m_values.end(), values); }
    float Next() override;

    int overdrawn = 0;
    std::size_t left() const { return m_values.size(); }

private:
    std::deque<float> m_values;
};

// The value u for which Pick(u, n) gives k.
constexpr float PickValue(int k, int n)
{
    return (static_cast<float>(k) - 0.5F) / static_cast<float>(n);
}

} // namespace quillop::test
