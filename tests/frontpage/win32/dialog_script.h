#pragma once
// Drives this thread's modal dialogs from inside their own message loops:
// each step waits for a visible, enabled window with its caption, then acts
// on it.
// Actions post their clicks, so a dialog that opens another one returns to
// its loop first. When a step waits too long, every dialog of the thread is
// cancelled, so that no test can hang.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

class CDialogScript {
public:
    using Action = std::function<void(HWND)>;

    CDialogScript();
    ~CDialogScript();
    CDialogScript(const CDialogScript&) = delete;
    CDialogScript& operator=(const CDialogScript&) = delete;

    void Then(const std::string& caption, Action action);
    // Every step ran.
    bool Finished() const { return m_nNext == m_steps.size(); }
    // The caption a step waited for in vain, or empty.
    const std::string& TimedOut() const { return m_strTimedOut; }

    // Helpers for actions.
    static void Click(HWND hDlg, int nId);
    static std::string Text(HWND hDlg, int nId);
    static bool IsEnabled(HWND hDlg, int nId);
    static void SetText(HWND hDlg, int nId, const std::string& text);
    static void CheckRadio(HWND hDlg, int nId);
    static int RowCount(HWND hList);
    static std::string RowText(HWND hList, int nRow, int nColumn);
    static void SelectRow(HWND hList, int nRow);

private:
    struct Step {
        std::string caption;
        Action action;
    };
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
    void Tick();

    static CDialogScript* s_pActive;
    std::vector<Step> m_steps;
    size_t m_nNext = 0;
    int m_nWaitingTicks = 0;
    std::string m_strTimedOut;
    UINT_PTR m_nTimer = 0;
};
