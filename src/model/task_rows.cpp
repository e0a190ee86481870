#include "model/task_rows.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <utility>

#include "base/text.h"
#include "model/netbell_doc.h"

namespace {


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

// Tasks added less than a whole day apart sort as equal.
int CompareDays(double a, double b)
{
    const double span = a - b;
    if (!std::isfinite(span))
        return 0;
    const double days = std::trunc(span);
    return days == 0 ? 0 : (days < 0 ? -1 : 1);
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
    static const char kMonths[] = "JanFebMarAprMayJunJulAugSepOctNovDec";
    // By hand rather than through printf, as a fill formats every row's.
    char buf[16];
    char* p = buf;
    *p++ = static_cast<char>('0' + d / 10);
    *p++ = static_cast<char>('0' + d % 10);
    *p++ = ' ';
    std::memcpy(p, kMonths + 3 * (m - 1), 3);
    p += 3;
    *p++ = ' ';
    if (y >= 1000)
        *p++ = static_cast<char>('0' + y / 1000);
    *p++ = static_cast<char>('0' + y / 100 % 10);
    *p++ = static_cast<char>('0' + y / 10 % 10);
    *p++ = static_cast<char>('0' + y % 10);
    return std::string(buf, p);
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

namespace {

void SetTaskRow(TaskRow& row, const CRemindTask& task, size_t nTaskIndex)
{
    row.nTaskIndex = nTaskIndex;
    row.nImage = task.GetImageIndex();
    row.nState = task.m_nStatus == statusDone ? kStateDone : kStateNotDone;
    for (int c = 0; c < kTaskColumnCount; ++c) {
        if (c == colName || c == colDescription)
            row.cells[c] = CutChars(TextOf(task, c), kFillCut);
        else
            row.cells[c] = TaskCellText(task, c);
    }
}

} // namespace

TaskRow MakeTaskRow(const CRemindTask& task, size_t nTaskIndex)
{
    TaskRow row;
    SetTaskRow(row, task, nTaskIndex);
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
    case colDateAdded: return CompareDays(a.m_dtAdded.m_dt, b.m_dtAdded.m_dt);
    default:
        return CompareNoCase(TextOf(a, nColumn), TextOf(b, nColumn));
    }
}

CTaskSortKeys::CTaskSortKeys(const CNetbellDoc& doc, int nColumn, bool bDescending) : m_bDescending(bDescending)
{
    const auto& tasks = doc.m_arrTasks;
    switch (nColumn) {
    case colType:
    case colPriority:
        m_kind = number;
        m_keys.reserve(tasks.size());
        for (const auto& t : tasks) {
            // A signed priority keeps its order as an unsigned number with
            // the sign bit turned over.
            const uint32_t n = nColumn == colType ? t->m_nKind : static_cast<uint32_t>(t->m_nPriority) ^ 0x80000000u;
            m_keys.push_back(Key{n, 0, 0});
        }
        break;
    case colDateAdded:
        m_kind = date;
        m_dates.reserve(tasks.size());
        for (const auto& t : tasks)
            m_dates.push_back(t->m_dtAdded.m_dt);
        break;
    default: {
        m_kind = text;
        const ICollation& collation = ProcessCollation();
        size_t nTotal = 0;
        for (const auto& t : tasks)
            nTotal += TextOf(*t, nColumn).size();
        m_folded.reserve(nTotal);
        m_keys.reserve(tasks.size());
        for (const auto& t : tasks) {
            const size_t nOffset = m_folded.size();
            collation.AppendSortKey(TextOf(*t, nColumn), m_folded);
            Key key{0, nOffset, m_folded.size() - nOffset};
            for (size_t i = 0; i < 8; ++i) {
                key.nLead <<= 8;
                if (i < key.nLength)
                    key.nLead |= static_cast<unsigned char>(m_folded[nOffset + i]);
            }
            m_keys.push_back(key);
        }
        break;
    }
    }
}

int CTaskSortKeys::CompareTexts(const Key& a, const Key& b) const
{
    // Leads that differ differ where the folded texts first do, or where the
    // shorter one ends; equal leads say the texts agree as far as they reach.
    if (a.nLead != b.nLead)
        return a.nLead < b.nLead ? -1 : 1;
    const size_t n = std::min(a.nLength, b.nLength);
    const size_t nSame = std::min<size_t>(n, 8);
    const int c = std::memcmp(m_folded.data() + a.nOffset + nSame, m_folded.data() + b.nOffset + nSame, n - nSame);
    if (c != 0)
        return c;
    return a.nLength < b.nLength ? -1 : (a.nLength > b.nLength ? 1 : 0);
}

int CTaskSortKeys::Compare(size_t nTaskA, size_t nTaskB) const
{
    if (m_bDescending)
        std::swap(nTaskA, nTaskB);
    switch (m_kind) {
    case number: {
        const uint64_t a = m_keys[nTaskA].nLead;
        const uint64_t b = m_keys[nTaskB].nLead;
        return a == b ? 0 : (a < b ? -1 : 1);
    }
    case date: return CompareDays(m_dates[nTaskA], m_dates[nTaskB]);
    default: return CompareTexts(m_keys[nTaskA], m_keys[nTaskB]);
    }
}

namespace {

// Sorts the rows with each one's key beside it, so that a comparison reads
// neighbouring memory rather than two places in a table the size of the
// document. Compare(a, b) is negative when a goes first.
template <class K, class Compare>
void SortWithKeys(std::vector<size_t>& rows, const std::vector<K>& keys, Compare compare)
{
    std::vector<std::pair<K, size_t>> entries;
    entries.reserve(rows.size());
    for (size_t nTask : rows)
        entries.emplace_back(keys[nTask], nTask);
    std::stable_sort(entries.begin(), entries.end(),
                     [&](const std::pair<K, size_t>& a, const std::pair<K, size_t>& b) {
                         return compare(a.first, b.first) < 0;
                     });
    for (size_t i = 0; i < rows.size(); ++i)
        rows[i] = entries[i].second;
}

} // namespace

void CTaskSortKeys::Sort(std::vector<size_t>& rows) const
{
    const bool bSwap = m_bDescending;
    switch (m_kind) {
    case number: {
        // Kinds and priorities take a handful of values: such rows are
        // dealt into one bucket per value, in order, with no comparisons.
        uint64_t nMin = UINT64_MAX, nMax = 0;
        for (size_t nTask : rows) {
            nMin = std::min(nMin, m_keys[nTask].nLead);
            nMax = std::max(nMax, m_keys[nTask].nLead);
        }
        constexpr uint64_t kMaxBuckets = 4096;
        if (!rows.empty() && nMax - nMin < kMaxBuckets) {
            const size_t nBuckets = static_cast<size_t>(nMax - nMin) + 1;
            const auto bucket = [&](size_t nTask) {
                const size_t b = static_cast<size_t>(m_keys[nTask].nLead - nMin);
                return bSwap ? nBuckets - 1 - b : b;
            };
            std::vector<size_t> starts(nBuckets + 1, 0);
            for (size_t nTask : rows)
                ++starts[bucket(nTask) + 1];
            for (size_t b = 1; b <= nBuckets; ++b)
                starts[b] += starts[b - 1];
            std::vector<size_t> sorted(rows.size());
            for (size_t nTask : rows)
                sorted[starts[bucket(nTask)]++] = nTask;
            rows.swap(sorted);
            break;
        }
        SortWithKeys(rows, m_keys, [bSwap](const Key& a, const Key& b) {
            const uint64_t x = bSwap ? b.nLead : a.nLead;
            const uint64_t y = bSwap ? a.nLead : b.nLead;
            return x == y ? 0 : (x < y ? -1 : 1);
        });
        break;
    }
    case date:
        SortWithKeys(rows, m_dates,
                     [bSwap](double a, double b) { return bSwap ? CompareDays(b, a) : CompareDays(a, b); });
        break;
    default:
        SortWithKeys(rows, m_keys, [this, bSwap](const Key& a, const Key& b) {
            return bSwap ? CompareTexts(b, a) : CompareTexts(a, b);
        });
        break;
    }
}

void SortRows(const CNetbellDoc& doc, std::vector<size_t>& rows, int nSortColumn, bool bDescending)
{
    CTaskSortKeys(doc, nSortColumn, bDescending).Sort(rows);
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

std::vector<TaskRow> FillRows(const CNetbellDoc& doc, int nSortColumn, bool bDescending)
{
    const std::vector<size_t> order = FillOrder(doc, nSortColumn, bDescending);
    // Each task's row goes straight to its place, but the tasks are read in
    // the array's order, one after another in memory, not in the list's.
    constexpr size_t kHidden = static_cast<size_t>(-1);
    std::vector<size_t> place(doc.m_arrTasks.size(), kHidden);
    for (size_t nRow = 0; nRow < order.size(); ++nRow)
        place[order[nRow]] = nRow;
    std::vector<TaskRow> rows(order.size());
    for (size_t i = 0; i < place.size(); ++i) {
        if (place[i] != kHidden)
            SetTaskRow(rows[place[i]], *doc.m_arrTasks[i], i);
    }
    return rows;
}
