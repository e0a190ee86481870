#include "model/file_error.h"

std::string FileErrorMessage(FileError cause, const std::string& path)
{
    const char* fmt = nullptr;
    switch (cause) {
    case FileError::none: return std::string();
    case FileError::fileNotFound: fmt = "%1 was not found."; break;
    case FileError::badPath: fmt = "%1 contains an invalid path."; break;
    case FileError::tooManyOpenFiles:
        fmt = "%1 could not be opened because there are too many open files.";
        break;
    case FileError::accessDenied: fmt = "Access to %1 was denied."; break;
    case FileError::sharingViolation: fmt = "A sharing violation occurred while accessing %1."; break;
    case FileError::lockViolation: fmt = "A locking violation occurred while accessing %1."; break;
    case FileError::hardIO: fmt = "A hardware I/O error was reported while accessing %1."; break;
    case FileError::endOfFile: fmt = "An attempt was made to access %1 past its end."; break;
    case FileError::diskFull: fmt = "Disk full while accessing %1."; break;
    case FileError::generic: fmt = "An unknown error occurred while accessing %1."; break;
    }
    std::string text(fmt);
    const std::string::size_type at = text.find("%1");
    text.replace(at, 2, path);
    return text;
}
