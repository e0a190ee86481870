#pragma once
// The Document List (template 163): the pages of the web open in the
// Explorer, from which a FrontPage task's linked page is chosen.

#include <windows.h>

#include <string>

#include "base/win32/window.h"
#include "dialogs/win32/report_list_ctrl.h"
#include "frontpage/document_list_logic.h"

class CWin32Prompts;

class CDocumentListDialog : public CModalDialog, private IDocumentListView {
public:
    // pExplorer is the caller's driver. When pOwnedPrompts is given, the
    // dialog's messages are owned by the dialog while it is open.
    CDocumentListDialog(HINSTANCE hInstance, IFrontPageExplorer* pExplorer, IFrontPageSystem& system,
                        IPrompts& prompts, CWin32Prompts* pOwnedPrompts = nullptr);

    // Runs modally; on OK the chosen page is in m_strSelTitle and m_strSelUrl.
    bool Run(HWND hwndOwner);

    std::string m_strSelTitle;
    std::string m_strSelUrl;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    BOOL OnCommand(WORD id, WORD code, HWND hwndCtl) override;
    INT_PTR HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    // IDocumentListView
    void InsertRowAtTop(const std::string& title, const std::string& url, size_t nIndex) override;
    void DeleteAllRows() override;
    void SortRows(int nColumn) override;

    static int CALLBACK ComparePages(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort);
    BOOL OnNotify(NMHDR* pnmh);
    void Close(size_t nIndex);

    CDocumentListLogic m_logic;
    IFrontPageSystem& m_system;
    IPrompts& m_prompts;
    CWin32Prompts* m_pOwnedPrompts;
    HWND m_hwndPromptOwner = nullptr;
    CReportListCtrl m_list;
};

// A string of a module's string table; empty when it has none.
std::string LoadModuleString(HINSTANCE hInstance, UINT nId);
