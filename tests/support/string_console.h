#pragma once

#include <string>

#include "common/console.h"

namespace zubk::testing {

// Collects what the tool prints, byte for byte.
class StringConsole final : public Console {
public:
    explicit StringConsole(bool ownTextsInUtf8 = false) : m_utf8(ownTextsInUtf8) {}

    void Write(std::string_view bytes) override { m_text += bytes; }
    bool OwnTextsInUtf8() const override { return m_utf8; }

    const std::string& Text() const { return m_text; }

private:
    bool m_utf8;
    std::string m_text;
};

}  // namespace zubk::testing
