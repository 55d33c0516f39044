#include "transfer/input_file.h"

#include <cerrno>

#include "common/console_texts.h"
#include "platform/file_lock.h"
#include "platform/open_regular_file.h"
#include "platform/read_file.h"
#include "platform/system_error.h"

namespace zubk {

namespace {

// Only a file that is not there means "nothing to import". A file that is there but cannot be
// opened (no permission, held by the program still writing it, a loop of links) holds
// bookings that would otherwise be reported as a run of 0 records.
bool IsMissing(int openError) {
    return openError == ENOENT || openError == ENOTDIR || openError == ENAMETOOLONG;
}

// The open file with its lock taken; nothing when there is no such file.
std::optional<platform::FileHandle> OpenAndLock(const std::string& fileName) {
    platform::OpenResult opened = platform::OpenRegularFileForReading(fileName);
    switch (opened.Outcome) {
        case platform::OpenOutcome::Opened:
            break;
        case platform::OpenOutcome::CannotOpen:
            if (IsMissing(opened.Error.Code)) {
                return std::nullopt;
            }
            throw InputFileReadError(fileName, opened.Error.Text);
        case platform::OpenOutcome::NotARegularFile:
            throw InputFileReadError(fileName, std::string(NotARegularFileReason()));
    }
    const platform::LockResult lock = platform::TryLockExclusively(opened.File);
    switch (lock.Outcome) {
        case platform::LockOutcome::Locked:
            break;
        case platform::LockOutcome::HeldElsewhere:
            throw InputFileReadError(fileName, std::string(InputFileInUseReason()));
        case platform::LockOutcome::Failed:
            throw InputFileReadError(fileName, lock.Error.Text);
    }
    return std::move(opened.File);
}

}  // namespace

std::optional<InputFile> InputFile::Load(const std::string& fileName) {
    // An empty name names no file; some C libraries take it for an invalid argument.
    if (fileName.empty()) {
        return std::nullopt;
    }
    std::optional<platform::FileHandle> file = OpenAndLock(fileName);
    if (!file) {
        return std::nullopt;
    }
    // The stamp is taken from the open file before its first byte is read, and only as many
    // bytes as it gives are read: whatever is written from here on shows in the stamp at the
    // end of the run, and none of it has been imported.
    const std::optional<platform::FileStamp> stamp = platform::StampOf(*file);
    if (!stamp) {
        throw InputFileReadError(fileName, platform::LastSystemError().Text);
    }
    InputFile input(fileName, std::move(*file), *stamp);
    if (const auto error = platform::ReadUpTo(input.m_file, static_cast<std::size_t>(stamp->Size),
                                              input.m_content)) {
        throw InputFileReadError(fileName, error->Text);
    }
    return input;
}

bool InputFile::ChangedSinceRead() const {
    // Fewer bytes than the stamp promised: the file was cut short while it was read.
    if (m_content.size() != m_stamp.Size) {
        return true;
    }
    // Both the file held open and the file the name gives now: bookings appended to the one
    // that was read, or a new file put in its place. One that is gone cannot vouch for
    // anything.
    const std::optional<platform::FileStamp> held = platform::StampOf(m_file);
    const std::optional<platform::FileStamp> named = platform::StampOfPath(m_fileName);
    return held != m_stamp || named != m_stamp;
}

}  // namespace zubk
