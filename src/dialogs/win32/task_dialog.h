#pragma once
// The task dialog (template 145) for every kind but FrontPage.

#include <windows.h>
#include <shellapi.h>

#include <map>
#include <string>
#include <vector>

#include "base/win32/window.h"
#include "dialogs/task_dialog_logic.h"

class CNetbellDoc;
class CWin32Prompts;
struct ShortcutResult;

class CTaskDialog : public CModalDialog, public ITaskDialog {
public:
    CTaskDialog(HINSTANCE hInstance, CNetbellDoc& doc, CWin32Prompts& prompts);

    // Runs modally on the members of data; true for OK.
    bool Run(TaskDialogData& data) override;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    BOOL OnCommand(WORD id, WORD code, HWND hwndCtl) override;

private:
    static LRESULT CALLBACK UrlEditProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void FillProjects();
    void FillEngines();
    void ReadControls();
    void OnFavorites();
    void OnDropFiles(HDROP hDrop);
    void FillFromShortcut(const ShortcutResult& result);
    std::string Text(int nId) const;
    void SetText(int nId, const std::string& text);

    CNetbellDoc& m_doc;
    // The application's boxes: the dialog opens over the window they belong to.
    CWin32Prompts& m_prompts;
    TaskDialogData* m_pData = nullptr;
    // What the dialog last put in each box: a box left as it was reads back
    // as this, whole, though the system's form of it lost characters.
    std::map<int, std::string> m_given;
    std::vector<ChoiceItem> m_projectChoices;
    bool m_bEngineMode = false;
    WNDPROC m_pfnUrlEditProc = nullptr; // the URL box's own procedure
    HICON m_hIcon = nullptr; // shared: owned by the system
};
