#include "model/remind_task.h"

#include <cstring>

#include "model/archive.h"

bool COleDateTime::operator==(const COleDateTime& o) const
{
    // Compared bit for bit: a date read back must be the very same double.
    return m_status == o.m_status && std::memcmp(&m_dt, &o.m_dt, sizeof m_dt) == 0;
}

void CRemindTask::Serialize(CArchiveWriter& ar) const
{
    WriteFields(ar, *this);
}

void CRemindTask::Serialize(CArchiveReader& ar)
{
    CFieldReader fields{ar};
    VisitFields(*this, fields);
}

bool CRemindTask::operator==(const CRemindTask& o) const
{
    return m_nStatus == o.m_nStatus && m_nKind == o.m_nKind && m_strName == o.m_strName &&
           m_strDescription == o.m_strDescription && m_strUrl == o.m_strUrl && m_nPriority == o.m_nPriority &&
           m_strBillingInfo == o.m_strBillingInfo && m_strProject == o.m_strProject &&
           m_strAssignTo == o.m_strAssignTo && m_dtAdded == o.m_dtAdded && m_strWebName == o.m_strWebName &&
           m_strWebUrl == o.m_strWebUrl && m_strLinkedTo == o.m_strLinkedTo && m_strPageUrl == o.m_strPageUrl &&
           m_strCookie == o.m_strCookie;
}

std::string GetKindName(uint32_t nKind)
{
    switch (nKind) {
    case kindBrowse: return "Browse";
    case kindNote: return "Note";
    case kindFrontPage: return "FrontPage";
    case kindSearch: return "Search";
    case kindEMail: return "E-Mail";
    case kindNewsgroup: return "Newsgroup";
    default: return "Switch Error";
    }
}

std::string CRemindTask::GetPriorityName() const
{
    switch (m_nPriority) {
    case priorityHigh: return "High";
    case priorityMedium: return "Medium";
    case priorityLow: return "Low";
    default: return "Error";
    }
}

namespace {

struct KindIcons {
    int nOpenIcon;
    int nDoneIcon;
    int nOpenImage;
    int nDoneImage;
};

// Indexed by kind code.
constexpr KindIcons kKindIcons[] = {
    {144, 149, 2, 5},   // Browse
    {148, 150, 3, 6},   // Note
    {169, 159, 4, 9},   // FrontPage
    {157, 158, 7, 8},   // Search
    {179, 186, 10, 11}, // E-Mail
    {178, 183, 12, 13}, // Newsgroup
};

const KindIcons* FindKindIcons(uint32_t nKind)
{
    return nKind < sizeof kKindIcons / sizeof kKindIcons[0] ? &kKindIcons[nKind] : nullptr;
}

} // namespace

int CRemindTask::GetIconId() const
{
    const KindIcons* k = FindKindIcons(m_nKind);
    if (!k)
        return 0;
    return m_nStatus == statusDone ? k->nDoneIcon : k->nOpenIcon;
}

int CRemindTask::GetImageIndex() const
{
    const KindIcons* k = FindKindIcons(m_nKind);
    if (!k)
        return 0;
    return m_nStatus == statusDone ? k->nDoneImage : k->nOpenImage;
}

int GetKindIconId(uint32_t nKind)
{
    const KindIcons* k = FindKindIcons(nKind);
    return k ? k->nOpenIcon : 0;
}
