#pragma once
// The four dialogs that add to and delete from the project list and the
// search-engine list, and the port that runs them.

#include <windows.h>

#include "base/win32/window.h"
#include "dialogs/list_editors.h"

class CNetbellDoc;

class CAddProjectDialog : public CModalDialog {
public:
    CAddProjectDialog(HINSTANCE hInstance, AddProjectData& data);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    AddProjectData& m_data;
};

class CAddSearchEngineDialog : public CModalDialog {
public:
    CAddSearchEngineDialog(HINSTANCE hInstance, AddSearchEngineData& data);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    BOOL OnCommand(WORD id, WORD code, HWND hwndCtl) override;

private:
    void OnBrowseFavorites();
    AddSearchEngineData& m_data;
};

// Delete removes the selected projects from the document, then closes.
class CDeleteProjectsDialog : public CModalDialog {
public:
    CDeleteProjectsDialog(HINSTANCE hInstance, CNetbellDoc& doc);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    CNetbellDoc& m_doc;
};

// Delete removes the selected search engines from the document, then closes.
class CDeleteSearchEnginesDialog : public CModalDialog {
public:
    CDeleteSearchEnginesDialog(HINSTANCE hInstance, CNetbellDoc& doc);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    CNetbellDoc& m_doc;
};

// Runs the dialogs modally, owned by the given window.
class CWin32ListEditorDialogs : public IListEditorDialogs {
public:
    CWin32ListEditorDialogs(HINSTANCE hInstance, HWND hwndOwner) : m_hInstance(hInstance), m_hwndOwner(hwndOwner) {}

    bool RunAddProject(AddProjectData& data) override;
    bool RunAddSearchEngine(AddSearchEngineData& data) override;
    bool RunDeleteProjects(CNetbellDoc& doc) override;
    bool RunDeleteSearchEngines(CNetbellDoc& doc) override;

private:
    HINSTANCE Instance() const;
    HWND Owner() const;

    HINSTANCE m_hInstance = nullptr;
    HWND m_hwndOwner = nullptr;
};
