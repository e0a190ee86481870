#pragma once
// The task list: the frame's client, a report-style list-view control.

#include <windows.h>

class CNetbellDoc;
class ISettingsStore;
class IPrompts;

class CNetbellView {
public:
    CNetbellView(CNetbellDoc& doc, ISettingsStore& settings, IPrompts& prompts);
    CNetbellView(const CNetbellView&) = delete;
    CNetbellView& operator=(const CNetbellView&) = delete;

    bool Create(HWND hwndParent, UINT nId);
    HWND GetSafeHwnd() const { return m_hWnd; }
    CNetbellDoc& GetDocument() { return m_doc; }

    // Commands routed from the frame: true when the view handles the id.
    bool OnCommand(UINT nId);
    // Whether a command the view handles is enabled; false when not its own.
    bool QueryCommand(UINT nId, bool& bEnabled) const;

    void OnBackupData();

private:
    CNetbellDoc& m_doc;
    ISettingsStore& m_settings;
    IPrompts& m_prompts;
    HWND m_hWnd = nullptr; // destroyed with its parent
};
