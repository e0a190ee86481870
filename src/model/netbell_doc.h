#pragma once
// The one document: the tasks, the projects and the search engines, read from
// and written to the data file as a whole.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "model/archive.h"
#include "model/file_error.h"
#include "model/remind_task.h"
#include "model/web_search_item.h"

class IFileSystem;
class IPrompts;
class ISettingsStore;

class CNetbellDoc {
public:
    CNetbellDoc(IFileSystem& fs, IPrompts& prompts);

    IFileSystem& FileSystem() const { return m_fs; }

    std::vector<std::unique_ptr<CRemindTask>> m_arrTasks;
    std::vector<std::unique_ptr<CWebSearchItem>> m_arrSearchItems;
    std::vector<std::string> m_arrProjects;

    // File order: tasks, projects, search engines.
    void Serialize(CArchiveWriter& ar) const;
    // Throws CArchiveFormatError; the arrays are then left as far as they got.
    void Serialize(CArchiveReader& ar);

    std::vector<uint8_t> SaveToBytes() const;
    // The same bytes in a buffer the document keeps from one save to the
    // next, so that a save asks for no new memory; valid until the next call.
    const std::vector<uint8_t>& SaveToBuffer();
    // Replaces the contents with the file's; on a malformed file the
    // document is left empty and false is returned.
    bool LoadFromBytes(const uint8_t* data, size_t size);
    // Whether LoadFromBytes would take these bytes: the same reading and
    // limits, with every record read into one scratch record and dropped.
    static bool CheckBytes(const uint8_t* data, size_t size);

    // Opens the data file into the document; any failure leaves the document
    // empty and is shown to the user, except a failed read when pReadError
    // is given: its cause is handed back there for the caller to act on.
    bool OnOpenDocument(const std::string& path, FileError* pReadError = nullptr);
    // Whether OnOpenDocument would open the file, with its messages, but
    // with nothing kept: the contents stay as they are, and memory beyond the
    // file's bytes stays small.
    bool CheckFile(const std::string& path);
    // Purges deleted tasks, then replaces the file under the path. A failure
    // is shown to the user; the tasks in memory stay. An empty path is a
    // document whose data file could not be read at start-up: the save fails
    // without a word and nothing reaches the file system.
    bool OnSaveDocument(const std::string& path);
    // The same save without a word to the user, for when nobody can answer
    // (Windows is shutting down): the cause of a failure comes back.
    FileError SaveQuietly(const std::string& path);
    // Frees every task and search engine and the project list.
    void DeleteContents();

    void PurgeDeletedTasks();
    size_t GetTaskCount() const { return m_arrTasks.size(); }

    const std::string& GetPathName() const { return m_strPathName; }
    void SetPathName(const std::string& path) { m_strPathName = path; }
    // The data file another program holds while the document waits to load
    // it (with no path of its own meanwhile, so nothing is saved over it);
    // empty when it waits for nothing.
    const std::string& WaitingForFile() const { return m_strWaitingFor; }
    void SetWaitingForFile(const std::string& path) { m_strWaitingFor = path; }
    // The data file that could be neither read nor kept aside, which no
    // save may replace; empty otherwise.
    const std::string& UnreadableFile() const { return m_strUnreadable; }
    void SetUnreadableFile(const std::string& path) { m_strUnreadable = path; }
    // The frame never shows a file name: the title is always empty.
    void SetTitle(const std::string&) { m_strTitle.clear(); }
    const std::string& GetTitle() const { return m_strTitle; }

private:
    IFileSystem& m_fs;
    IPrompts& m_prompts;
    std::string m_strPathName;
    std::string m_strWaitingFor;
    std::string m_strUnreadable;
    std::string m_strTitle;
    std::vector<uint8_t> m_saveBuffer;
};

// While the document waits for its data file, tells the user that nothing
// can be changed yet and returns true; false when the change may go ahead.
bool RefusedUntilFileLoaded(const CNetbellDoc& doc, IPrompts& prompts);

// Before the data file is opened: what a save cut short by the machine
// stopping left beside it. With the data file missing, the newest whole copy
// that save had written takes its place and the user is told; with the data
// file there and whole, the leftovers are removed. Anything else stays as it
// is, for the opening to report. True when a copy was put in place.
bool RecoverUnfinishedSave(IFileSystem& fs, IPrompts& prompts, const std::string& path);

// A new cookie for a FrontPage task: "NetbellCookie1" to "NetbellCookie32000",
// then round again; the number is written back at once.
std::string NextCookieName(ISettingsStore& store);
