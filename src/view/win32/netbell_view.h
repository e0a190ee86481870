#pragma once
// The task list: the frame's client, a report-style list-view control that
// shows the document's tasks and runs the task commands.

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/win32/prompts_win32.h"
#include "view/drop_logic.h"
#include "view/task_commands.h"
#include "view/win32/drop_target.h"

class CDialogGuard;
class CNetbellDoc;
class ISettingsStore;

// What the view uses of the application.
struct ViewPorts {
    HINSTANCE hInstance;
    CNetbellDoc& doc;
    ISettingsStore& settings;
    CWin32Prompts& prompts;
    CDialogGuard& guard;
};

class CNetbellView : public ITaskListControl, public IShellOpen, public IClock, private IDropTaskSink {
public:
    explicit CNetbellView(const ViewPorts& ports);
    ~CNetbellView() override;
    CNetbellView(const CNetbellView&) = delete;
    CNetbellView& operator=(const CNetbellView&) = delete;

    // The rows live in the view and the control asks for what it shows.
    // With owner data (common controls 4.71 and later) it holds no items at
    // all, so that a fill of any size is one message; without, it holds an
    // empty item per row.
    static bool OwnerDataSupported();
    bool Create(HWND hwndParent, UINT nId, IFrontPageTasks& frontPage, bool bOwnerData = OwnerDataSupported());
    HWND GetSafeHwnd() const { return m_hWnd; }

    // After the data file is read: the columns, then every row.
    void OnInitialUpdate();
    // The rows again from the document, after it loaded its file late.
    void RefillList() { m_commands->FillList(); }
    // Commands routed from the frame: true when the view handles the id.
    bool OnCommand(UINT nId);
    // Whether a command the view handles is enabled; false when not its own.
    bool QueryCommand(UINT nId, bool& bEnabled);
    // Notifications from the control; true when handled.
    bool OnNotify(NMHDR* pnmh, LRESULT& result);
    void OnContextMenu(POINT ptScreen);

    CTaskCommands& Commands() { return *m_commands; }
    void OnBackupData();
    bool SaveData() { return m_commands->SaveData(); }

    // ITaskListControl
    std::vector<int> GetSelectedRows() override;
    size_t GetRowTask(int nRow) override;
    void InsertRowAtTop(const TaskRow& row) override;
    void SetCellText(int nRow, int nColumn, const std::string& text) override;
    void SetTypeCell(int nRow, const std::string& text, int nImage) override;
    int GetStateImage(int nRow) override;
    void SetStateImage(int nRow, int nState) override;
    void ReplaceAllRows(std::vector<TaskRow> rows) override;
    void SortRows(int nColumn, bool bDescending) override;
    // IShellOpen
    bool Open(const std::string& target) override;
    // IClock
    COleDateTime Now() override;

    // Drops end while the list window still exists.
    void RevokeDropTarget() { m_dropTarget.Revoke(); }

private:
    // IDropTaskSink
    void AddBrowseTask(const std::string& name, const std::string& url) override;
    void AddNote(const std::string& text) override;
    void Save() override { SaveData(); }

    void LoadImages();
    // Whether a client point is on the check box of the row.
    bool IsOnCheckBox(int nRow, POINT pt) const;
    // The row at a place in the list, or null.
    TaskRow* Row(int nRow);
    // An item that holds nothing, for controls without owner data.
    void InsertEmptyItem(int nPosition);
    // A row's texts, icon and check box, which the control asks for when it
    // shows them.
    void OnGetDispInfo(NMLVDISPINFO& info);
    // The row that typing in the list goes to, or -1.
    int FindRow(UINT nFlags, const std::string& typed, int nStart) const;
    // Selection, focus, anchor and scroll place, read before rows move and
    // put back where moved(row) says each row went.
    struct RowMarks {
        std::vector<int> selected;
        int nFocus = -1;
        int nAnchor = -1;
        int nTop = 0;
    };
    RowMarks ReadMarks();
    void RestoreMarks(const RowMarks& marks, const std::function<int(int)>& moved);
    void RedrawRow(int nRow);
    void SelectAll();
    void OnListCommand(UINT nId);

    ViewPorts m_ports;
    HWND m_hWnd = nullptr; // destroyed with its parent
    HIMAGELIST m_hSmallImages = nullptr;
    HIMAGELIST m_hStateImages = nullptr;
    IFrontPageTasks* m_pFrontPage = nullptr;
    std::unique_ptr<ITaskDialog> m_taskDialog;
    std::unique_ptr<CTaskCommands> m_commands;
    // Every row, top to bottom, as the control shows it.
    std::vector<TaskRow> m_rows;
    bool m_bOwnerData = false;
    CTaskListDropRegistration m_dropTarget;
};
