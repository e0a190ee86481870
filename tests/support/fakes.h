#pragma once
// Stand-ins for the ports, shared by the native tests.

#include <map>
#include <string>
#include <vector>

#include "app/prompts.h"
#include "model/file_system.h"

// Records every message and answers from a script (OK when it runs out).
class CFakePrompts : public IPrompts {
public:
    struct Shown {
        std::string text;
        std::string caption;
        MsgButtons buttons;
        MsgIcon icon;
    };
    std::vector<Shown> shown;
    std::vector<MsgResult> answers;
    std::vector<MsgIcon> beeps;

    void Beep(MsgIcon icon) override { beeps.push_back(icon); }

    MsgResult ShowMessage(const std::string& text, const std::string& caption, MsgButtons buttons,
                         MsgIcon icon) override
    {
        shown.push_back(Shown{text, caption, buttons, icon});
        if (answers.empty())
            return MsgResult::ok;
        MsgResult r = answers.front();
        answers.erase(answers.begin());
        return r;
    }
};

// Files in memory, with a failure to inject per path.
class CFakeFileSystem : public IFileSystem {
public:
    std::map<std::string, std::vector<uint8_t>> files;
    std::map<std::string, FileError> readErrors;
    std::map<std::string, FileError> writeErrors;
    int nWrites = 0;

    bool Exists(const std::string& path) override { return files.count(path) != 0; }

    FileError ReadFile(const std::string& path, std::vector<uint8_t>& data) override
    {
        auto err = readErrors.find(path);
        if (err != readErrors.end())
            return err->second;
        auto it = files.find(path);
        if (it == files.end())
            return FileError::fileNotFound;
        data = it->second;
        return FileError::none;
    }

    FileError WriteReplacing(const std::string& path, const std::vector<uint8_t>& data) override
    {
        ++nWrites;
        if (path.empty())
            return FileError::badPath;
        auto err = writeErrors.find(path);
        if (err != writeErrors.end())
            return err->second;
        files[path] = data;
        return FileError::none;
    }

    bool bRenameFails = false;
    bool RenameFile(const std::string& from, const std::string& to) override
    {
        if (bRenameFails || !files.count(from) || files.count(to))
            return false;
        files[to] = std::move(files[from]);
        files.erase(from);
        return true;
    }
};
