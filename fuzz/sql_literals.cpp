#include "sql_literals.h"

namespace zubk::fuzz {

SqlLiteralSplit SplitSqlLiterals(std::string_view statement, BackslashRule rule) {
    SqlLiteralSplit split;
    std::size_t i = 0;
    while (i < statement.size()) {
        if (statement[i] != '\'') {
            split.Skeleton += statement[i++];
            continue;
        }
        std::string content;
        bool closed = false;
        ++i;
        while (i < statement.size()) {
            const char c = statement[i];
            if (c == '\'' && i + 1 < statement.size() && statement[i + 1] == '\'') {
                content += '\'';
                i += 2;
            } else if (c == '\'') {
                ++i;
                closed = true;
                break;
            } else if (c == '\\' && rule == BackslashRule::Escapes && i + 1 < statement.size()) {
                content += statement[i + 1];
                i += 2;
            } else {
                content += c;
                ++i;
            }
        }
        split.Skeleton += "''";
        split.Literals.push_back(std::move(content));
        if (!closed) {
            split.Unterminated = true;
        }
    }
    return split;
}

}  // namespace zubk::fuzz
