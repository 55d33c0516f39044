#include "statement_matcher.h"

#include <string>

#include "breach.h"
#include "expected_literal_text.h"

namespace zubk::fuzz {

namespace {

constexpr char kQuote = '\'';

}  // namespace

void StatementMatcher::Sql(std::string_view text) {
    if (m_statement.substr(m_at, text.size()) != text) {
        Breach("outside its literals the statement is not the fixed text of its form");
    }
    m_at += text.size();
}

void StatementMatcher::Literal(std::initializer_list<LiteralPart> parts) {
    if (m_at >= m_statement.size() || m_statement[m_at] != kQuote) {
        Breach("outside its literals the statement is not the fixed text of its form");
    }
    ++m_at;
    for (const LiteralPart& part : parts) {
        if (!part.fromField) {
            LiteralContent(part.bytes);
            continue;
        }
        for (const char byte : part.bytes) {
            LiteralContent(ExpectedLiteralText(static_cast<unsigned char>(byte)));
        }
    }
    // A single apostrophe closes the literal; a doubled one would carry it on past its field.
    const bool closed = m_at < m_statement.size() && m_statement[m_at] == kQuote &&
                        (m_at + 1 == m_statement.size() || m_statement[m_at + 1] != kQuote);
    if (!closed) {
        Breach("a literal holds more than its field");
    }
    ++m_at;
}

void StatementMatcher::LiteralContent(std::string_view content) {
    for (const char c : content) {
        const bool same = c == kQuote ? m_statement.substr(m_at, 2) == "''"
                                      : m_at < m_statement.size() && m_statement[m_at] == c;
        if (!same) {
            Breach("a literal does not hold its field unchanged");
        }
        m_at += c == kQuote ? 2 : 1;
    }
}

void StatementMatcher::End() {
    if (m_at != m_statement.size()) {
        Breach("the statement goes on after the end of its form");
    }
}

void StatementMatcher::Breach(std::string_view rule) const {
    ReportBreach(
        std::string(rule) + " (" + std::string(m_form) + ", byte " + std::to_string(m_at) + ")",
        m_statement);
}

}  // namespace zubk::fuzz
