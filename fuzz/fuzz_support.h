#pragma once
// What the fuzz targets share: the document's ports, which the readers never
// use, and a check that stops the run as a finding.

#include <cstdint>
#include <string>
#include <vector>

#include "base/prompts.h"
#include "model/file_system.h"

// The reader never touches files or the user; these only satisfy the document.
class CNoFiles : public IFileSystem {
public:
    FilePresence Presence(const std::string&) override { return FilePresence::absent; }
    FileError ReadFile(const std::string&, std::vector<uint8_t>&) override { return FileError::generic; }
    FileError WriteReplacing(const std::string&, const std::vector<uint8_t>&) override { return FileError::generic; }
    bool RenameFile(const std::string&, const std::string&) override { return false; }
};

class CNoPrompts : public IPrompts {
public:
    MsgResult ShowMessage(const std::string&, const std::string&, MsgButtons, MsgIcon) override
    {
        return MsgResult::cancel;
    }
    void Beep(MsgIcon) override {}
};

inline void Require(bool b)
{
    if (!b)
        __builtin_trap();
}
