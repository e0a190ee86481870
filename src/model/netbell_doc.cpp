#include "model/netbell_doc.h"

#include <algorithm>
#include <cstdio>
#include <new>
#include <string_view>
#include <utility>

#include "base/prompts.h"
#include "base/settings.h"
#include "model/file_system.h"

void CWebSearchItem::Serialize(CArchiveWriter& ar) const
{
    WriteFields(ar, *this);
}

void CWebSearchItem::Serialize(CArchiveReader& ar)
{
    CFieldReader fields{ar};
    VisitFields(*this, fields);
}

CNetbellDoc::CNetbellDoc(IFileSystem& fs, IPrompts& prompts) : m_fs(fs), m_prompts(prompts) {}

void CNetbellDoc::Serialize(CArchiveWriter& ar) const
{
    ar.WriteCount(m_arrTasks.size());
    for (const auto& task : m_arrTasks) {
        ar.WriteObjectTag(CRemindTask::kClassName, CRemindTask::kSchema);
        task->Serialize(ar);
    }
    ar.WriteCount(m_arrProjects.size());
    for (const std::string& project : m_arrProjects)
        ar.WriteString(project);
    ar.WriteCount(m_arrSearchItems.size());
    for (const auto& item : m_arrSearchItems) {
        ar.WriteObjectTag(CWebSearchItem::kClassName, CWebSearchItem::kSchema);
        item->Serialize(ar);
    }
}

namespace {

// Every element of an object collection takes at least its two-byte tag.
constexpr size_t kMinObjectBytes = 2;

// What a copy made by a reference costs the budget: the record's fixed part
// and its texts.
template <class T>
constexpr size_t kCopyOverhead = 0;
template <>
constexpr size_t kCopyOverhead<CRemindTask> = 64;
template <>
constexpr size_t kCopyOverhead<CWebSearchItem> = 16;

template <class T>
size_t CopySize(const T& record)
{
    CTextBytes texts;
    T::VisitFields(record, texts);
    return kCopyOverhead<T> + texts.nTextBytes;
}

// The records read so far by their object numbers. Numbers only grow as the
// file is read, so the list stays sorted as it is appended to.
template <class V>
class CReadRecords {
public:
    void Add(uint32_t nObjectIndex, V value) { m_read.emplace_back(nObjectIndex, value); }
    const V& Find(uint32_t nObjectIndex) const
    {
        const auto it = std::lower_bound(m_read.begin(), m_read.end(), nObjectIndex,
                                         [](const std::pair<uint32_t, V>& e, uint32_t n) { return e.first < n; });
        if (it == m_read.end() || it->first != nObjectIndex)
            throw CArchiveFormatError("a reference to an object not read");
        return it->second;
    }

private:
    std::vector<std::pair<uint32_t, V>> m_read;
};

// A collection as the document keeps it. A reference to an object read
// before becomes a copy of it, so that every record has exactly one owner.
template <class T>
class CKeptCollection {
public:
    explicit CKeptCollection(std::vector<std::unique_ptr<T>>& arr) : m_arr(arr) {}
    void Reserve(uint32_t n) { m_arr.reserve(n); }
    void Read(CArchiveReader& ar, uint32_t nObjectIndex)
    {
        auto obj = std::make_unique<T>();
        obj->Serialize(ar);
        m_read.Add(nObjectIndex, obj.get());
        m_arr.push_back(std::move(obj));
    }
    size_t CopySizeOf(uint32_t nObjectIndex) const { return CopySize(*m_read.Find(nObjectIndex)); }
    void AddCopy(uint32_t nObjectIndex) { m_arr.push_back(std::make_unique<T>(*m_read.Find(nObjectIndex))); }

private:
    std::vector<std::unique_ptr<T>>& m_arr;
    CReadRecords<const T*> m_read;
};

// A collection read only to be checked: each record is passed over field
// by field, as it would be read, and only what a later reference to it
// would cost is kept.
template <class T>
class CCheckedCollection {
public:
    void Reserve(uint32_t) {}
    void Read(CArchiveReader& ar, uint32_t nObjectIndex)
    {
        static const T kFields;
        CFieldSkipper fields{ar};
        T::VisitFields(kFields, fields);
        m_read.Add(nObjectIndex, kCopyOverhead<T> + fields.nTextBytes);
    }
    size_t CopySizeOf(uint32_t nObjectIndex) const { return m_read.Find(nObjectIndex); }
    void AddCopy(uint32_t) {}

private:
    CReadRecords<size_t> m_read;
};

class CKeptProjects {
public:
    explicit CKeptProjects(std::vector<std::string>& arr) : m_arr(arr) {}
    void Reserve(uint32_t n) { m_arr.reserve(n); }
    void Read(CArchiveReader& ar) { ar.ReadString(m_arr.emplace_back()); }

private:
    std::vector<std::string>& m_arr;
};

class CCheckedProjects {
public:
    void Reserve(uint32_t) {}
    void Read(CArchiveReader& ar) { ar.SkipString(); }
};

// Reads one object collection whose elements must all be of class T; a null
// element holds nothing and is dropped. A reference costs two bytes but
// copies a whole record, so the copies share a budget in proportion to the
// file: a crafted file cannot take memory out of all proportion to its size.
template <class T, class Collection>
void ReadObjectArray(CArchiveReader& ar, Collection& records, bool bStrictSchema, size_t& copyBudget)
{
    const uint32_t n = ar.ReadCount(kMinObjectBytes);
    records.Reserve(n);
    const std::string_view className = T::kClassName;
    for (uint32_t i = 0; i < n; ++i) {
        const CArchiveReader::ObjectTag tag = ar.ReadObjectTag();
        if (tag.kind == CArchiveReader::ObjectTag::Null)
            continue;
        if (tag.className != className)
            throw CArchiveFormatError("an object of another class");
        if (tag.kind == CArchiveReader::ObjectTag::Reference) {
            const size_t cost = records.CopySizeOf(tag.nObjectIndex);
            if (cost > copyBudget)
                throw CArchiveFormatError("too many copies");
            copyBudget -= cost;
            records.AddCopy(tag.nObjectIndex);
            continue;
        }
        // A record of any other schema would leave its bytes unread.
        if (bStrictSchema && tag.schema != T::kSchema)
            throw CArchiveFormatError("unexpected schema");
        records.Read(ar, tag.nObjectIndex);
    }
}

// File order: tasks, projects, search engines.
template <class Tasks, class Projects, class Items>
void ReadDocument(CArchiveReader& ar, Tasks& tasks, Projects& projects, Items& items)
{
    size_t copyBudget = 4 * ar.Remaining() + 65536;
    ReadObjectArray<CRemindTask>(ar, tasks, true, copyBudget);
    const uint32_t nProjects = ar.ReadCount(1);
    projects.Reserve(nProjects);
    for (uint32_t i = 0; i < nProjects; ++i)
        projects.Read(ar);
    ReadObjectArray<CWebSearchItem>(ar, items, false, copyBudget);
}

} // namespace

