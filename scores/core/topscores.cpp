#include "topscores.h"

#include <algorithm>
#include <charconv>
#include <istream>
#include <limits>
#include <optional>
#include <ostream>
#include <string_view>

namespace quillop {

namespace {

constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

// Splits the input into lines at LF, CR LF or a lone CR.
bool nextLine(std::istream& in, std::string& line)
{
    line.clear();
    int c = in.get();
    if (c == std::char_traits<char>::eof()) {
        return false;
    }
    while (c != std::char_traits<char>::eof()) {
        if (c == '\n') {
            break;
        }
        if (c == '\r') {
            if (in.peek() == '\n') {
                in.get();
            }
            break;
        }
        line += static_cast<char>(c);
        c = in.get();
    }
    return true;
}

class FieldReader {
public:
    explicit FieldReader(std::string_view line) : m_rest(line) {}

    std::string name()
    {
        skipBlanks();
        if (!m_rest.empty() && m_rest.front() == '"') {
            m_rest.remove_prefix(1);
            const std::size_t close = m_rest.find('"');
            std::string value(m_rest.substr(0, close));
            m_rest.remove_prefix(close == std::string_view::npos ? m_rest.size() : close + 1);
            // Whatever stands between the closing quote and the comma is dropped.
            skipPast(',');
            return value;
        }
        std::string value(untilComma());
        value.erase(std::find_if_not(value.rbegin(), value.rend(), isBlank).base(), value.end());
        return StorableName(std::move(value));
    }

    template <typename Int>
    std::optional<Int> number()
    {
        if (m_exhausted) {
            return std::nullopt;
        }
        skipBlanks();
        std::string_view text = untilComma();
        while (!text.empty() && isBlank(text.back())) {
            text.remove_suffix(1);
        }
        const bool plus = !text.empty() && text.front() == '+';
        if (plus) {
            text.remove_prefix(1);
        }
        if (text.empty() || (plus && text.front() == '-')) {
            return std::nullopt;
        }
        std::int64_t value = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (end != text.data() + text.size()) {
            return std::nullopt;
        }
        if (error == std::errc::result_out_of_range) {
            value = text.front() == '-' ? std::numeric_limits<std::int64_t>::min()
                                        : std::numeric_limits<std::int64_t>::max();
        } else if (error != std::errc{}) {
            return std::nullopt;
        }
        return static_cast<Int>(std::clamp<std::int64_t>(value, std::numeric_limits<Int>::min(),
                                                         std::numeric_limits<Int>::max()));
    }

private:
    void skipBlanks()
    {
        while (!m_rest.empty() && isBlank(m_rest.front())) {
            m_rest.remove_prefix(1);
        }
    }

    void skipPast(char separator)
    {
        const std::size_t at = m_rest.find(separator);
        if (at == std::string_view::npos) {
            m_rest = {};
            m_exhausted = true;
        } else {
            m_rest.remove_prefix(at + 1);
        }
    }

    std::string_view untilComma()
    {
        const std::size_t at = m_rest.find(',');
        const std::string_view field = m_rest.substr(0, at);
        skipPast(',');
        return field;
    }

    std::string_view m_rest;
    bool m_exhausted = false;
};

TopScoreEntry parseEntry(std::string_view line)
{
    FieldReader fields(line);
    TopScoreEntry entry;
    entry.Name = fields.name();
    const auto score = fields.number<std::int32_t>();
    const auto level = fields.number<std::int16_t>();
    if (!score || !level) {
        return {};
    }
    entry.Score = *score;
    entry.Level = *level;
    return entry;
}

} // namespace

bool IsNewHighScore(const TopScoreTable& table, std::int32_t score)
{
    return table.back().Score < score;
}

int InsertTopScore(TopScoreTable& table, std::int32_t score, std::string name, std::int16_t level)
{
    const auto place = std::find_if(table.begin(), table.end(),
                                    [score](const TopScoreEntry& e) { return score > e.Score; });
    if (place == table.end()) {
        return -1;
    }
    std::move_backward(place, table.end() - 1, table.end());
    *place = TopScoreEntry{std::move(name), score, level};
    return static_cast<int>(place - table.begin());
}

std::string StorableName(std::string name)
{
    for (char& c : name) {
        if (c == '"') {
            c = '\'';
        } else if (c == '\r' || c == '\n') {
            c = ' ';
        }
    }
    return name;
}

TopScoreTable ReadTopScores(std::istream& in)
{
    TopScoreTable table{};
    std::string line;
    bool first = true;
    std::size_t filled = 0;
    while (filled < TopScoreCount && nextLine(in, line)) {
        std::string_view text = line;
        if (first && text.substr(0, ByteOrderMark.size()) == ByteOrderMark) {
            text.remove_prefix(ByteOrderMark.size());
        }
        first = false;
        if (std::all_of(text.begin(), text.end(), isBlank)) {
            continue;
        }
        table[filled++] = parseEntry(text);
    }
    return table;
}

void WriteTopScores(std::ostream& out, const TopScoreTable& table)
{
    for (const TopScoreEntry& entry : table) {
        out << '"' << StorableName(entry.Name) << "\"," << entry.Score << ',' << entry.Level
            << "\r\n";
    }
}

} // namespace quillop
