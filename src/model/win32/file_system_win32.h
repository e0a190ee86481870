#pragma once
// The file system through the Win32 file calls.

#include <windows.h>

#include "model/file_system.h"

class CWin32FileSystem : public IFileSystem {
public:
    // The moves a replace makes; tests stand in for Windows 95, which has no
    // MoveFileEx, and for moves that fail. A null MoveFileEx is Windows 95's.
    using MoveFileExFn = BOOL(WINAPI*)(LPCSTR, LPCSTR, DWORD);
    using MoveFileFn = BOOL(WINAPI*)(LPCSTR, LPCSTR);
    explicit CWin32FileSystem(MoveFileExFn moveFileEx = SystemMoveFileEx(), MoveFileFn moveFile = MoveFileA)
        : m_moveFileEx(moveFileEx), m_moveFile(moveFile)
    {
    }

    // The system's MoveFileExA, found at run time; null where there is none.
    static MoveFileExFn SystemMoveFileEx();

    FilePresence Presence(const std::string& path) override;
    FileError ReadFile(const std::string& path, std::vector<uint8_t>& data) override;
    FileError WriteReplacing(const std::string& path, const std::vector<uint8_t>& data) override;
    // Never replaces a file already under the new name.
    bool RenameFile(const std::string& from, const std::string& to) override;
    StrandedCopies LastStranded() const override { return m_stranded; }

private:
    bool MoveOver(const std::string& tmp, const std::string& path, bool& bKeepTmp);

    MoveFileExFn m_moveFileEx;
    MoveFileFn m_moveFile;
    StrandedCopies m_stranded;
};

// The cause of a failed file call, from its GetLastError code.
FileError FileErrorFromWin32(DWORD dwError);
