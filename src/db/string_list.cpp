#include "db/string_list.h"

#include <string>

namespace zubk {

TStringList::TStringList(std::initializer_list<std::string_view> lines) {
    m_lines.reserve(lines.size());
    for (const std::string_view line : lines) {
        m_lines.emplace_back(line);
    }
}

std::string TStringList::Text() const {
    std::string text;
    for (const std::string& line : m_lines) {
        text += line;
        text += "\n";
    }
    return text;
}

std::string_view TStringList::Value(std::string_view name) const {
    for (const std::string& line : m_lines) {
        const std::string_view view = line;
        if (view.size() > name.size() && view.substr(0, name.size()) == name &&
            view[name.size()] == '=') {
            return view.substr(name.size() + 1);
        }
    }
    return {};
}

}  // namespace zubk
