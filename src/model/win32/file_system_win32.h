#pragma once
// The file system through the Win32 file calls.

#include <windows.h>

#include "model/file_system.h"

class CWin32FileSystem : public IFileSystem {
public:
    bool Exists(const std::string& path) override;
    FileError ReadFile(const std::string& path, std::vector<uint8_t>& data) override;
    FileError WriteReplacing(const std::string& path, const std::vector<uint8_t>& data) override;
    // Never replaces a file already under the new name.
    bool RenameFile(const std::string& from, const std::string& to) override;
};

// The cause of a failed file call, from its GetLastError code.
FileError FileErrorFromWin32(DWORD dwError);
