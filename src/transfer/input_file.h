#pragma once

#include <stdexcept>
#include <string>

#include "app/run_state.h"

namespace zubk {

// The input file was opened but could not be read to its end.
class InputFileReadError : public std::runtime_error {
public:
    InputFileReadError(std::string fileName, const std::string& reason)
        : std::runtime_error(reason), m_fileName(std::move(fileName)) {}

    const std::string& FileName() const { return m_fileName; }

private:
    std::string m_fileName;
};

inline constexpr int kInputFileMissing = -1;

// Reads the file named by state.InputFileName whole and unchanged into state.InputText; a NUL
// byte ends the text there. Returns kInputFileMissing, with InputText empty, when there is no
// such file, and 0 when it was read. Throws InputFileReadError when it is there but cannot be
// opened, or was opened but not read to its end, so that no part of it is imported.
int LoadInputFile(RunState& state);

}  // namespace zubk
