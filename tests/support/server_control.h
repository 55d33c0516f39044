#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

#include "support/test_database.h"

namespace zubk::testing {

// Stops the private server of a TestDatabase the way a server fails, and starts it again on
// the same data. Only for a server that a test has to itself (a fixture of its own): the
// others share theirs.
class ServerControl {
public:
    // Takes the server's command line from the running server, to start it again later.
    explicit ServerControl(const TestDatabase& database);

    // An orderly shutdown (mariadb-admin shutdown): the server ends every connection and
    // stops. Returns when the process is gone.
    void Shutdown();

    // SIGKILL, as in a crash or a power cut: connections break, the socket file stays behind.
    void Kill();

    // SIGSTOP and SIGCONT: a server that still accepts connections (the kernel does that) but
    // never answers, as a hung server or a paused virtual machine.
    void Freeze();
    void Thaw();

    // Starts the server again with the command line it had, on the same data and socket, and
    // returns when it answers.
    void Start();

private:
    pid_t ServerPid() const;

    std::vector<std::string> m_commandLine;
    std::string m_socket;
    std::string m_pidFile;
};

}  // namespace zubk::testing
