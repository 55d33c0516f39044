#pragma once

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <optional>
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

// A program started like RunProcess does, but left running while the test goes on; its
// standard output and error go to the files "stdout" and "stderr" in outputFolder. A process
// still running when its owner goes away is killed.
class BackgroundProcess {
public:
    BackgroundProcess(const std::string& program, const std::vector<std::string>& arguments,
                      const std::string& workingDirectory,
                      const std::map<std::string, std::string>& environment,
                      const std::filesystem::path& outputFolder);
    ~BackgroundProcess();
    BackgroundProcess(const BackgroundProcess&) = delete;
    BackgroundProcess& operator=(const BackgroundProcess&) = delete;

    // Waits up to timeout for the program to end. Its result, or null while it still runs.
    const ProcessResult* WaitFor(std::chrono::milliseconds timeout);

    bool Running() { return WaitFor(std::chrono::milliseconds(0)) == nullptr; }

    // Sends the signal to the program while it runs; nothing once it has ended.
    void Signal(int signal);

private:
    std::filesystem::path m_outputPath;
    std::filesystem::path m_errorPath;
    pid_t m_pid = -1;
    std::optional<ProcessResult> m_result;
};

}  // namespace zubk::testing
