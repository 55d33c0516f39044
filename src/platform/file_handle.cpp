#include "platform/file_handle.h"

#include <utility>

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace zubk::platform {

FileHandle::~FileHandle() {
    Close();
}

FileHandle::FileHandle(FileHandle&& other) noexcept
    : m_native(std::exchange(other.m_native, kNoFileHandle)) {}

FileHandle& FileHandle::operator=(FileHandle&& other) noexcept {
    if (this != &other) {
        Close();
        m_native = std::exchange(other.m_native, kNoFileHandle);
    }
    return *this;
}

void FileHandle::Close() noexcept {
    if (!IsOpen()) {
        return;
    }
#ifdef _WIN32
    CloseHandle(m_native);
#else
    // Not retried on EINTR: on Linux the descriptor is gone whatever close() returns.
    close(m_native);
#endif
    m_native = kNoFileHandle;
}

}  // namespace zubk::platform
