#include "model/win32/file_system_win32.h"

#include <algorithm>
#include <utility>

#include "base/win32/scoped_win.h"
#include "base/win32/system_proc.h"

namespace {

// Large writes go in pieces so one call never asks for more than a DWORD.
constexpr DWORD kChunk = 1u << 20;

std::string FolderOf(const std::string& path)
{
    const std::string::size_type slash = path.find_last_of("\\/");
    if (slash == std::string::npos)
        return ".";
    // Keep the separator, so "C:\file" gives the root and not the drive's
    // current folder.
    return path.substr(0, slash + 1);
}

char LowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsHexDigit(char c)
{
    c = LowerAscii(c);
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
}

bool SameAsciiNoCase(const std::string& a, const char* b)
{
    size_t i = 0;
    for (; i < a.size() && b[i]; ++i) {
        if (LowerAscii(a[i]) != LowerAscii(b[i]))
            return false;
    }
    return i == a.size() && !b[i];
}

// The names a replace gives its files: GetTempFileName's "nbl" and up to four
// hex digits, ".tmp"; the old file put aside on Windows 95 adds ".old".
bool IsReplaceFileName(const std::string& name)
{
    if (name.size() < 8 || !SameAsciiNoCase(name.substr(0, 3), "nbl"))
        return false;
    size_t i = 3;
    while (i < name.size() && i < 7 && IsHexDigit(name[i]))
        ++i;
    if (i == 3)
        return false;
    const std::string rest = name.substr(i);
    return SameAsciiNoCase(rest, ".tmp") || SameAsciiNoCase(rest, ".tmp.old");
}

// A data file's replace names its files "nbl...", which the start-up sweep
// looks for; any other file's (a backup, a copy kept at shutdown) "nbk...",
// so that the sweep never takes them, even in the same folder.
LPCTSTR ReplacePrefix(const std::string& target)
{
    return target.size() >= 4 && SameAsciiNoCase(target.substr(target.size() - 4), ".nbl") ? TEXT("nbl")
                                                                                          : TEXT("nbk");
}

// Owns a handle opened through the call table and closes it the same way.
class CCallHandle {
public:
    CCallHandle(const Win32FileCalls& calls, HANDLE h)
        : m_calls(calls), m_h(h == INVALID_HANDLE_VALUE ? nullptr : h)
    {
    }
    ~CCallHandle() { Close(); }
    CCallHandle(const CCallHandle&) = delete;
    CCallHandle& operator=(const CCallHandle&) = delete;
    HANDLE Get() const { return m_h; }
    explicit operator bool() const { return m_h != nullptr; }
    // False when the close reported an error (a write the system had held
    // back failed); the handle is gone either way.
    bool Close()
    {
        if (!m_h)
            return true;
        return m_calls.closeHandle(std::exchange(m_h, nullptr)) != FALSE;
    }

private:
    const Win32FileCalls& m_calls;
    HANDLE m_h;
};

FileError WriteAll(const Win32FileCalls& calls, HANDLE hFile, const std::vector<uint8_t>& data)
{
    size_t done = 0;
    while (done < data.size()) {
        const DWORD want = static_cast<DWORD>(std::min<size_t>(kChunk, data.size() - done));
        DWORD written = 0;
        if (!calls.writeFile(hFile, data.data() + done, want, &written, nullptr))
            return FileErrorFromWin32(GetLastError());
        if (written != want)
            return FileError::diskFull;
        done += written;
    }
    // Only bytes on the disk may replace the data file.
    if (!calls.flushFileBuffers(hFile))
        return FileErrorFromWin32(GetLastError());
    return FileError::none;
}

} // namespace

Win32FileCalls Win32FileCalls::System()
{
    using MoveFileExFn = BOOL(WINAPI*)(LPCTSTR, LPCTSTR, DWORD);
#ifdef UNICODE
    constexpr const char* kMoveFileEx = "MoveFileExW";
#else
    constexpr const char* kMoveFileEx = "MoveFileExA";
#endif
    return {GetTempFileName,
            CreateFile,
            ::WriteFile,
            FlushFileBuffers,
            CloseHandle,
            GetFileAttributes,
            GetFileTime,
            SetFileTime,
            FindSystemProc<MoveFileExFn>("kernel32.dll", kMoveFileEx),
            MoveFile,
            DeleteFile};
}

