#include "fakes.h"

#include <algorithm>

namespace quillop::test {

int RecordingView::count(const std::string& word) const
{
    return static_cast<int>(std::count(log.begin(), log.end(), word));
}

float ScriptedRandom::Next()
{
    if (m_values.empty()) {
        ++overdrawn;
        return 0.0F;
    }
    const float value = m_values.front();
    m_values.pop_front();
    return value;
}

} // namespace quillop::test
