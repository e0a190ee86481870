// Registry, files, shell folders and links, screenshots: what the program
// under test reads and leaves behind.
#include "driver.h"

#include <objbase.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>

namespace e2e {

const char* const kAppKey = "Software\\Corvane\\Netbell";

namespace {

// An open registry key, closed on every path.
class CKey {
public:
    CKey(HKEY root, const std::string& path, REGSAM access, bool create)
    {
        const LONG rc = create ? RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, access, nullptr, &m_h, nullptr)
                               : RegOpenKeyExA(root, path.c_str(), 0, access, &m_h);
        if (rc != ERROR_SUCCESS)
            m_h = nullptr;
    }
    ~CKey()
    {
        if (m_h)
            RegCloseKey(m_h);
    }
    CKey(const CKey&) = delete;
    CKey& operator=(const CKey&) = delete;
    HKEY Get() const { return m_h; }
    explicit operator bool() const { return m_h != nullptr; }

private:
    HKEY m_h = nullptr;
};

// A kernel handle, closed on every path.
class CHandle {
public:
    explicit CHandle(HANDLE h) : m_h(h == INVALID_HANDLE_VALUE ? nullptr : h) {}
    ~CHandle()
    {
        if (m_h)
            CloseHandle(m_h);
    }
    CHandle(const CHandle&) = delete;
    CHandle& operator=(const CHandle&) = delete;
    HANDLE Get() const { return m_h; }
    explicit operator bool() const { return m_h != nullptr; }

private:
    HANDLE m_h;
};

}  // namespace

// ---- registry ----------------------------------------------------------------

