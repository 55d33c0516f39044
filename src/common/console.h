#pragma once

#include <string_view>

namespace zubk {

// Where the tool's texts go. The program writes to standard output; tests collect the bytes.
class Console {
public:
    virtual ~Console() = default;

    // Writes the bytes as they are; "\n" ends a line.
    virtual void Write(std::string_view bytes) = 0;

    // Our own texts are code page 1252. A console that shows UTF-8 gets their one non-ASCII
    // letter in UTF-8 instead; arguments, file names and record bytes are never converted.
    virtual bool OwnTextsInUtf8() const = 0;
};

}  // namespace zubk
