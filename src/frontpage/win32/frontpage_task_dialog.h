#pragma once
// The FrontPage Task dialog (template 162): a FrontPage task's fields, the
// web it belongs to, "Change Web", and "Browse" for its linked page. What it
// decides is CFrontPageTaskDialogLogic's; this is its window.

#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "base/win32/window.h"
#include "dialogs/task_dialog_logic.h"
#include "frontpage/frontpage_dialog_logic.h"

class CWin32Prompts;

class CFrontPageTaskDialog : public CModalDialog, private IFrontPageTaskDialogView {
public:
    // The drivers the dialog makes while it opens live until the object
    // goes. When pOwnedPrompts is given, messages shown while the dialog is
    // open are owned by it.
    CFrontPageTaskDialog(HINSTANCE hInstance, FrontPageTaskData& data, const FrontPageDialogPorts& ports,
                         const std::vector<std::string>& projects, CWin32Prompts* pOwnedPrompts = nullptr);

    // Runs modally; true for OK, with the fields in the data.
    bool Run(HWND hwndOwner) { return DoModal(hwndOwner) == IDOK; }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    BOOL OnCommand(WORD id, WORD code, HWND hwndCtl) override;

private:
    // IFrontPageTaskDialogView
    void DisableWebControls() override;
    void ShowWeb(const std::string& title, const std::string& url) override;
    void SetLinkedTo(const std::string& text) override;
    void FillProjects() override;
    void BringToForeground() override;
    bool RunDocumentList(IFrontPageExplorer& explorer, std::string& title, std::string& url) override;

    void ReadControls();
    std::string Text(int nId) const;
    void SetText(int nId, const std::string& text);

    FrontPageTaskData& m_data;
    FrontPageDialogPorts m_ports;
    const std::vector<std::string>& m_projects;
    CWin32Prompts* m_pOwnedPrompts;
    CFrontPageTaskDialogLogic m_logic;
    // What the dialog last put in each box: a box left as it was reads back
    // as this, whole, though the system's form of it lost characters.
    std::map<int, std::string> m_given;
    std::vector<ChoiceItem> m_projectChoices;
};
