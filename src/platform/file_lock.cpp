#include "platform/file_lock.h"

#include <cerrno>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/file.h>
#endif

namespace zubk::platform {

#ifdef _WIN32

namespace {

// Windows byte-range locks are binding: a lock on the data would keep the writer from
// writing and others from reading. One byte far beyond any bookings file is locked instead;
// only another lock on it conflicts.
constexpr DWORD kLockOffsetHigh = 0x7FFFFFFF;
constexpr DWORD kLockOffsetLow = 0xFFFFFFFE;

}  // namespace

LockResult TryLockExclusively(const FileHandle& file) {
    OVERLAPPED where{};
    where.Offset = kLockOffsetLow;
    where.OffsetHigh = kLockOffsetHigh;
    LockResult result;
    if (LockFileEx(file.Native(), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0,
                   &where)) {
        result.Outcome = LockOutcome::Locked;
    } else if (GetLastError() == ERROR_LOCK_VIOLATION) {
        result.Outcome = LockOutcome::HeldElsewhere;
    } else {
        result.Error = LastSystemError();
    }
    return result;
}

#else

LockResult TryLockExclusively(const FileHandle& file) {
    LockResult result;
    // flock rather than fcntl locks: these belong to the open file, not to the process, so
    // that a second open in the same process conflicts too, and closing some other handle on
    // the same file does not let go of it.
    int status = 0;
    do {
        status = flock(file.Native(), LOCK_EX | LOCK_NB);
    } while (status != 0 && errno == EINTR);
    if (status == 0) {
        result.Outcome = LockOutcome::Locked;
    } else if (errno == EWOULDBLOCK) {
        result.Outcome = LockOutcome::HeldElsewhere;
    } else {
        result.Error = LastSystemError();
    }
    return result;
}

#endif

}  // namespace zubk::platform
