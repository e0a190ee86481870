#pragma once
// The file system through the Win32 file calls.

#include <windows.h>

#include <string>
#include <vector>

#include "base/win32/text_win32.h"
#include "model/file_system.h"

// Every raw call that changes or looks at a file on the way of a replace, in
// one table: a test swaps in its own to fail any step, or to stop the
// machine after one. A null moveFileEx is Windows 95's, which has none.
// Paths are in the system's form here; the file system converts its own.
struct Win32FileCalls {
    UINT(WINAPI* getTempFileName)(LPCTSTR, LPCTSTR, UINT, LPTSTR);
    HANDLE(WINAPI* createFile)(LPCTSTR, DWORD, DWORD, LPSECURITY_ATTRIBUTES, DWORD, DWORD, HANDLE);
    BOOL(WINAPI* writeFile)(HANDLE, LPCVOID, DWORD, LPDWORD, LPOVERLAPPED);
    BOOL(WINAPI* flushFileBuffers)(HANDLE);
    BOOL(WINAPI* closeHandle)(HANDLE);
    DWORD(WINAPI* getFileAttributes)(LPCTSTR);
    BOOL(WINAPI* getFileTime)(HANDLE, LPFILETIME, LPFILETIME, LPFILETIME);
    BOOL(WINAPI* setFileTime)(HANDLE, const FILETIME*, const FILETIME*, const FILETIME*);
    BOOL(WINAPI* moveFileEx)(LPCTSTR, LPCTSTR, DWORD);
    BOOL(WINAPI* moveFile)(LPCTSTR, LPCTSTR);
    BOOL(WINAPI* deleteFile)(LPCTSTR);

    // The system's own, with MoveFileEx where the system has it.
    static Win32FileCalls System();
};

class CWin32FileSystem : public IFileSystem {
public:
    explicit CWin32FileSystem(const Win32FileCalls& calls = Win32FileCalls::System()) : m_calls(calls) {}

    FilePresence Presence(const std::string& path) override;
    FileError ReadFile(const std::string& path, std::vector<uint8_t>& data) override;
    FileError WriteReplacing(const std::string& path, const std::vector<uint8_t>& data) override;
    // Never replaces a file already under the new name.
    bool RenameFile(const std::string& from, const std::string& to) override;
    bool RemoveFile(const std::string& path) override;
    std::vector<std::string> Leftovers(const std::string& path) override;
    StrandedCopies LastStranded() const override { return m_stranded; }

private:
    bool MoveOver(const tstring& tmp, const tstring& path, bool& bKeepTmp);
    FileError WriteTemporary(const TCHAR* tmp, const tstring& path, bool bOldFile, const std::vector<uint8_t>& data);
    void CopyCreationTime(const tstring& from, HANDLE hTo);
    bool IsFolder(const tstring& path);

    Win32FileCalls m_calls;
    StrandedCopies m_stranded;
    // An old copy a successful replace could not delete: tried again at the
    // next one.
    tstring m_strLeftOver;
};

// The cause of a failed file call, from its GetLastError code.
FileError FileErrorFromWin32(DWORD dwError);
