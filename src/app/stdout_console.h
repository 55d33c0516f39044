#pragma once

#include "common/console.h"

namespace zubk {

// The process's standard output, with this platform's line ends and character set.
class StdoutConsole final : public Console {
public:
    StdoutConsole();
    ~StdoutConsole() override;
    StdoutConsole(const StdoutConsole&) = delete;
    StdoutConsole& operator=(const StdoutConsole&) = delete;

    void Write(std::string_view bytes) override;
    bool OwnTextsInUtf8() const override { return m_ownTextsInUtf8; }

private:
    bool m_ownTextsInUtf8 = false;
};

}  // namespace zubk
