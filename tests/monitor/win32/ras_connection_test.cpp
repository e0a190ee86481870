// The dial-up service: its error box on a thread that Exit waits for must
// never hold the thread once the quit event is set, and a system without it
// has no connection up.
#include "monitor/win32/ras_connection.h"

#include <gtest/gtest.h>

#include "base/win32/scoped_win.h"
#include "support/hidden_system_names.h"

namespace {

// Watches this thread's message boxes from inside their loop: on first
// sight it may set the quit event; a box still open 3 s later is closed by
// force, so no case can hang.
struct BoxWatch {
    HANDLE hSetOnSight = nullptr;
    DWORD dwSeenAt = 0;
    bool bForced = false;
};
BoxWatch g_watch;

BOOL CALLBACK FindBox(HWND hwnd, LPARAM lParam)
{
    char szClass[16] = {};
    GetClassNameA(hwnd, szClass, sizeof szClass);
    if (lstrcmpA(szClass, "#32770") != 0 || !IsWindowVisible(hwnd))
        return TRUE;
    *reinterpret_cast<HWND*>(lParam) = hwnd;
    return FALSE;
}

void CALLBACK WatchBoxes(HWND, UINT, UINT_PTR, DWORD)
{
    HWND hBox = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindBox, reinterpret_cast<LPARAM>(&hBox));
    if (!hBox)
        return;
    if (!g_watch.dwSeenAt) {
        g_watch.dwSeenAt = GetTickCount();
        if (g_watch.hSetOnSight)
            SetEvent(g_watch.hSetOnSight);
    } else if (GetTickCount() - g_watch.dwSeenAt > 3000) {
        g_watch.bForced = true;
        PostMessageA(hBox, WM_COMMAND, IDOK, 0);
    }
}

} // namespace

TEST(DialUpError, NoBoxHoldsAThreadThatWasToldToQuit)
{
    CScopedHandle hQuit(CreateEventA(nullptr, TRUE, TRUE, nullptr));
    ASSERT_TRUE(hQuit);
    const UINT_PTR nTimer = SetTimer(nullptr, 0, 50, WatchBoxes);
    ASSERT_NE(nTimer, 0u);

    // Told before: no box at all.
    g_watch = BoxWatch{};
    ShowDialUpError(TEXT("The port is already in use."), hQuit.Get());
    EXPECT_EQ(g_watch.dwSeenAt, 0u) << "a box opened after the quit event was set";

    // Told while the box is open (Exit had already closed the boxes it saw):
    // the box closes itself.
    ResetEvent(hQuit.Get());
    g_watch = BoxWatch{hQuit.Get()};
    ShowDialUpError(TEXT("The port is already in use."), hQuit.Get());
    EXPECT_NE(g_watch.dwSeenAt, 0u);
    EXPECT_FALSE(g_watch.bForced) << "the box stayed open after the quit event";
    KillTimer(nullptr, nTimer);
}

// Without Dial-Up Networking there is no RASAPI32.DLL: no connection is up,
// and that is an answer, not a failed look.
TEST(DialUp, NoServiceMeansNoConnection)
{
    CHiddenSystemNames hidden({"rasapi32.dll"});
    CDialUp dialUp;
    EXPECT_FALSE(dialUp.IsAvailable());
    EXPECT_EQ(std::optional<uintptr_t>(0), dialUp.GetActiveConnection());
}
