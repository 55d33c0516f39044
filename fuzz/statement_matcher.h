#pragma once

#include <cstddef>
#include <initializer_list>
#include <string_view>

namespace zubk::fuzz {

// One part of what a literal must hold: bytes of a field, which reach the server as
// ExpectedLiteralText gives them, or fixed text of the statement's form, which reaches it as
// it stands.
struct LiteralPart {
    std::string_view bytes;
    bool fromField = false;
};

inline LiteralPart Field(std::string_view bytes) {
    return {bytes, true};
}

inline LiteralPart Fixed(std::string_view text) {
    return {text, false};
}

// Reads a statement from its start the way a server reads it (an apostrophe opens a string
// literal, two apostrophes inside it stand for one, a single one closes it; a backslash is an
// ordinary character, as on every connection of ours) and compares it, as it goes, with what
// the caller says must come next. The first difference is a breach: the input is reported and
// the process aborts. Nothing is copied, so a check costs less than building the statement.
class StatementMatcher {
public:
    // form names the statement's form in messages.
    StatementMatcher(std::string_view statement, std::string_view form)
        : m_statement(statement), m_form(form) {}

    // SQL text outside any literal, exactly; text holds no apostrophe.
    void Sql(std::string_view text);

    // One string literal that holds the parts one after another, and nothing else.
    void Literal(std::initializer_list<LiteralPart> parts);

    // The statement ends here.
    void End();

private:
    void LiteralContent(std::string_view content);
    [[noreturn]] void Breach(std::string_view rule) const;

    std::string_view m_statement;
    std::string_view m_form;
    std::size_t m_at = 0;
};

}  // namespace zubk::fuzz
