#pragma once
// Move-only owners for Win32 handles, so every path releases them.

#include <windows.h>

#include <utility>

// An open registry key; the predefined roots are never closed.
class CScopedKey {
public:
    CScopedKey() = default;
    explicit CScopedKey(HKEY hKey) : m_hKey(hKey) {}
    ~CScopedKey() { Reset(); }
    CScopedKey(CScopedKey&& other) noexcept : m_hKey(std::exchange(other.m_hKey, nullptr)) {}
    CScopedKey& operator=(CScopedKey&& other) noexcept
    {
        if (this != &other)
            Reset(std::exchange(other.m_hKey, nullptr));
        return *this;
    }
    CScopedKey(const CScopedKey&) = delete;
    CScopedKey& operator=(const CScopedKey&) = delete;

    HKEY Get() const { return m_hKey; }
    explicit operator bool() const { return m_hKey != nullptr; }
    void Reset(HKEY hKey = nullptr)
    {
        if (m_hKey)
            RegCloseKey(m_hKey);
        m_hKey = hKey;
    }

private:
    HKEY m_hKey = nullptr;
};

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

// A library loaded at run time.
class CScopedModule {
public:
    CScopedModule() = default;
    explicit CScopedModule(HMODULE hModule) : m_hModule(hModule) {}
    ~CScopedModule() { Reset(); }
    CScopedModule(CScopedModule&& other) noexcept : m_hModule(std::exchange(other.m_hModule, nullptr)) {}
    CScopedModule& operator=(CScopedModule&& other) noexcept
    {
        if (this != &other)
            Reset(std::exchange(other.m_hModule, nullptr));
        return *this;
    }
    CScopedModule(const CScopedModule&) = delete;
    CScopedModule& operator=(const CScopedModule&) = delete;

    HMODULE Get() const { return m_hModule; }
    explicit operator bool() const { return m_hModule != nullptr; }
    void Reset(HMODULE hModule = nullptr)
    {
        if (m_hModule)
            FreeLibrary(m_hModule);
        m_hModule = hModule;
    }

private:
    HMODULE m_hModule = nullptr;
};
