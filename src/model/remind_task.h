#pragma once
// One online task: the program's central record.

#include <cstdint>
#include <string>

class CArchiveReader;
class CArchiveWriter;

// An OLE Automation date: a status word and days since 30 December 1899.
struct COleDateTime {
    enum Status : int32_t { valid = 0, invalid = 1, null = 2 };
    int32_t m_status = valid;
    double m_dt = 0.0;

    bool operator==(const COleDateTime& o) const;
};

enum TaskStatus : uint32_t { statusOpen = 0, statusDone = 1, statusDeleted = 2 };
enum TaskKind : uint32_t {
    kindBrowse = 0,
    kindNote = 1,
    kindFrontPage = 2,
    kindSearch = 3,
    kindEMail = 4,
    kindNewsgroup = 5,
};
enum TaskPriority : int32_t { priorityHigh = 0, priorityMedium = 1, priorityLow = 2 };

class CRemindTask {
public:
    static constexpr const char* kClassName = "CRemindTask";
    static constexpr uint16_t kSchema = 256;

    uint32_t m_nStatus = statusOpen;
    uint32_t m_nKind = kindBrowse;
    std::string m_strName;
    std::string m_strDescription;
    std::string m_strUrl;
    int32_t m_nPriority = priorityMedium;
    std::string m_strBillingInfo;
    std::string m_strProject;
    std::string m_strAssignTo;
    COleDateTime m_dtAdded;
    std::string m_strWebName;
    std::string m_strWebUrl;
    std::string m_strLinkedTo;
    std::string m_strPageUrl;
    std::string m_strCookie;

    void Serialize(CArchiveWriter& ar) const;
    // Reads the fields only for the schema this program writes; the caller
    // rejects any other schema before the record is asked to read.
    void Serialize(CArchiveReader& ar);

    // The fields in file order: the one list that writing, reading and
    // checking a record walk.
    template <class Record, class Fields>
    static void VisitFields(Record& t, Fields& f)
    {
        f(t.m_nStatus);
        f(t.m_nKind);
        f(t.m_strName);
        f(t.m_strDescription);
        f(t.m_strUrl);
        f(t.m_nPriority);
        f(t.m_strBillingInfo);
        f(t.m_strProject);
        f(t.m_strAssignTo);
        f(t.m_dtAdded.m_status);
        f(t.m_dtAdded.m_dt);
        f(t.m_strWebName);
        f(t.m_strWebUrl);
        f(t.m_strLinkedTo);
        f(t.m_strPageUrl);
        f(t.m_strCookie);
    }

    std::string GetPriorityName() const;
    int GetIconId() const;
    int GetImageIndex() const;

    bool operator==(const CRemindTask& o) const;
};

std::string GetKindName(uint32_t nKind);
int GetKindIconId(uint32_t nKind);
