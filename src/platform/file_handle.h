#pragma once

namespace zubk::platform {

#ifdef _WIN32
using NativeFileHandle = void*;  // a HANDLE
inline constexpr NativeFileHandle kNoFileHandle = nullptr;
#else
using NativeFileHandle = int;  // a file descriptor
inline constexpr NativeFileHandle kNoFileHandle = -1;
#endif

// The one owner of an open file: closes it when it goes away, which also gives up every lock
// taken through it. Movable, so that the file and its lock can be handed on as one.
class FileHandle {
public:
    FileHandle() noexcept = default;
    explicit FileHandle(NativeFileHandle native) noexcept : m_native(native) {}
    ~FileHandle();
    FileHandle(FileHandle&& other) noexcept;
    FileHandle& operator=(FileHandle&& other) noexcept;
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    NativeFileHandle Native() const noexcept { return m_native; }
    bool IsOpen() const noexcept { return m_native != kNoFileHandle; }

private:
    void Close() noexcept;

    NativeFileHandle m_native = kNoFileHandle;
};

}  // namespace zubk::platform
