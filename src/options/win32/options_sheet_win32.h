#pragma once
// The Options property sheet ("Options") with its pages User Profile, System
// and, where FrontPage was found, FrontPage.

#include <windows.h>

#include "options/options_sheet.h"

class ISettingsStore;

// Runs the sheet modally from the page templates in hResources. The sheet
// opens on its first page; Apply is enabled only by changes on the System
// and FrontPage pages.
class COptionsSheet : public IOptionsSheet {
public:
    COptionsSheet(HINSTANCE hResources, HWND hwndOwner) : m_hResources(hResources), m_hwndOwner(hwndOwner) {}
    COptionsSheet(const COptionsSheet&) = delete;
    COptionsSheet& operator=(const COptionsSheet&) = delete;

    bool Run(OptionsSheetData& data, IOptionsPageEvents& events) override;

    // The sheet's window while it is open; null otherwise.
    HWND GetSafeHwnd() const { return m_hWnd; }
    HWND Owner() const { return m_hwndOwner; }

    // Called by the pages.
    void OnPageCreated(HWND hwndPage);
    void OnReset() { m_bCancelled = true; }

private:
    HINSTANCE m_hResources;
    HWND m_hwndOwner;
    HWND m_hWnd = nullptr;
    bool m_bCancelled = false;
};

// The Options command between the dialog guard and the refresh after it:
// loads the settings, runs the sheet owned by hwndOwner, and stores on OK.
// Its messages are owned by the sheet. True when the sheet ended with OK.
// The page templates come from hResources. bCanWatchNetwork: the system can
// tell whether a network connection is up.
bool ShowOptionsSheet(HINSTANCE hResources, HWND hwndOwner, ISettingsStore& settings, bool bFrontPagePresent,
                      bool bCanWatchNetwork);
