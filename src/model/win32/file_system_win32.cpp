#include "model/win32/file_system_win32.h"

#include <algorithm>

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

bool IsFolder(const std::string& path)
{
    const DWORD attr = GetFileAttributesA(path.c_str());
    return attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

FileError WriteAll(HANDLE hFile, const std::vector<uint8_t>& data)
{
    size_t done = 0;
    while (done < data.size()) {
        const DWORD want = static_cast<DWORD>(std::min<size_t>(kChunk, data.size() - done));
        DWORD written = 0;
        if (!::WriteFile(hFile, data.data() + done, want, &written, nullptr))
            return FileErrorFromWin32(GetLastError());
        if (written != want)
            return FileError::diskFull;
        done += written;
    }
    if (!FlushFileBuffers(hFile))
        return FileErrorFromWin32(GetLastError());
    return FileError::none;
}

// The new file takes over the old one's creation time. Best effort: a file
// we cannot open for this is reported by the move that follows, if at all.
void CopyCreationTime(const std::string& from, HANDLE hTo)
{
    CScopedHandle old(CreateFileA(from.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    FILETIME created;
    if (old && GetFileTime(old.Get(), &created, nullptr, nullptr))
        SetFileTime(hTo, &created, nullptr, nullptr);
}

} // namespace

CWin32FileSystem::MoveFileExFn CWin32FileSystem::SystemMoveFileEx()
{
    return FindSystemProc<MoveFileExFn>("kernel32.dll", "MoveFileExA");
}

bool CWin32FileSystem::MoveOver(const std::string& tmp, const std::string& path, bool& bKeepTmp)
{
    if (m_moveFileEx) {
        if (m_moveFileEx(tmp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return true;
        // Where it is there at all, Windows 95's only says it cannot.
        if (GetLastError() != ERROR_CALL_NOT_IMPLEMENTED)
            return false;
    }
    // Windows 95 has no MoveFileEx: the old file steps aside, the new one
    // takes its place, and only then is the old one deleted. Should the new
    // one not move, the old one goes back; should even that fail, both stay
    // where they are, so the user is never left without a copy.
    const std::string old = tmp + ".old";
    const bool bHadOld = m_moveFile(path.c_str(), old.c_str()) != FALSE;
    if (!bHadOld && GetLastError() != ERROR_FILE_NOT_FOUND)
        return false;
    if (m_moveFile(tmp.c_str(), path.c_str())) {
        if (bHadOld)
            DeleteFileA(old.c_str());
        return true;
    }
    const DWORD dwError = GetLastError();
    if (bHadOld && !m_moveFile(old.c_str(), path.c_str())) {
        bKeepTmp = true;
        m_stranded = {tmp, old};
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
    if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES)
        return FilePresence::present;
    const DWORD dwError = GetLastError();
    return dwError == ERROR_FILE_NOT_FOUND || dwError == ERROR_PATH_NOT_FOUND ? FilePresence::absent
                                                                             : FilePresence::unknown;
}

FileError CWin32FileSystem::ReadFile(const std::string& path, std::vector<uint8_t>& data)
{
    CScopedHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
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

FileError CWin32FileSystem::WriteReplacing(const std::string& path, const std::vector<uint8_t>& data)
{
    m_stranded = StrandedCopies();
    const std::string folder = FolderOf(path);
    char tmp[MAX_PATH];
    if (!GetTempFileNameA(folder.c_str(), "nbl", 0, tmp)) {
        const DWORD err = GetLastError();
        return IsFolder(folder) ? FileErrorFromWin32(err) : FileError::badPath;
    }
    // GetTempFileName has created the file; from here on every failure
    // removes it again, except where the old file could not be put back
    // (MoveOver): then both stay.
    FileError result = FileError::none;
    {
        CScopedHandle file(CreateFileA(tmp, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                       nullptr));
        if (!file)
            result = FileErrorFromWin32(GetLastError());
        if (result == FileError::none)
            result = WriteAll(file.Get(), data);
        if (result == FileError::none && GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES)
            CopyCreationTime(path, file.Get());
        if (!file.Close() && result == FileError::none)
            result = FileErrorFromWin32(GetLastError());
    }
    bool bKeepTmp = false;
    if (result == FileError::none && !MoveOver(tmp, path, bKeepTmp))
        result = FileErrorFromWin32(GetLastError());
    if (result != FileError::none && !bKeepTmp)
        DeleteFileA(tmp);
    return result;
}

bool CWin32FileSystem::RenameFile(const std::string& from, const std::string& to)
{
    // MoveFileA, not MoveFileEx, which Windows 95 lacks; it never replaces a
    // file already under the new name.
    return MoveFileA(from.c_str(), to.c_str()) != FALSE;
}
