#pragma once

#include "platform/file_handle.h"
#include "platform/system_error.h"

namespace zubk::platform {

enum class LockOutcome {
    Locked,
    HeldElsewhere,  // another open handle holds the lock, in this process or another
    Failed,         // see the error
};

struct LockResult {
    LockOutcome Outcome = LockOutcome::Failed;
    SystemError Error;
};

// Takes the exclusive lock that tells runs on the same file apart, without waiting for it.
// It binds only those who ask for it: the file stays readable and writable for every other
// program. It lasts until the handle is closed, and the system gives it up when the process
// ends in any way.
LockResult TryLockExclusively(const FileHandle& file);

}  // namespace zubk::platform
