#pragma once
// The file system through the Win32 file calls.

#include "model/file_system.h"

class CWin32FileSystem : public IFileSystem {
public:
    bool Exists(const std::string& path) override;
    FileError ReadFile(const std::string& path, std::vector<uint8_t>& data) override;
    FileError ReplaceFile(const std::string& path, const std::vector<uint8_t>& data) override;
};

// The cause of a failed file call, from its GetLastError code.
FileError FileErrorFromWin32(unsigned long dwError);
