#pragma once
// Move-only owners for Win32 handles, so every path releases them.

#include <windows.h>

#include <utility>

// Owns one handle that Free releases; a null handle is empty.
template <class T, auto Free>
class CScopedOwner {
public:
    CScopedOwner() = default;
    explicit CScopedOwner(T h) : m_h(h) {}
    ~CScopedOwner() { Reset(); }
    CScopedOwner(CScopedOwner&& other) noexcept : m_h(std::exchange(other.m_h, nullptr)) {}
    CScopedOwner& operator=(CScopedOwner&& other) noexcept
    {
        if (this != &other)
            Reset(std::exchange(other.m_h, nullptr));
        return *this;
    }
    CScopedOwner(const CScopedOwner&) = delete;
    CScopedOwner& operator=(const CScopedOwner&) = delete;

    T Get() const { return m_h; }
    explicit operator bool() const { return m_h != nullptr; }
    void Reset(T h = nullptr)
    {
        if (m_h)
            Free(m_h);
        m_h = h;
    }

private:
    T m_h = nullptr;
};

// An open registry key; the predefined roots are never closed.
using CScopedKey = CScopedOwner<HKEY, RegCloseKey>;
// A library loaded at run time.
using CScopedModule = CScopedOwner<HMODULE, FreeLibrary>;

// A kernel handle. CreateFile fails with INVALID_HANDLE_VALUE and most other
// calls with null; both count as empty.
class CScopedHandle {
public:
    CScopedHandle() = default;
    explicit CScopedHandle(HANDLE h) : m_h(Valid(h) ? h : nullptr) {}
    ~CScopedHandle() { Reset(); }
    CScopedHandle(CScopedHandle&& other) noexcept : m_h(std::exchange(other.m_h, nullptr)) {}
    CScopedHandle& operator=(CScopedHandle&& other) noexcept
    {
        if (this != &other)
            Reset(std::exchange(other.m_h, nullptr));
        return *this;
    }
    CScopedHandle(const CScopedHandle&) = delete;
    CScopedHandle& operator=(const CScopedHandle&) = delete;

    HANDLE Get() const { return m_h; }
    explicit operator bool() const { return m_h != nullptr; }
    void Reset(HANDLE h = nullptr)
    {
        if (m_h)
            CloseHandle(m_h);
        m_h = Valid(h) ? h : nullptr;
    }
    // Closes now and reports whether the close succeeded; on a file that was
    // written, a failed close can mean lost data.
    bool Close()
    {
        const bool bOk = !m_h || CloseHandle(m_h) != FALSE;
        m_h = nullptr;
        return bOk;
    }

private:
    static bool Valid(HANDLE h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    HANDLE m_h = nullptr;
};