bool RegDeleteTreeOf(HKEY root, const std::string& path)
{
    {
        CKey key(root, path, KEY_READ, false);
        if (!key)
            return !RegKeyExists(root, path);
        // Delete children first: RegDeleteKey refuses a key that has any.
        std::vector<std::string> children;
        char name[256];
        for (DWORD i = 0;; ++i) {
            DWORD cch = sizeof(name);
            if (RegEnumKeyExA(key.Get(), i, name, &cch, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
                break;
            children.emplace_back(name, cch);
        }
        for (const auto& child : children)
            RegDeleteTreeOf(root, path + "\\" + child);
    }
    return RegDeleteKeyA(root, path.c_str()) == ERROR_SUCCESS;
}

bool RegWriteString(HKEY root, const std::string& path, const std::string& name, const std::string& value)
{
    CKey key(root, path, KEY_SET_VALUE, true);
    return key && RegSetValueExA(key.Get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                 static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
}

bool RegWriteDword(HKEY root, const std::string& path, const std::string& name, DWORD value)
{
    CKey key(root, path, KEY_SET_VALUE, true);
    return key && RegSetValueExA(key.Get(), name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                                 sizeof(value)) == ERROR_SUCCESS;
}

std::optional<std::string> RegReadString(HKEY root, const std::string& path, const std::string& name)
{
    CKey key(root, path, KEY_QUERY_VALUE, false);
    DWORD type = 0;
    DWORD cb = 0;
    if (!key || RegQueryValueExA(key.Get(), name.c_str(), nullptr, &type, nullptr, &cb) != ERROR_SUCCESS ||
        type != REG_SZ)
        return std::nullopt;
    std::string value(cb, '\0');
    if (RegQueryValueExA(key.Get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(value.data()), &cb) !=
        ERROR_SUCCESS)
        return std::nullopt;
    value.resize(std::min<size_t>(cb, value.size()));
    while (!value.empty() && value.back() == '\0')
        value.pop_back();
    return value;
}

std::optional<DWORD> RegReadDword(HKEY root, const std::string& path, const std::string& name)
{
    CKey key(root, path, KEY_QUERY_VALUE, false);
    DWORD type = 0;
    DWORD value = 0;
    DWORD cb = sizeof(value);
    if (!key ||
        RegQueryValueExA(key.Get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value), &cb) !=
            ERROR_SUCCESS ||
        type != REG_DWORD)
        return std::nullopt;
    return value;
}

bool RegKeyExists(HKEY root, const std::string& path)
{
    return static_cast<bool>(CKey(root, path, KEY_READ, false));
}

bool RegDeleteValueOf(HKEY root, const std::string& path, const std::string& name)
{
    CKey key(root, path, KEY_SET_VALUE, false);
    return !key || RegDeleteValueA(key.Get(), name.c_str()) == ERROR_SUCCESS;
}

bool DeleteAppKey()
{
    return RegDeleteTreeOf(HKEY_CURRENT_USER, kAppKey);
}

bool WriteSetting(const std::string& name, const std::string& value, const std::string& section)
{
    return RegWriteString(HKEY_CURRENT_USER, std::string(kAppKey) + "\\" + section, name, value);
}

std::optional<std::string> ReadSetting(const std::string& name, const std::string& section)
{
    return RegReadString(HKEY_CURRENT_USER, std::string(kAppKey) + "\\" + section, name);
}

bool SetWindowsVersion(const std::string& exeName, const char* version)
{
    const std::string path = "Software\\Wine\\AppDefaults\\" + exeName;
    if (!version)
        return RegDeleteValueOf(HKEY_CURRENT_USER, path, "Version");
    return RegWriteString(HKEY_CURRENT_USER, path, "Version", version);
}

bool SetUnmanagedWindows(const std::string& exeName, bool unmanaged)
{
    const std::string path = "Software\\Wine\\AppDefaults\\" + exeName + "\\X11 Driver";
    if (!unmanaged)
        return RegDeleteTreeOf(HKEY_CURRENT_USER, path);
    return RegWriteString(HKEY_CURRENT_USER, path, "Managed", "N");
}

// ---- files and folders -------------------------------------------------------

std::string JoinPath(const std::string& folder, const std::string& name)
{
    if (folder.empty())
        return name;
    return folder.back() == '\\' ? folder + name : folder + "\\" + name;
}

std::string FolderOf(const std::string& path)
{
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string FileNameOf(const std::string& path)
{
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::wstring Wide(const std::string& utf8)
{
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(n > 0 ? n : 0), L'\0');
    if (n > 0)
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), n);
    return wide;
}

std::string Utf8(const std::wstring& wide)
{
    const int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr,
                                      nullptr);
    std::string text(static_cast<size_t>(n > 0 ? n : 0), '\0');
    if (n > 0)
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), text.data(), n, nullptr, nullptr);
    return text;
}

bool FileExists(const std::string& path)
{
    const DWORD attr = GetFileAttributesW(Wide(path).c_str());
    return attr != INVALID_FILE_ATTRIBUTES && !(attr & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderExists(const std::string& path)
{
    const DWORD attr = GetFileAttributesW(Wide(path).c_str());
    return attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_DIRECTORY);
}

std::optional<std::vector<uint8_t>> ReadFileBytes(const std::string& path)
{
    CHandle file(CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                             nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file)
        return std::nullopt;
    std::vector<uint8_t> bytes;
    uint8_t buf[65536];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file.Get(), buf, sizeof(buf), &got, nullptr))
            return std::nullopt;
        if (got == 0)
            break;
        bytes.insert(bytes.end(), buf, buf + got);
    }
    return bytes;
}

bool WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes)
{
    CHandle file(CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                             nullptr));
    DWORD done = 0;
    return file &&
           (bytes.empty() ||
            (WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr) &&
             done == bytes.size()));
}

std::vector<std::string> ListFolder(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAW fd;
    HANDLE find = FindFirstFileW(Wide(JoinPath(folder, "*")).c_str(), &fd);
    if (find == INVALID_HANDLE_VALUE)
        return names;
    do {
        const std::string name = Utf8(fd.cFileName);
        if (name != "." && name != "..")
            names.push_back(name);
    } while (FindNextFileW(find, &fd));
    FindClose(find);
    std::sort(names.begin(), names.end());
    return names;
}

