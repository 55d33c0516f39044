#include "support/server_control.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <fstream>
#include <stdexcept>
#include <thread>

#include "support/process.h"
#include "support/temp_dir.h"

namespace zubk::testing {

namespace {

constexpr const char* kAdmin = "/usr/bin/mariadb-admin";
constexpr auto kServerWait = std::chrono::seconds(60);
constexpr auto kPollStep = std::chrono::milliseconds(100);

// A process that is gone or a zombie (the server is not our child, so nobody here reaps it).
bool Gone(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    if (!stat || !std::getline(stat, line)) {
        return true;
    }
    const auto afterName = line.rfind(") ");
    return afterName != std::string::npos && afterName + 2 < line.size() &&
           line[afterName + 2] == 'Z';
}

void WaitGone(pid_t pid) {
    const auto deadline = std::chrono::steady_clock::now() + kServerWait;
    while (!Gone(pid)) {
        if (std::chrono::steady_clock::now() > deadline) {
            throw std::runtime_error("the server (pid " + std::to_string(pid) +
                                     ") does not go away");
        }
        std::this_thread::sleep_for(kPollStep);
    }
}

std::vector<std::string> CommandLineOf(pid_t pid) {
    const std::string bytes = ReadWhole("/proc/" + std::to_string(pid) + "/cmdline");
    std::vector<std::string> arguments;
    std::string::size_type start = 0;
    while (start < bytes.size()) {
        const auto end = bytes.find('\0', start);
        arguments.push_back(bytes.substr(start, end - start));
        start = end == std::string::npos ? bytes.size() : end + 1;
    }
    if (arguments.empty()) {
        throw std::runtime_error("no command line for the server (pid " + std::to_string(pid) +
                                 ")");
    }
    return arguments;
}

}  // namespace

ServerControl::ServerControl(const TestDatabase& database)
    : m_socket(database.StateValue("ZUBK_TESTDB_SOCKET")),
      m_pidFile(database.StateValue("ZUBK_TESTDB_DIR") + "/mysqld.pid") {
    m_commandLine = CommandLineOf(ServerPid());
}

pid_t ServerControl::ServerPid() const {
    std::ifstream in(m_pidFile);
    long pid = 0;
    if (!(in >> pid) || pid <= 0) {
        throw std::runtime_error("no server pid in " + m_pidFile);
    }
    return static_cast<pid_t>(pid);
}

void ServerControl::Shutdown() {
    const pid_t pid = ServerPid();
    const ProcessResult result =
        RunProcess(kAdmin, {"--no-defaults", "-S", m_socket, "-u", "root", "shutdown"}, "/");
    if (result.exitCode != 0) {
        throw std::runtime_error("mariadb-admin shutdown failed: " + result.errorOutput);
    }
    WaitGone(pid);
}

void ServerControl::Kill() {
    const pid_t pid = ServerPid();
    if (kill(pid, SIGKILL) != 0) {
        throw std::runtime_error("cannot kill the server (pid " + std::to_string(pid) + ")");
    }
    WaitGone(pid);
}

void ServerControl::Freeze() {
    if (kill(ServerPid(), SIGSTOP) != 0) {
        throw std::runtime_error("cannot stop the server");
    }
}

void ServerControl::Thaw() {
    if (kill(ServerPid(), SIGCONT) != 0) {
        throw std::runtime_error("cannot continue the server");
    }
}

void ServerControl::Start() {
    // Started twice removed and in a session of its own, like scripts/testdb does: the server
    // belongs to no test process and outlives this one until the fixture stops it.
    const pid_t child = fork();
    if (child < 0) {
        throw std::runtime_error("fork failed");
    }
    if (child == 0) {
        setsid();
        if (fork() == 0) {
            const int devNull = open("/dev/null", O_RDWR);
            dup2(devNull, 0);
            dup2(devNull, 1);
            dup2(devNull, 2);
            std::vector<char*> argv;
            for (std::string& argument : m_commandLine) {
                argv.push_back(argument.data());
            }
            argv.push_back(nullptr);
            execv(argv[0], argv.data());
            _exit(127);
        }
        _exit(0);
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }

    const auto deadline = std::chrono::steady_clock::now() + kServerWait;
    for (;;) {
        const ProcessResult ping = RunProcess(
            kAdmin, {"--no-defaults", "--connect-timeout=1", "-S", m_socket, "-u", "root", "ping"},
            "/");
        if (ping.exitCode == 0) {
            return;
        }
        if (std::chrono::steady_clock::now() > deadline) {
            throw std::runtime_error("the server does not come up again: " + ping.errorOutput);
        }
        std::this_thread::sleep_for(kPollStep);
    }
}

}  // namespace zubk::testing