bool CWin32FileSystem::IsFolder(const tstring& path)
{
    const DWORD attr = m_calls.getFileAttributes(path.c_str());
    return attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// The new file takes over the old one's creation time. Best effort: a file
// we cannot open for this is reported by the move that follows, if at all.
void CWin32FileSystem::CopyCreationTime(const tstring& from, HANDLE hTo)
{
    CCallHandle old(m_calls, m_calls.createFile(from.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    FILETIME created;
    if (old && m_calls.getFileTime(old.Get(), &created, nullptr, nullptr))
        m_calls.setFileTime(hTo, &created, nullptr, nullptr);
}

bool CWin32FileSystem::MoveOver(const tstring& tmp, const tstring& path, bool& bKeepTmp)
{
    if (m_calls.moveFileEx) {
        if (m_calls.moveFileEx(tmp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return true;
        // Where it is there at all, Windows 95's only says it cannot.
        if (GetLastError() != ERROR_CALL_NOT_IMPLEMENTED)
            return false;
    }
    // Windows 95 has no MoveFileEx: the old file steps aside, the new one
    // takes its place, and only then is the old one deleted. Should the new
    // one not move, the old one goes back; should even that fail, both stay
    // where they are, so the user is never left without a copy. Should the
    // machine stop in between, the next start finds both beside the missing
    // data file (Leftovers) and puts the new one in place.
    const tstring old = tmp + TEXT(".old");
    const bool bHadOld = m_calls.moveFile(path.c_str(), old.c_str()) != FALSE;
    if (!bHadOld && GetLastError() != ERROR_FILE_NOT_FOUND)
        return false;
    if (m_calls.moveFile(tmp.c_str(), path.c_str())) {
        if (bHadOld && !m_calls.deleteFile(old.c_str()))
            m_strLeftOver = old;
        return true;
    }
    const DWORD dwError = GetLastError();
    if (bHadOld && !m_calls.moveFile(old.c_str(), path.c_str())) {
        bKeepTmp = true;
        m_stranded = {FromSys(tmp), FromSys(old)};
    }
    SetLastError(dwError);
    return false;
}

FileError FileErrorFromWin32(DWORD dwError)
{
    switch (dwError) {
    case ERROR_SUCCESS: return FileError::none;
    case ERROR_FILE_NOT_FOUND: return FileError::fileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
    case ERROR_FILENAME_EXCED_RANGE: return FileError::badPath;
    case ERROR_TOO_MANY_OPEN_FILES: return FileError::tooManyOpenFiles;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_CURRENT_DIRECTORY: return FileError::accessDenied;
    case ERROR_SHARING_VIOLATION: return FileError::sharingViolation;
    case ERROR_LOCK_VIOLATION: return FileError::lockViolation;
    case ERROR_HANDLE_DISK_FULL:
    case ERROR_DISK_FULL: return FileError::diskFull;
    case ERROR_HANDLE_EOF: return FileError::endOfFile;
    case ERROR_READ_FAULT:
    case ERROR_WRITE_FAULT:
    case ERROR_CRC:
    case ERROR_GEN_FAILURE:
    case ERROR_SEEK:
    case ERROR_SECTOR_NOT_FOUND:
    case ERROR_NOT_READY:
    case ERROR_IO_DEVICE: return FileError::hardIO;
    default: return FileError::generic;
    }
}

FilePresence CWin32FileSystem::Presence(const std::string& path)
{
    if (GetFileAttributes(ToSys(path).c_str()) != INVALID_FILE_ATTRIBUTES)
        return FilePresence::present;
    const DWORD dwError = GetLastError();
    return dwError == ERROR_FILE_NOT_FOUND || dwError == ERROR_PATH_NOT_FOUND ? FilePresence::absent
                                                                             : FilePresence::unknown;
}

FileError CWin32FileSystem::ReadFile(const std::string& path, std::vector<uint8_t>& data)
{
    CScopedHandle file(CreateFile(ToSys(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file)
        return FileErrorFromWin32(GetLastError());
    data.clear();
    const DWORD size = GetFileSize(file.Get(), nullptr);
    if (size != INVALID_FILE_SIZE)
        data.reserve(size);
    // Read to the end rather than trust the size: the file may be growing.
    uint8_t chunk[65536];
    for (;;) {
        DWORD got = 0;
        if (!::ReadFile(file.Get(), chunk, sizeof chunk, &got, nullptr))
            return FileErrorFromWin32(GetLastError());
        if (got == 0)
            return FileError::none;
        data.insert(data.end(), chunk, chunk + got);
    }
}

FileError CWin32FileSystem::WriteTemporary(const TCHAR* tmp, const tstring& path, bool bOldFile,
                                          const std::vector<uint8_t>& data)
{
    CCallHandle file(m_calls, m_calls.createFile(tmp, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                                                 FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return FileErrorFromWin32(GetLastError());
    FileError result = WriteAll(m_calls, file.Get(), data);
    if (result == FileError::none && bOldFile)
        CopyCreationTime(path, file.Get());
    if (!file.Close() && result == FileError::none)
        result = FileErrorFromWin32(GetLastError());
    return result;
}

FileError CWin32FileSystem::WriteReplacing(const std::string& path, const std::vector<uint8_t>& data)
{
    m_stranded = StrandedCopies();
    if (!m_strLeftOver.empty() && m_calls.deleteFile(m_strLeftOver.c_str()))
        m_strLeftOver.clear();
    const tstring sysPath = ToSys(path);
    // A read-only data file is the user's word that it must not change:
    // Windows refuses to replace it, and so does every path here (Windows
    // 95's renames, and Wine, would let it go).
    const DWORD attr = m_calls.getFileAttributes(sysPath.c_str());
    if (attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_READONLY))
        return FileError::accessDenied;
    // The folder is cut from the UTF-8 path: in a double-byte code page a
    // character's second byte may look like a backslash.
    const tstring folder = ToSys(FolderOf(path));
    TCHAR tmp[MAX_PATH];
    if (!m_calls.getTempFileName(folder.c_str(), ReplacePrefix(path), 0, tmp)) {
        const DWORD err = GetLastError();
        return IsFolder(folder) ? FileErrorFromWin32(err) : FileError::badPath;
    }
    // GetTempFileName has created the file; from here on every failure
    // removes it again, except where the old file could not be put back
    // (MoveOver): then both stay.
    FileError result = WriteTemporary(tmp, sysPath, attr != INVALID_FILE_ATTRIBUTES, data);
    bool bKeepTmp = false;
    if (result == FileError::none && !MoveOver(tmp, sysPath, bKeepTmp))
        result = FileErrorFromWin32(GetLastError());
    if (result != FileError::none && !bKeepTmp)
        m_calls.deleteFile(tmp);
    return result;
}

bool CWin32FileSystem::RenameFile(const std::string& from, const std::string& to)
{
    // MoveFile, not MoveFileEx, which Windows 95 lacks; it never replaces a
    // file already under the new name.
    return MoveFile(ToSys(from).c_str(), ToSys(to).c_str()) != FALSE;
}

bool CWin32FileSystem::RemoveFile(const std::string& path)
{
    return DeleteFile(ToSys(path).c_str()) != FALSE;
}

std::vector<std::string> CWin32FileSystem::Leftovers(const std::string& path)
{
    const std::string folder = FolderOf(path);
    struct Found {
        FILETIME written;
        std::string path;
    };
    std::vector<Found> found;
    WIN32_FIND_DATA fd;
    HANDLE hFind = FindFirstFile(ToSys(folder + "nbl*.tmp*").c_str(), &fd);
    if (hFind == INVALID_HANDLE_VALUE)
        return {};
    do {
        const std::string name = FromSys(fd.cFileName);
        if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && IsReplaceFileName(name))
            found.push_back({fd.ftLastWriteTime, folder + name});
    } while (FindNextFile(hFind, &fd));
    FindClose(hFind);
    // Newest first: a replace's new file was written after the old one it
    // put aside; for the same time the name decides, ".tmp" before ".old".
    std::sort(found.begin(), found.end(), [](const Found& a, const Found& b) {
        const LONG order = CompareFileTime(&a.written, &b.written);
        return order != 0 ? order > 0 : a.path < b.path;
    });
    std::vector<std::string> paths;
    for (Found& f : found)
        paths.push_back(std::move(f.path));
    return paths;
}
