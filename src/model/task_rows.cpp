#include "model/task_rows.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "model/netbell_doc.h"

namespace {

std::string Cut(const std::string& s)
{
    return s.size() > kFillCut ? s.substr(0, kFillCut) : s;
}

// Days since 1 March of year 0 in the proleptic Gregorian calendar, and back.
long long DaysFromCivil(long long y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

void CivilFromDays(long long z, long long& y, unsigned& m, unsigned& d)
{
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    y = static_cast<long long>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = doy - (153 * mp + 2) / 5 + 1;
    m = mp < 10 ? mp + 3 : mp - 9;
    y += m <= 2;
}

// 30 December 1899, day 0 of OLE dates, counted from 1 January 1970.
const long long kOleEpoch = DaysFromCivil(1899, 12, 30);

// Lower case of every Windows-1252 byte: ASCII, the accented capitals
// 0xC0-0xDE (but the multiplication sign) and the four capitals of 0x80-0x9F.
struct CaseFold {
    unsigned char lower[256];
    constexpr CaseFold() : lower()
    {
        for (int c = 0; c < 256; ++c)
            lower[c] = static_cast<unsigned char>(c);
        for (int c = 'A'; c <= 'Z'; ++c)
            lower[c] = static_cast<unsigned char>(c + 0x20);
        for (int c = 0xC0; c <= 0xDE; ++c) {
            if (c != 0xD7)
                lower[c] = static_cast<unsigned char>(c + 0x20);
        }
        lower[0x8A] = 0x9A; // S caron
        lower[0x8C] = 0x9C; // OE
        lower[0x8E] = 0x9E; // Z caron
        lower[0x9F] = 0xFF; // Y diaeresis
    }
};
constexpr CaseFold kFold;

int CompareNoCase(const std::string& a, const std::string& b)
{
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const int ca = kFold.lower[static_cast<unsigned char>(a[i])];
        const int cb = kFold.lower[static_cast<unsigned char>(b[i])];
        if (ca != cb)
            return ca - cb;
    }
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

const std::string& TextOf(const CRemindTask& t, int nColumn)
{
    switch (nColumn) {
    case colName: return t.m_strName;
    case colDescription: return t.m_strDescription;
    case colUrl: return t.m_strUrl;
    case colProject: return t.m_strProject;
    case colAssignTo: return t.m_strAssignTo;
    default: return t.m_strBillingInfo;
    }
}

} // namespace

COleDateTime MakeOleDate(int year, int month, int day, int hour, int minute, int second)
{
    COleDateTime dt;
    const double days = static_cast<double>(DaysFromCivil(year, month, day) - kOleEpoch);
    const double time = (hour * 3600 + minute * 60 + second) / 86400.0;
    // Before day 0 the fraction still counts forward from midnight.
    dt.m_dt = days >= 0 ? days + time : days - time;
    return dt;
}

std::string FormatDateAdded(const COleDateTime& dt)
{
    if (dt.m_status != COleDateTime::valid || !std::isfinite(dt.m_dt) || std::fabs(dt.m_dt) > 3000000.0)
        return std::string();
    long long y;
    unsigned m, d;
    CivilFromDays(static_cast<long long>(std::trunc(dt.m_dt)) + kOleEpoch, y, m, d);
    if (y < 100 || y > 9999)
        return std::string();
    static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02u %s %lld", d, kMonths[m - 1], y);
    return buf;
}

std::string TaskCellText(const CRemindTask& task, int nColumn)
{
    switch (nColumn) {
    case colType: return GetKindName(task.m_nKind);
    case colPriority: return task.GetPriorityName();
    case colDateAdded: return FormatDateAdded(task.m_dtAdded);
    default: return TextOf(task, nColumn);
    }
}

TaskRow MakeTaskRow(const CRemindTask& task, size_t nTaskIndex)
{
    TaskRow row;
    row.nTaskIndex = nTaskIndex;
    row.nImage = task.GetImageIndex();
    row.nState = task.m_nStatus == statusDone ? kStateDone : kStateNotDone;
    for (int c = 0; c < kTaskColumnCount; ++c)
        row.cells[c] = TaskCellText(task, c);
    row.cells[colName] = Cut(task.m_strName);
    row.cells[colDescription] = Cut(task.m_strDescription);
    return row;
}

int CompareTasks(const CRemindTask& a0, const CRemindTask& b0, int nColumn, bool bDescending)
{
    const CRemindTask& a = bDescending ? b0 : a0;
    const CRemindTask& b = bDescending ? a0 : b0;
    switch (nColumn) {
    case colType:
        return a.m_nKind == b.m_nKind ? 0 : (a.m_nKind < b.m_nKind ? -1 : 1);
    case colPriority:
        return a.m_nPriority == b.m_nPriority ? 0 : (a.m_nPriority < b.m_nPriority ? -1 : 1);
    case colDateAdded: {
        const double span = a.m_dtAdded.m_dt - b.m_dtAdded.m_dt;
        if (!std::isfinite(span))
            return 0;
        const double days = std::trunc(span);
        return days == 0 ? 0 : (days < 0 ? -1 : 1);
    }
    default:
        return CompareNoCase(TextOf(a, nColumn), TextOf(b, nColumn));
    }
}

void SortRows(const CNetbellDoc& doc, std::vector<size_t>& rows, int nSortColumn, bool bDescending)
{
    std::stable_sort(rows.begin(), rows.end(), [&](size_t x, size_t y) {
        return CompareTasks(*doc.m_arrTasks[x], *doc.m_arrTasks[y], nSortColumn, bDescending) < 0;
    });
}

std::vector<size_t> FillOrder(const CNetbellDoc& doc, int nSortColumn, bool bDescending)
{
    std::vector<size_t> rows;
    rows.reserve(doc.m_arrTasks.size());
    for (size_t i = doc.m_arrTasks.size(); i-- > 0;) {
        if (doc.m_arrTasks[i]->m_nStatus != statusDeleted)
            rows.push_back(i);
    }
    SortRows(doc, rows, nSortColumn, bDescending);
    return rows;
}
