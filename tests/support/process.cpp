#include "support/process.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <csignal>
#include <stdexcept>
#include <thread>

#include "support/temp_dir.h"

extern char** environ;

namespace zubk::testing {

namespace {

void CloseFd(int& fd) {
    if (fd >= 0) {
        close(fd);
        fd = -1;
    }
}

// Reads both pipes until the child closes them, so neither can fill up and block it.
void Drain(int outFd, int errFd, std::string& out, std::string& err) {
    std::array<pollfd, 2> fds = {pollfd{outFd, POLLIN, 0}, pollfd{errFd, POLLIN, 0}};
    std::string* sinks[2] = {&out, &err};
    int open = 2;
    char buffer[65536];
    while (open > 0) {
        if (poll(fds.data(), fds.size(), -1) < 0) {
            if (errno == EINTR) {
                continue;
            }
            throw std::runtime_error("poll failed");
        }
        for (std::size_t i = 0; i < fds.size(); ++i) {
            if (fds[i].fd < 0 || fds[i].revents == 0) {
                continue;
            }
            const ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
            if (n > 0) {
                sinks[i]->append(buffer, static_cast<std::size_t>(n));
            } else if (n == 0 || errno != EINTR) {
                close(fds[i].fd);
                fds[i].fd = -1;
                --open;
            }
        }
    }
}

// Turns the forked child into program: standard input empty, standard output and error to
// the given descriptors, in the working folder, with the extra environment.
[[noreturn]] void ExecInChild(const std::string& program, const std::vector<std::string>& arguments,
                              const std::string& workingDirectory,
                              const std::map<std::string, std::string>& environment, int outFd,
                              int errFd) {
    const int devNull = open("/dev/null", O_RDONLY);
    dup2(devNull, 0);
    dup2(outFd, 1);
    dup2(errFd, 2);
    if (chdir(workingDirectory.c_str()) != 0) {
        _exit(126);
    }
    for (const auto& [name, value] : environment) {
        setenv(name.c_str(), value.c_str(), 1);
    }
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    execve(program.c_str(), argv.data(), environ);
    _exit(127);
}

int ExitCode(int status) {
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& arguments,
                         const std::string& workingDirectory,
                         const std::map<std::string, std::string>& environment) {
    int outPipe[2] = {-1, -1};
    int errPipe[2] = {-1, -1};
    if (pipe(outPipe) != 0 || pipe(errPipe) != 0) {
        throw std::runtime_error("pipe failed");
    }
    const pid_t pid = fork();
    if (pid < 0) {
        throw std::runtime_error("fork failed");
    }
    if (pid == 0) {
        close(outPipe[0]);
        close(errPipe[0]);
        ExecInChild(program, arguments, workingDirectory, environment, outPipe[1], errPipe[1]);
    }
    CloseFd(outPipe[1]);
    CloseFd(errPipe[1]);
    ProcessResult result;
    Drain(outPipe[0], errPipe[0], result.output, result.errorOutput);
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    result.exitCode = ExitCode(status);
    return result;
}

BackgroundProcess::BackgroundProcess(const std::string& program,
                                     const std::vector<std::string>& arguments,
                                     const std::string& workingDirectory,
                                     const std::map<std::string, std::string>& environment,
                                     const std::filesystem::path& outputFolder)
    : m_outputPath(outputFolder / "stdout"), m_errorPath(outputFolder / "stderr") {
    const int outFd = open(m_outputPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int errFd = open(m_errorPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (outFd < 0 || errFd < 0) {
        throw std::runtime_error("cannot create the output files in " + outputFolder.string());
    }
    m_pid = fork();
    if (m_pid < 0) {
        throw std::runtime_error("fork failed");
    }
    if (m_pid == 0) {
        ExecInChild(program, arguments, workingDirectory, environment, outFd, errFd);
    }
    close(outFd);
    close(errFd);
}

BackgroundProcess::~BackgroundProcess() {
    if (!m_result) {
        kill(m_pid, SIGKILL);
        int status = 0;
        while (waitpid(m_pid, &status, 0) < 0 && errno == EINTR) {
        }
    }
}

void BackgroundProcess::Signal(int signal) {
    // Until it is waited for, the pid stays the program's, even after it has ended.
    if (!m_result) {
        kill(m_pid, signal);
    }
}

const ProcessResult* BackgroundProcess::WaitFor(std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!m_result) {
        int status = 0;
        const pid_t ended = waitpid(m_pid, &status, WNOHANG);
        if (ended == m_pid) {
            m_result =
                ProcessResult{ExitCode(status), ReadWhole(m_outputPath), ReadWhole(m_errorPath)};
        } else if (ended < 0 && errno != EINTR) {
            throw std::runtime_error("waitpid failed");
        } else if (std::chrono::steady_clock::now() >= deadline) {
            return nullptr;
        } else {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }
    return &*m_result;
}

}  // namespace zubk::testing
