#pragma once

#include <atomic>

namespace zubk::platform {

// From now on, a request to stop the process (SIGTERM, SIGINT and SIGHUP on Linux; Ctrl+C,
// Ctrl+Break and closing the console on Windows) sets stopRequested instead of ending the
// process, so that the run can finish the record in progress and report the rest. On Linux, a
// closed output pipe no longer ends the process either.
void CatchStopRequests(std::atomic<bool>& stopRequested);

}  // namespace zubk::platform