bool RemoveTree(const std::string& folder)
{
    if (!FolderExists(folder))
        return true;
    for (const auto& name : ListFolder(folder)) {
        const std::string path = JoinPath(folder, name);
        if (FolderExists(path)) {
            RemoveTree(path);
        } else {
            SetFileAttributesW(Wide(path).c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileW(Wide(path).c_str());
        }
    }
    return RemoveDirectoryW(Wide(folder).c_str()) != FALSE;
}

std::string TempFolder()
{
    char temp[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, temp);
    std::string folder = temp;
    while (!folder.empty() && folder.back() == '\\')
        folder.pop_back();
    return folder;
}

std::string MakeUniqueFolder(const std::string& parent, const std::string& prefix)
{
    static unsigned s_nCount = 0;
    for (;;) {
        const std::string name = prefix + std::to_string(GetCurrentProcessId()) + "-" +
                                 std::to_string(GetTickCount()) + "-" + std::to_string(++s_nCount);
        const std::string path = JoinPath(parent, name);
        if (CreateDirectoryW(Wide(path).c_str(), nullptr))
            return path;
        if (GetLastError() != ERROR_ALREADY_EXISTS)
            return std::string();
    }
}

std::string EnvVar(const char* name)
{
    char buf[32768];
    const DWORD n = GetEnvironmentVariableA(name, buf, sizeof(buf));
    return n > 0 && n < sizeof(buf) ? std::string(buf, n) : std::string();
}

std::string ModuleFolder()
{
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return FolderOf(path);
}

// ---- shell ---------------------------------------------------------------------

namespace {

std::string SpecialFolder(int csidl)
{
    char path[MAX_PATH] = "";
    return SHGetSpecialFolderPathA(nullptr, path, csidl, TRUE) ? std::string(path) : std::string();
}

// COM for the calling thread, for as long as the object lives.
class CComInit {
public:
    CComInit() : m_ok(SUCCEEDED(CoInitialize(nullptr))) {}
    ~CComInit()
    {
        if (m_ok)
            CoUninitialize();
    }
    CComInit(const CComInit&) = delete;
    CComInit& operator=(const CComInit&) = delete;

private:
    bool m_ok;
};

template <class T>
class CComRef {
public:
    CComRef() = default;
    ~CComRef()
    {
        if (m_p)
            m_p->Release();
    }
    CComRef(const CComRef&) = delete;
    CComRef& operator=(const CComRef&) = delete;
    T** Out() { return &m_p; }
    T* operator->() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }

private:
    T* m_p = nullptr;
};

}  // namespace

std::string StartupFolder()
{
    return SpecialFolder(CSIDL_STARTUP);
}

std::string DesktopFolder()
{
    return SpecialFolder(CSIDL_DESKTOPDIRECTORY);
}

std::optional<CShortcut> ReadShortcut(const std::string& path)
{
    if (!FileExists(path))
        return std::nullopt;
    CComInit com;
    CComRef<IShellLinkA> link;
    CComRef<IPersistFile> file;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(link.Out()))) ||
        FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file.Out()))))
        return std::nullopt;
    wchar_t wide[MAX_PATH] = L"";
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
    if (FAILED(file->Load(wide, STGM_READ)))
        return std::nullopt;
    CShortcut shortcut;
    char buf[MAX_PATH] = "";
    if (SUCCEEDED(link->GetPath(buf, MAX_PATH, nullptr, SLGP_RAWPATH)))
        shortcut.target = buf;
    buf[0] = '\0';
    if (SUCCEEDED(link->GetDescription(buf, MAX_PATH)))
        shortcut.description = buf;
    return shortcut;
}

// ---- screenshots -----------------------------------------------------------------

