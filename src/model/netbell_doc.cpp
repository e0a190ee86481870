#include "model/netbell_doc.h"

#include <cstdio>
#include <map>
#include <new>

#include "base/prompts.h"
#include "base/settings.h"
#include "model/file_system.h"

void CWebSearchItem::Serialize(CArchiveWriter& ar) const
{
    ar.WriteString(m_strName);
    ar.WriteString(m_strUrl);
}

void CWebSearchItem::Serialize(CArchiveReader& ar)
{
    m_strName = ar.ReadString();
    m_strUrl = ar.ReadString();
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

size_t CopySize(const CRemindTask& t)
{
    return 64 + t.m_strName.size() + t.m_strDescription.size() + t.m_strUrl.size() + t.m_strBillingInfo.size() +
           t.m_strProject.size() + t.m_strAssignTo.size() + t.m_strWebName.size() + t.m_strWebUrl.size() +
           t.m_strLinkedTo.size() + t.m_strPageUrl.size() + t.m_strCookie.size();
}

size_t CopySize(const CWebSearchItem& item)
{
    return 16 + item.m_strName.size() + item.m_strUrl.size();
}

// Reads one object collection whose elements must all be of class T. A
// reference to an object read before becomes a copy of it, so that every
// record has exactly one owner; a null element holds nothing and is dropped.
// A reference costs two bytes but copies a whole record, so the copies share
// a budget in proportion to the file: a crafted file cannot take memory
// out of all proportion to its size.
template <class T>
void ReadObjectArray(CArchiveReader& ar, std::vector<std::unique_ptr<T>>& arr, std::map<uint32_t, const T*>& seen,
                     bool bStrictSchema, size_t& copyBudget)
{
    const uint32_t n = ar.ReadCount(kMinObjectBytes);
    arr.reserve(n);
    for (uint32_t i = 0; i < n; ++i) {
        const CArchiveReader::ObjectTag tag = ar.ReadObjectTag();
        if (tag.kind == CArchiveReader::ObjectTag::Null)
            continue;
        if (tag.className != T::kClassName)
            throw CArchiveFormatError("an object of another class");
        if (tag.kind == CArchiveReader::ObjectTag::Reference) {
            auto it = seen.find(tag.nObjectIndex);
            if (it == seen.end())
                throw CArchiveFormatError("a reference to an object not read");
            const size_t cost = CopySize(*it->second);
            if (cost > copyBudget)
                throw CArchiveFormatError("too many copies");
            copyBudget -= cost;
            arr.push_back(std::make_unique<T>(*it->second));
            continue;
        }
        // A record of any other schema would leave its bytes unread.
        if (bStrictSchema && tag.schema != T::kSchema)
            throw CArchiveFormatError("unexpected schema");
        auto obj = std::make_unique<T>();
        obj->Serialize(ar);
        seen[tag.nObjectIndex] = obj.get();
        arr.push_back(std::move(obj));
    }
}

} // namespace

void CNetbellDoc::Serialize(CArchiveReader& ar)
{
    std::map<uint32_t, const CRemindTask*> seenTasks;
    std::map<uint32_t, const CWebSearchItem*> seenItems;
    size_t copyBudget = 4 * ar.Remaining() + 65536;
    ReadObjectArray(ar, m_arrTasks, seenTasks, true, copyBudget);
    const uint32_t nProjects = ar.ReadCount(1);
    m_arrProjects.reserve(nProjects);
    for (uint32_t i = 0; i < nProjects; ++i)
        m_arrProjects.push_back(ar.ReadString());
    ReadObjectArray(ar, m_arrSearchItems, seenItems, false, copyBudget);
}

std::vector<uint8_t> CNetbellDoc::SaveToBytes() const
{
    CArchiveWriter ar;
    Serialize(ar);
    return ar.Take();
}

bool CNetbellDoc::LoadFromBytes(const uint8_t* data, size_t size, WideToAnsiFn wideToAnsi)
{
    DeleteContents();
    try {
        CArchiveReader ar(data, size, wideToAnsi);
        Serialize(ar);
        if (!ar.AtEnd())
            throw CArchiveFormatError("bytes after the last collection");
        return true;
    } catch (const CArchiveFormatError&) {
        DeleteContents();
        return false;
    }
}

bool CNetbellDoc::OnOpenDocument(const std::string& path, const std::function<bool(FileError)>& readAgain)
{
    DeleteContents();
    try {
        std::vector<uint8_t> data;
        FileError err = m_fs.ReadFile(path, data);
        while (err != FileError::none && readAgain && readAgain(err))
            err = m_fs.ReadFile(path, data);
        if (err != FileError::none) {
            m_prompts.Error(FileErrorMessage(err, path));
            return false;
        }
        if (!LoadFromBytes(data.data(), data.size(), m_wideToAnsi)) {
            m_prompts.Error(kMsgUnexpectedFormat);
            return false;
        }
    } catch (const std::bad_alloc&) {
        DeleteContents();
        m_prompts.Error(kMsgFailedToOpen);
        return false;
    }
    SetPathName(path);
    return true;
}

bool CNetbellDoc::OnSaveDocument(const std::string& path)
{
    PurgeDeletedTasks();
    // The user was told once, at start-up, that nothing is being saved.
    if (path.empty())
        return false;
    FileError err;
    try {
        err = m_fs.WriteReplacing(path, SaveToBytes());
    } catch (const std::bad_alloc&) {
        m_prompts.Error(kMsgFailedToSave);
        return false;
    }
    if (err != FileError::none) {
        m_prompts.Error(FileErrorMessage(err, path));
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
    std::vector<std::unique_ptr<CRemindTask>> temp;
    temp.swap(m_arrTasks);
    m_arrTasks.reserve(temp.size());
    for (auto& task : temp) {
        if (task->m_nStatus != statusDeleted)
            m_arrTasks.push_back(std::move(task));
    }
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
