#include "model/netbell_doc.h"

#include <cstdio>
#include <map>
#include <new>

#include "app/prompts.h"
#include "app/settings.h"
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

// Reads one object collection whose elements must all be of class T. A
// reference to an object read before becomes a copy of it, so that every
// record has exactly one owner; a null element holds nothing and is dropped.
template <class T>
void ReadObjectArray(CArchiveReader& ar, std::vector<std::unique_ptr<T>>& arr, std::map<uint32_t, const T*>& seen,
                     bool bStrictSchema)
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
    ReadObjectArray(ar, m_arrTasks, seenTasks, true);
    const uint32_t nProjects = ar.ReadCount(1);
    m_arrProjects.reserve(nProjects);
    for (uint32_t i = 0; i < nProjects; ++i)
        m_arrProjects.push_back(ar.ReadString());
    ReadObjectArray(ar, m_arrSearchItems, seenItems, false);
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

bool CNetbellDoc::OnOpenDocument(const std::string& path)
{
    DeleteContents();
    try {
        std::vector<uint8_t> data;
        const FileError err = m_fs.ReadFile(path, data);
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
    FileError err;
    try {
        err = m_fs.ReplaceFile(path, SaveToBytes());
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
    long nCookie = ReadSetting(store, setting::LastCookieNumber) + 1L;
    if (nCookie > 32000 || nCookie < 1)
        nCookie = 1;
    WriteSetting(store, setting::LastCookieNumber, static_cast<int>(nCookie));
    char buf[32];
    std::snprintf(buf, sizeof buf, "NetbellCookie%li", nCookie);
    return buf;
}
