#pragma once
// Causes of a failed file operation and the messages the user sees for them.

#include <string>

enum class FileError {
    none,
    generic,
    fileNotFound,
    badPath,
    tooManyOpenFiles,
    accessDenied,
    sharingViolation,
    lockViolation,
    hardIO,
    endOfFile,
    diskFull,
};

// The message for a cause, with the path in place of %1. FileError::none has
// no message and gives an empty string.
std::string FileErrorMessage(FileError cause, const std::string& path);

inline constexpr const char* kMsgUnexpectedFormat = "Unexpected file format.";
inline constexpr const char* kMsgFailedToOpen = "Failed to open document.";
inline constexpr const char* kMsgFailedToSave = "Failed to save document.";
