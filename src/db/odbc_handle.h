#pragma once

namespace zubk {

// Owns one ODBC handle (environment, connection or statement) and frees it. The ODBC headers
// stay out of this header: a handle is a pointer on every driver manager we build for.
class OdbcHandle {
public:
    OdbcHandle() = default;
    OdbcHandle(short handleType, void* handle) noexcept
        : m_handleType(handleType), m_handle(handle) {}
    ~OdbcHandle() { Reset(); }

    OdbcHandle(OdbcHandle&& other) noexcept
        : m_handleType(other.m_handleType), m_handle(other.m_handle) {
        other.m_handle = nullptr;
    }
    OdbcHandle& operator=(OdbcHandle&& other) noexcept {
        if (this != &other) {
            Reset();
            m_handleType = other.m_handleType;
            m_handle = other.m_handle;
            other.m_handle = nullptr;
        }
        return *this;
    }
    OdbcHandle(const OdbcHandle&) = delete;
    OdbcHandle& operator=(const OdbcHandle&) = delete;

    void* Get() const noexcept { return m_handle; }
    void Reset() noexcept;

private:
    short m_handleType = 0;
    void* m_handle = nullptr;
};

}  // namespace zubk
