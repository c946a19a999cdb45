// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "topscores.h"

#include <algorithm>
#include <charconv>
#include <istream>
#include <iterator>
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

bool isLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

// The file as a stream of fields: a name, a score and a level for each entry
// in turn, wherever the line ends fall. Blanks and line ends before a field
// are skipped; a quoted field runs to the next quote, any other field to the
// next comma or line end.
class FieldStream {
public:
    explicit FieldStream(std::string_view text) : m_rest(text) {}

    // The next entry's name, or nothing at the end of the file.
    std::optional<std::string> name()
    {
        skipToField();
        if (m_rest.empty()) {
            return std::nullopt;
        }
        if (m_rest.front() != '"') {
            std::string value(untilDelimiter());
            value.erase(std::find_if_not(value.rbegin(), value.rend(), isBlank).base(), value.end());
            return storableName(std::move(value));
        }
        // A quote left open ends with its line.
        m_rest.remove_prefix(1);
        const std::size_t close = m_rest.find_first_of("\"\r\n");
        std::string value(m_rest.substr(0, close));
        m_rest.remove_prefix(close == std::string_view::npos ? m_rest.size() : close);
        // The closing quote and whatever follows it up to the comma are dropped.
        untilDelimiter();
        return value;
    }

    // A number field; nothing when it is missing or not a number. A quoted
    // field where a number belongs is the next entry's name, so a damaged
    // entry cannot pull the entries after it out of place; it is left there.
    template <typename Int> std::optional<Int> number()
    {
        skipToField();
        if (m_rest.empty() || m_rest.front() == '"') {
            return std::nullopt;
        }
        std::string_view text = untilDelimiter();
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
        return static_cast<Int>(
            std::clamp<std::int64_t>(value, std::numeric_limits<Int>::min(), std::numeric_limits<Int>::max()));
    }

private:
    void skipToField()
    {
        while (!m_rest.empty() && (isBlank(m_rest.front()) || isLineEnd(m_rest.front()))) {
            m_rest.remove_prefix(1);
        }
    }

    // The text up to the next comma (which is consumed) or line end.
    std::string_view untilDelimiter()
    {
        const std::size_t at = m_rest.find_first_of(",\r\n");
        const std::string_view field = m_rest.substr(0, at);
        m_rest.remove_prefix(at == std::string_view::npos ? m_rest.size() : at);
        if (!m_rest.empty() && m_rest.front() == ',') {
            m_rest.remove_prefix(1);
        }
        return field;
    }

    std::string_view m_rest;
};

void writeNumber(std::ostream& out, std::int64_t value)
{
    // Plain digits whatever the locale: no grouping, no other signs.
    std::array<char, 24> digits{};
    const auto result = std::to_chars(digits.data(), digits.data() + digits.size(), value);
    out.write(digits.data(), result.ptr - digits.data());
}

} // namespace

bool IsNewHighScore(const TopScoreTable& table, std::int32_t score)
{
    return table.back().Score < score;
}

int InsertTopScore(TopScoreTable& table, std::int32_t score, std::string name, std::int16_t level)
{
    const auto place =
        std::find_if(table.begin(), table.end(), [score](const TopScoreEntry& e) { return score > e.Score; });
    if (place == table.end()) {
        return -1;
    }
    std::move_backward(place, table.end() - 1, table.end());
    *place = TopScoreEntry{std::move(name), score, level};
    return static_cast<int>(place - table.begin());
}

std::string groupedScore(std::int32_t score)
{
    const std::int64_t value = score;
    const std::string digits = std::to_string(value < 0 ? -value : value);
    std::string text = value < 0 ? "-" : "";
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) {
            text += ',';
        }
        text += digits[i];
    }
    return text;
}

std::string storableName(std::string name)
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

TopScoreTable readTopScores(std::istream& in, int* skipped)
{
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::string_view rest = text;
    if (rest.substr(0, ByteOrderMark.size()) == ByteOrderMark) {
        rest.remove_prefix(ByteOrderMark.size());
    }
    FieldStream fields(rest);
    TopScoreTable table{};
    int passedOver = 0;
    for (auto slot = table.begin(); slot != table.end();) {
        auto name = fields.name();
        if (!name) {
            break;
        }
        const auto score = fields.number<std::int32_t>();
        const auto level = fields.number<std::int16_t>();
        if (score && level) {
            *slot++ = TopScoreEntry{std::move(*name), *score, *level};
        } else {
            ++passedOver;
        }
    }
    if (skipped != nullptr) {
        *skipped = passedOver;
    }
    return table;
}

void writeTopScores(std::ostream& out, const TopScoreTable& table)
{
    for (const TopScoreEntry& entry : table) {
        out << '"' << storableName(entry.Name) << "\",";
        writeNumber(out, entry.Score);
        out << ',';
        writeNumber(out, entry.Level);
        out << "\r\n";
    }
}

} // namespace quillop
