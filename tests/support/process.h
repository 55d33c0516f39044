#pragma once

#include <map>
#include <string>
#include <vector>

namespace zubk::testing {

struct ProcessResult {
    int exitCode = -1;        // -1 when the process did not exit normally
    std::string output;       // standard output, byte for byte
    std::string errorOutput;  // standard error
};

// Runs a program with arguments in a working folder, with extra environment variables, and
// waits for it. Standard input is empty.
ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& arguments,
                         const std::string& workingDirectory,
                         const std::map<std::string, std::string>& environment = {});

}  // namespace zubk::testing
