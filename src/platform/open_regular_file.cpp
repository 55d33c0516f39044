#include "platform/open_regular_file.h"

#include <cerrno>

#ifdef _WIN32
#include <windows.h>

#include "common/text_encoding.h"
#else
#include <fcntl.h>
#include <sys/stat.h>
#endif

namespace zubk::platform {

#ifdef _WIN32

OpenResult OpenRegularFileForReading(const std::string& path) {
    const std::u16string widePath = Utf8ToUtf16(path);
    // Others may go on reading and writing it, as with the C library's fopen: the program
    // that writes the bookings must not fail because a run reads them.
    const HANDLE handle = CreateFileW(reinterpret_cast<const wchar_t*>(widePath.c_str()),
                                      GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    OpenResult result;
    if (handle == INVALID_HANDLE_VALUE) {
        // A directory cannot be opened without FILE_FLAG_BACKUP_SEMANTICS: access denied.
        result.Error = LastSystemError();
        return result;
    }
    result.File = FileHandle(handle);
    // A console, a printer port or NUL is a character device, a named pipe a pipe.
    result.Outcome =
        GetFileType(handle) == FILE_TYPE_DISK ? OpenOutcome::Opened : OpenOutcome::NotARegularFile;
    return result;
}

#else

OpenResult OpenRegularFileForReading(const std::string& path) {
    OpenResult result;
    // O_NONBLOCK: opening a FIFO without a writer would wait for one, opening some devices
    // waits for them. O_NOCTTY: a terminal named here must not become ours.
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        result.Error = LastSystemError();
        return result;
    }
    result.File = FileHandle(fd);
    struct stat status {};
    if (fstat(fd, &status) != 0) {
        result.Error = LastSystemError();
        return result;
    }
    if (S_ISDIR(status.st_mode)) {
        result.Error = SystemErrorFromErrno(EISDIR);
        return result;
    }
    if (!S_ISREG(status.st_mode)) {
        result.Outcome = OpenOutcome::NotARegularFile;
        return result;
    }
    // A regular file is read as any other: reads that wait for the disk are fine.
    const int flags = fcntl(fd, F_GETFL);
    if (flags < 0 || fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        result.Error = LastSystemError();
        return result;
    }
    result.Outcome = OpenOutcome::Opened;
    return result;
}

#endif

}  // namespace zubk::platform