bool SaveScreenBmp(const std::string& path)
{
    const int cx = GetSystemMetrics(SM_CXSCREEN);
    const int cy = GetSystemMetrics(SM_CYSCREEN);
    if (cx <= 0 || cy <= 0)
        return false;
    BITMAPINFOHEADER bih = {};
    bih.biSize = sizeof(bih);
    bih.biWidth = cx;
    bih.biHeight = cy;  // bottom-up, as a BMP file stores its rows
    bih.biPlanes = 1;
    bih.biBitCount = 24;
    bih.biCompression = BI_RGB;
    const DWORD stride = (static_cast<DWORD>(cx) * 3 + 3) & ~3u;
    bih.biSizeImage = stride * static_cast<DWORD>(cy);

    HDC screen = GetDC(nullptr);
    if (!screen)
        return false;
    HDC mem = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP dib = mem ? CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&bih), DIB_RGB_COLORS, &bits, nullptr, 0)
                      : nullptr;
    bool ok = false;
    if (dib) {
        HGDIOBJ old = SelectObject(mem, dib);
        ok = BitBlt(mem, 0, 0, cx, cy, screen, 0, 0, SRCCOPY | CAPTUREBLT) != FALSE;
        GdiFlush();
        SelectObject(mem, old);
    }
    if (ok) {
        // The two headers, byte by byte, then the rows as the DIB holds them.
        std::vector<uint8_t> file;
        auto put = [&file](uint32_t v, int n) {
            for (int i = 0; i < n; ++i)
                file.push_back(static_cast<uint8_t>(v >> (8 * i)));
        };
        const uint32_t offBits = 14 + 40;
        put(0x4D42, 2);  // "BM"
        put(offBits + bih.biSizeImage, 4);
        put(0, 4);
        put(offBits, 4);
        put(40, 4);
        put(static_cast<uint32_t>(cx), 4);
        put(static_cast<uint32_t>(cy), 4);
        put(1, 2);
        put(24, 2);
        put(BI_RGB, 4);
        put(bih.biSizeImage, 4);
        put(2835, 4);  // 72 dpi
        put(2835, 4);
        put(0, 4);
        put(0, 4);
        const auto* p = static_cast<const uint8_t*>(bits);
        file.insert(file.end(), p, p + bih.biSizeImage);
        ok = WriteFileBytes(path, file);
    }
    if (dib)
        DeleteObject(dib);
    if (mem)
        DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return ok;
}

bool RunXdotool(const std::string& args)
{
    // Wine starts a Linux program as it starts a Windows one, but its handle
    // cannot be waited on: the caller waits for what the input does.
    std::string cmd = "Z:\\usr\\bin\\xdotool " + args;
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return false;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return true;
}

bool TypeKeys(const std::string& keys)
{
    return RunXdotool("key --delay 120 " + keys);
}

bool DragMouse(POINT from, POINT to)
{
    // In steps, as a hand moves: a drag starts only once the pointer has
    // gone a few pixels with the button down.
    std::string args = "mousemove " + std::to_string(from.x) + " " + std::to_string(from.y) + " sleep 0.2 mousedown 1";
    for (int i = 1; i <= 4; ++i)
        args += " sleep 0.1 mousemove " + std::to_string(from.x + (to.x - from.x) * i / 4) + " " +
                std::to_string(from.y + (to.y - from.y) * i / 4);
    return RunXdotool(args + " sleep 0.2 mouseup 1");
}

bool ClickAt(POINT pt, int nClicks)
{
    return RunXdotool("mousemove " + std::to_string(pt.x) + " " + std::to_string(pt.y) + " sleep 0.2 click --repeat " +
                      std::to_string(nClicks) + " --delay 80 1");
}

bool Screenshot(const std::string& name)
{
    const std::string folder = EnvVar("NETBELL_SCREENSHOTS");
    if (folder.empty())
        return false;
    CreateDirectoryA(folder.c_str(), nullptr);
    return SaveScreenBmp(JoinPath(folder, name + ".bmp"));
}

}  // namespace e2e
