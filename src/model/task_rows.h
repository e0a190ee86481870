#pragma once
// What the task list shows for a task, and the order of its rows.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "model/remind_task.h"

class CNetbellDoc;

enum TaskColumn {
    colType,
    colPriority,
    colName,
    colDescription,
    colUrl,
    colProject,
    colAssignTo,
    colBillingInfo,
    colDateAdded,
    kTaskColumnCount
};

// State images of the check box column.
inline constexpr int kStateNotDone = 1;
inline constexpr int kStateDone = 2;

struct TaskRow {
    size_t nTaskIndex = 0; // the task's index in the document's array
    int nImage = 0;
    int nState = kStateNotDone;
    std::array<std::string, kTaskColumnCount> cells;
};

// Names and descriptions are cut when a row is filled, not when a command
// rewrites a row's cells.
inline constexpr size_t kFillCut = 40;

TaskRow MakeTaskRow(const CRemindTask& task, size_t nTaskIndex);
// The text of one cell, in full.
std::string TaskCellText(const CRemindTask& task, int nColumn);

// "%d %b %Y": two-digit day, English month abbreviation, four-digit year.
// A null or invalid date, or one outside the years 100 to 9999, shows empty.
std::string FormatDateAdded(const COleDateTime& dt);
// The local time as an OLE date, to the second.
COleDateTime MakeOleDate(int year, int month, int day, int hour, int minute, int second);

// The comparison of two rows under a column; with bDescending the tasks
// change places. Negative, zero or positive.
int CompareTasks(const CRemindTask& a, const CRemindTask& b, int nColumn, bool bDescending);

// What a column sorts the tasks by, worked out once for every task of the
// document, so that a comparison reads two small keys instead of the tasks:
// the same answers as CompareTasks, by task index.
class CTaskSortKeys {
public:
    CTaskSortKeys(const CNetbellDoc& doc, int nColumn, bool bDescending);
    int Compare(size_t nTaskA, size_t nTaskB) const;
    bool Less(size_t nTaskA, size_t nTaskB) const { return Compare(nTaskA, nTaskB) < 0; }
    // A stable sort of rows given by their task indexes.
    void Sort(std::vector<size_t>& rows) const;

private:
    // A number, or the first eight bytes of a text's sort key, so that it
    // compares as an unsigned number; the whole key lies in one block of all
    // the texts' keys.
    struct Key {
        uint64_t nLead;
        size_t nOffset;
        size_t nLength;
    };
    int CompareTexts(const Key& a, const Key& b) const;

    enum Kind { number, text, date } m_kind;
    bool m_bDescending;
    std::vector<Key> m_keys;     // for numbers and texts
    std::vector<double> m_dates; // for dates
    std::string m_folded;
};

// The rows of a full refill, top to bottom: every task that is not deleted,
// in reverse array order (each was inserted at the top), then sorted by the
// column. Rows that compare equal keep the reverse array order.
std::vector<size_t> FillOrder(const CNetbellDoc& doc, int nSortColumn, bool bDescending);
// The same rows with their cells, ready for the list.
std::vector<TaskRow> FillRows(const CNetbellDoc& doc, int nSortColumn, bool bDescending);
// Sorts rows given by their task indexes, as a column click does.
void SortRows(const CNetbellDoc& doc, std::vector<size_t>& rows, int nSortColumn, bool bDescending);

// The list control as the commands see it. Rows are numbered from the top.
class ITaskListControl {
public:
    virtual ~ITaskListControl() = default;
    virtual std::vector<int> GetSelectedRows() = 0; // top to bottom
    virtual size_t GetRowTask(int nRow) = 0;
    virtual void InsertRowAtTop(const TaskRow& row) = 0;
    virtual void SetCellText(int nRow, int nColumn, const std::string& text) = 0;
    virtual void SetTypeCell(int nRow, const std::string& text, int nImage) = 0;
    virtual int GetStateImage(int nRow) = 0;
    virtual void SetStateImage(int nRow, int nState) = 0;
    // Replaces every row with these, top to bottom; the control may keep them.
    virtual void ReplaceAllRows(std::vector<TaskRow> rows) = 0;
    // Has the control sort its rows with CompareTasks.
    virtual void SortRows(int nColumn, bool bDescending) = 0;
};

// The local time, for the date a task is added.
class IClock {
public:
    virtual ~IClock() = default;
    virtual COleDateTime Now() = 0; // local time, to the second
};
