#pragma once
// The file system as the document sees it.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "model/file_error.h"

// What a look at a path finds. Only "file not found" and "path not found"
// mean that there is no file; a path that cannot be looked at (a folder out
// of reach, access denied) may hide one, so it is unknown, never absent.
enum class FilePresence { absent, present, unknown };

// A whole file's bytes, read-only, in one block.
class IFileBytes {
public:
    virtual ~IFileBytes() = default;
    virtual const uint8_t* Data() const = 0;
    virtual size_t Size() const = 0;
};

class IFileSystem {
public:
    virtual ~IFileSystem() = default;
    virtual FilePresence Presence(const std::string& path) = 0;
    virtual FileError ReadFile(const std::string& path, std::vector<uint8_t>& data) = 0;
    // The file for one pass of reading, which a file system may map into
    // memory rather than copy; the same errors as ReadFile. By default the
    // bytes are read in with ReadFile.
    virtual FileError ViewFile(const std::string& path, std::unique_ptr<IFileBytes>& bytes);
    // Replaces the file safely: the bytes go to a temporary file in the same
    // folder, which is flushed and then moved over the old file. On failure
    // the temporary file is gone and the old file is as it was; should the
    // old file not go back in place, both stay on disk under their
    // temporary names rather than one being lost.
    virtual FileError WriteReplacing(const std::string& path, const std::vector<uint8_t>& data) = 0;
    // After a WriteReplacing that left both files under temporary names:
    // where the new data and the old now are. Empty after any other.
    struct StrandedCopies {
        std::string strNew;
        std::string strOld;
    };
    virtual StrandedCopies LastStranded() const { return {}; }
    // Renames a file within its folder; false when it could not be done.
    virtual bool RenameFile(const std::string& from, const std::string& to) = 0;
    virtual bool RemoveFile(const std::string&) { return false; }
    // What a replace of this path that never finished (the machine stopped
    // under it) may have left beside it: its temporary files, full paths.
    // Never the data file itself. The newer copy of a replace that had put
    // the old file aside comes before that old file.
    virtual std::vector<std::string> Leftovers(const std::string&) { return {}; }
};

// The standard library's file system, for the native tools and tests.
class CStdFileSystem : public IFileSystem {
public:
    FilePresence Presence(const std::string& path) override;
    FileError ReadFile(const std::string& path, std::vector<uint8_t>& data) override;
    FileError WriteReplacing(const std::string& path, const std::vector<uint8_t>& data) override;
    bool RenameFile(const std::string& from, const std::string& to) override;
    // Mapped where the system can map files, without a copy of the bytes.
    FileError ViewFile(const std::string& path, std::unique_ptr<IFileBytes>& bytes) override;
};