void CNetbellDoc::Serialize(CArchiveReader& ar)
{
    CKeptCollection<CRemindTask> tasks(m_arrTasks);
    CKeptProjects projects(m_arrProjects);
    CKeptCollection<CWebSearchItem> items(m_arrSearchItems);
    ReadDocument(ar, tasks, projects, items);
}

std::vector<uint8_t> CNetbellDoc::SaveToBytes() const
{
    CArchiveWriter ar;
    Serialize(ar);
    return ar.Take();
}

const std::vector<uint8_t>& CNetbellDoc::SaveToBuffer()
{
    CArchiveWriter ar(std::move(m_saveBuffer));
    Serialize(ar);
    m_saveBuffer = ar.Take();
    return m_saveBuffer;
}

bool CNetbellDoc::LoadFromBytes(const uint8_t* data, size_t size)
{
    DeleteContents();
    try {
        CArchiveReader ar(data, size);
        Serialize(ar);
        if (!ar.AtEnd())
            throw CArchiveFormatError("bytes after the last collection");
        return true;
    } catch (const CArchiveFormatError&) {
        DeleteContents();
        return false;
    }
}

bool CNetbellDoc::CheckBytes(const uint8_t* data, size_t size)
{
    try {
        CArchiveReader ar(data, size);
        CCheckedCollection<CRemindTask> tasks;
        CCheckedProjects projects;
        CCheckedCollection<CWebSearchItem> items;
        ReadDocument(ar, tasks, projects, items);
        return ar.AtEnd();
    } catch (const CArchiveFormatError&) {
        return false;
    }
}

bool CNetbellDoc::CheckFile(const std::string& path)
{
    try {
        std::unique_ptr<IFileBytes> bytes;
        const FileError err = m_fs.ViewFile(path, bytes);
        if (err != FileError::none) {
            m_prompts.Error(FileErrorMessage(err, path));
            return false;
        }
        if (!CheckBytes(bytes->Data(), bytes->Size())) {
            m_prompts.Error(kMsgUnexpectedFormat);
            return false;
        }
    } catch (const std::bad_alloc&) {
        m_prompts.Error(kMsgFailedToOpen);
        return false;
    }
    return true;
}

bool CNetbellDoc::OnOpenDocument(const std::string& path, FileError* pReadError)
{
    DeleteContents();
    try {
        std::vector<uint8_t> data;
        const FileError err = m_fs.ReadFile(path, data);
        if (pReadError)
            *pReadError = err;
        if (err != FileError::none) {
            if (!pReadError)
                m_prompts.Error(FileErrorMessage(err, path));
            return false;
        }
        if (!LoadFromBytes(data.data(), data.size())) {
            m_prompts.Error(kMsgUnexpectedFormat);
            return false;
        }
    } catch (const std::bad_alloc&) {
        DeleteContents();
        // Out of memory is no fault of the file: the caller must not keep a
        // good file aside for it.
        if (pReadError)
            *pReadError = FileError::generic;
        else
            m_prompts.Error(kMsgFailedToOpen);
        return false;
    }
    SetPathName(path);
    return true;
}

