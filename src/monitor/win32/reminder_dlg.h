#pragma once
// The reminder prompt (template 135).

#include <windows.h>

#include "base/win32/window.h"
#include "monitor/reminder.h"

class CReminderDlg : public CModalDialog {
public:
    CReminderDlg(HINSTANCE hInstance, ReminderDlgData& data);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    BOOL OnCommand(WORD id, WORD code, HWND hwndCtl) override;

private:
    void EnableMinutes(bool bEnable);

    ReminderDlgData& m_data;
};
