#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace zubk {

// An ordered list of text lines, as the connection parameters and the statement list are kept.
class TStringList {
public:
    TStringList() = default;
    TStringList(std::initializer_list<std::string_view> lines);

    std::size_t Count() const { return m_lines.size(); }
    const std::string& operator[](std::size_t index) const { return m_lines.at(index); }

    // Replaces a line in place; its position in the list stays.
    void Set(std::size_t index, std::string line) { m_lines.at(index) = std::move(line); }
    void Add(std::string line) { m_lines.push_back(std::move(line)); }
    void Clear() { m_lines.clear(); }

    // Every line followed by this platform's line end.
    std::string Text() const;

    // The value of the first "NAME=value" line with this name, or empty text.
    std::string_view Value(std::string_view name) const;

private:
    std::vector<std::string> m_lines;
};

}  // namespace zubk