FileError CNetbellDoc::SaveQuietly(const std::string& path)
{
    PurgeDeletedTasks();
    if (path.empty())
        return FileError::badPath;
    try {
        return m_fs.WriteReplacing(path, SaveToBuffer());
    } catch (const std::bad_alloc&) {
        return FileError::generic;
    }
}

bool CNetbellDoc::OnSaveDocument(const std::string& path)
{
    PurgeDeletedTasks();
    // The user was told once, at start-up, that nothing is being saved.
    if (path.empty())
        return false;
    FileError err;
    try {
        err = m_fs.WriteReplacing(path, SaveToBuffer());
    } catch (const std::bad_alloc&) {
        m_prompts.Error(kMsgFailedToSave);
        return false;
    }
    if (err != FileError::none) {
        const IFileSystem::StrandedCopies stranded = m_fs.LastStranded();
        std::string text = FileErrorMessage(err, path);
        // Neither file is under the data file's name: say where both are.
        if (!stranded.strNew.empty())
            text += "\n\nNeither copy could be put back in place. Your tasks are kept in:\n" + stranded.strNew +
                    " (with the latest changes)\n" + stranded.strOld + " (as they were before this save)\n" +
                    "Rename the one you want to keep to " + path + ".";
        m_prompts.Error(text);
        return false;
    }
    return true;
}

void CNetbellDoc::DeleteContents()
{
    m_arrTasks.clear();
    m_arrSearchItems.clear();
    m_arrProjects.clear();
}

void CNetbellDoc::PurgeDeletedTasks()
{
    // In place and in order; a save with nothing deleted moves nothing.
    m_arrTasks.erase(std::remove_if(m_arrTasks.begin(), m_arrTasks.end(),
                                    [](const std::unique_ptr<CRemindTask>& t) { return t->m_nStatus == statusDeleted; }),
                     m_arrTasks.end());
}

std::string NextCookieName(ISettingsStore& store)
{
    // Wide enough that a hand-edited maximum cannot overflow; numbers run
    // from 1 to 32000 only.
    long long nCookie = static_cast<long long>(ReadSetting(store, setting::LastCookieNumber)) + 1;
    if (nCookie > 32000 || nCookie < 1)
        nCookie = 1;
    WriteSetting(store, setting::LastCookieNumber, static_cast<int>(nCookie));
    char buf[32];
    std::snprintf(buf, sizeof buf, "NetbellCookie%li", static_cast<long>(nCookie));
    return buf;
}

bool RefusedUntilFileLoaded(const CNetbellDoc& doc, IPrompts& prompts)
{
    if (!doc.WaitingForFile().empty()) {
        prompts.Error("The data file is still in use by another program:\n" + doc.WaitingForFile() +
                      "\nNetbell loads it as soon as it is free; until then no task can be changed.");
        return true;
    }
    if (!doc.UnreadableFile().empty()) {
        // Nothing can be saved, so nothing is taken that would be lost.
        prompts.Error("The data file could not be read:\n" + doc.UnreadableFile() +
                      "\nNo task can be changed until Netbell can read it: close any program that uses it, check "
                      "that its folder can be reached, and start Netbell again.");
        return true;
    }
    return false;
}

namespace {

bool IsWholeDocument(IFileSystem& fs, const std::string& path)
{
    try {
        std::unique_ptr<IFileBytes> bytes;
        return fs.ViewFile(path, bytes) == FileError::none &&
               CNetbellDoc::CheckBytes(bytes->Data(), bytes->Size());
    } catch (const std::bad_alloc&) {
        return false;
    }
}

} // namespace

bool RecoverUnfinishedSave(IFileSystem& fs, IPrompts& prompts, const std::string& path)
{
    if (path.empty())
        return false;
    std::vector<std::string> leftovers = fs.Leftovers(path);
    if (leftovers.empty())
        return false;
    const FilePresence presence = fs.Presence(path);
    if (presence == FilePresence::unknown)
        return false;
    std::string restored;
    if (presence == FilePresence::absent) {
        // Newest first: the save's new copy, whole only once it was flushed,
        // before the old file it had put aside.
        for (const std::string& leftover : leftovers) {
            if (IsWholeDocument(fs, leftover) && fs.RenameFile(leftover, path)) {
                restored = leftover;
                break;
            }
        }
        if (restored.empty())
            return false;
    } else if (!IsWholeDocument(fs, path)) {
        return false;
    }
    // The data file is whole: what is left holds no more than a save that
    // never finished.
    for (const std::string& leftover : leftovers) {
        if (leftover != restored)
            fs.RemoveFile(leftover);
    }
    if (restored.empty())
        return false;
    prompts.Error("The last save of your tasks was cut short: the computer stopped while it was being written.\n"
                  "Netbell has put back the whole copy that save had made, as:\n" + path);
    return true;
}
