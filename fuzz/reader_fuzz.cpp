// Fuzz target for the data file reader. Any input may be refused, but none
// may crash, leak or read past its end; the check that keeps nothing must
// refuse exactly what the reader refuses; and whatever is accepted must save
// to bytes that load back to the same document and save to the same bytes
// again, or the program would change a file just by opening and saving it.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "base/prompts.h"
#include "model/file_system.h"
#include "model/netbell_doc.h"
#include "fuzz_support.h"

namespace {

// Field by field, the date's double bit for bit: a NaN read must be the NaN
// written, whatever its payload.
bool SameTask(const CRemindTask& a, const CRemindTask& b)
{
    return a.m_nStatus == b.m_nStatus && a.m_nKind == b.m_nKind && a.m_strName == b.m_strName &&
           a.m_strDescription == b.m_strDescription && a.m_strUrl == b.m_strUrl && a.m_nPriority == b.m_nPriority &&
           a.m_strBillingInfo == b.m_strBillingInfo && a.m_strProject == b.m_strProject &&
           a.m_strAssignTo == b.m_strAssignTo && a.m_dtAdded.m_status == b.m_dtAdded.m_status &&
           std::memcmp(&a.m_dtAdded.m_dt, &b.m_dtAdded.m_dt, sizeof(double)) == 0 &&
           a.m_strWebName == b.m_strWebName && a.m_strWebUrl == b.m_strWebUrl && a.m_strLinkedTo == b.m_strLinkedTo &&
           a.m_strPageUrl == b.m_strPageUrl && a.m_strCookie == b.m_strCookie;
}

void RequireSameDocument(const CNetbellDoc& a, const CNetbellDoc& b)
{
    Require(a.m_arrTasks.size() == b.m_arrTasks.size());
    for (size_t i = 0; i < a.m_arrTasks.size(); ++i) {
        Require(SameTask(*a.m_arrTasks[i], *b.m_arrTasks[i]));
        // The record's own comparison must agree.
        Require(*a.m_arrTasks[i] == *b.m_arrTasks[i]);
    }
    Require(a.m_arrProjects == b.m_arrProjects);
    Require(a.m_arrSearchItems.size() == b.m_arrSearchItems.size());
    for (size_t i = 0; i < a.m_arrSearchItems.size(); ++i) {
        Require(a.m_arrSearchItems[i]->m_strName == b.m_arrSearchItems[i]->m_strName);
        Require(a.m_arrSearchItems[i]->m_strUrl == b.m_arrSearchItems[i]->m_strUrl);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CNoFiles files;
    CNoPrompts prompts;

    CNetbellDoc first(files, prompts);
    const bool bAccepted = first.LoadFromBytes(data, size);
    // The check that keeps nothing must give the very same verdict.
    Require(CNetbellDoc::CheckBytes(data, size) == bAccepted);
    if (!bAccepted) {
        // A refused file leaves nothing behind.
        Require(first.m_arrTasks.empty() && first.m_arrProjects.empty() && first.m_arrSearchItems.empty());
        return 0;
    }

    const std::vector<uint8_t> saved = first.SaveToBytes();
    CNetbellDoc second(files, prompts);
    Require(second.LoadFromBytes(saved.data(), saved.size()));
    RequireSameDocument(first, second);
    Require(second.SaveToBytes() == saved);
    return 0;
}
