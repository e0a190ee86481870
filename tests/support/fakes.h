#pragma once
// Stand-ins for the ports, shared by the native tests.

#include <functional>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "base/dialog_guard.h"
#include "base/prompts.h"
#include "model/file_system.h"
#include "model/task_rows.h"

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

    // What the user does elsewhere while the next message is open.
    std::function<void()> whileOpen;

    void Beep(MsgIcon icon) override { beeps.push_back(icon); }

    MsgResult ShowMessage(const std::string& text, const std::string& caption, MsgButtons buttons,
                         MsgIcon icon) override
    {
        shown.push_back(Shown{text, caption, buttons, icon});
        if (whileOpen)
            std::exchange(whileOpen, nullptr)();
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
    // Paths that cannot be looked at (a folder out of reach).
    std::set<std::string> unknown;
    int nWrites = 0;

    FilePresence Presence(const std::string& path) override
    {
        if (unknown.count(path))
            return FilePresence::unknown;
        return files.count(path) ? FilePresence::present : FilePresence::absent;
    }

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

    // What a failed replace says it left under temporary names.
    StrandedCopies stranded;
    StrandedCopies LastStranded() const override { return stranded; }

    bool RemoveFile(const std::string& path) override { return files.erase(path) != 0; }

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

// The dialog guard's event, free until a test takes it.
class CFakeGuardEvent : public IGuardEvent {
public:
    bool bSignalled = true;
    bool IsSignalled() override { return bSignalled; }
    void Set() override { bSignalled = true; }
    void Reset() override { bSignalled = false; }
};

// The task list's rows in memory, top to bottom; a refill drops the selection.
class CFakeTaskList : public ITaskListControl {
public:
    std::vector<TaskRow> rows;
    std::vector<int> selected;
    int nReplaces = 0;

    std::vector<int> GetSelectedRows() override { return selected; }
    size_t GetRowTask(int nRow) override { return rows.at(nRow).nTaskIndex; }
    void InsertRowAtTop(const TaskRow& row) override { rows.insert(rows.begin(), row); }
    void SetCellText(int nRow, int nColumn, const std::string& text) override { rows.at(nRow).cells[nColumn] = text; }
    void SetTypeCell(int nRow, const std::string& text, int nImage) override
    {
        rows.at(nRow).cells[colType] = text;
        rows.at(nRow).nImage = nImage;
    }
    int GetStateImage(int nRow) override { return rows.at(nRow).nState; }
    void SetStateImage(int nRow, int nState) override { rows.at(nRow).nState = nState; }
    void ReplaceAllRows(std::vector<TaskRow> newRows) override
    {
        rows = std::move(newRows);
        selected.clear();
        ++nReplaces;
    }
    void SortRows(int, bool) override {}
};

// Always the same moment: 9 December 2025, 12:00.
class CFixedClock : public IClock {
public:
    COleDateTime Now() override { return COleDateTime{COleDateTime::valid, 46000.5}; }
};
