#include "platform/stop_signals.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <csignal>
#endif

namespace zubk::platform {

namespace {

std::atomic<bool>* g_stopRequested = nullptr;
static_assert(std::atomic<bool>::is_always_lock_free, "set from a signal handler");

}  // namespace

#ifdef _WIN32

namespace {

BOOL WINAPI OnConsoleEvent(DWORD event) {
    g_stopRequested->store(true);
    if (event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT) {
        return TRUE;
    }
    // Closing the console, logging off or shutting down ends the process when this handler
    // returns: give the run its few seconds to finish the record and write what is left.
    Sleep(4000);
    return TRUE;
}

}  // namespace

void CatchStopRequests(std::atomic<bool>& stopRequested) {
    g_stopRequested = &stopRequested;
    SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
}

#else

namespace {

extern "C" void OnStopSignal(int) {
    g_stopRequested->store(true);
}

}  // namespace

void CatchStopRequests(std::atomic<bool>& stopRequested) {
    g_stopRequested = &stopRequested;
    struct sigaction action {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    // Calls in progress (a driver waiting for the server) go on; the run stops after them.
    action.sa_flags = SA_RESTART;
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        sigaction(signal, &action, nullptr);
    }
    // A reader of our output that goes away (a log pipe that ended) must not end the run
    // half-way: the writes fail instead, and the records are still accounted for.
    std::signal(SIGPIPE, SIG_IGN);
}

#endif

}  // namespace zubk::platform
