// The baseline of the list benchmark that starts as a process, as Netbell
// does: the least a Win32 program does to show rows in a report list view.
// It reads the rows from a file (one line a row, its cells separated by
// tabs), appends them with drawing off, shows and paints the list, and runs
// until WM_CLOSE.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "plain_list.h"

namespace {

LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

std::string ReadAll(const char* path)
{
    std::string text;
    HANDLE h = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return text;
    const DWORD size = GetFileSize(h, nullptr);
    DWORD got = 0;
    if (size != INVALID_FILE_SIZE) {
        text.resize(size);
        if (!ReadFile(h, &text[0], size, &got, nullptr))
            got = 0;
        text.resize(got);
    }
    CloseHandle(h);
    return text;
}

}  // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR lpCmdLine, int)
{
    std::string path = lpCmdLine ? lpCmdLine : "";
    if (path.size() >= 2 && path.front() == '"' && path.back() == '"')
        path = path.substr(1, path.size() - 2);
    const std::string text = ReadAll(path.c_str());
    if (text.empty())
        return 1;
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    WNDCLASSA wc = {};
    wc.lpfnWndProc = WndProc;
    wc.hInstance = hInstance;
    wc.lpszClassName = "ListMinimal";
    if (!RegisterClassA(&wc))
        return 1;
    HWND frame = CreateWindowA("ListMinimal", "List Minimal", WS_OVERLAPPEDWINDOW, 100, 100, 768, 576, nullptr,
                               nullptr, hInstance, nullptr);
    HWND list = frame ? CreatePlainList(frame, hInstance) : nullptr;
    if (!list)
        return 1;
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    int row = 0;
    std::vector<std::string> cells;
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find('\n', at);
        if (end == std::string::npos)
            end = text.size();
        cells.clear();
        for (size_t from = at; from <= end;) {
            size_t tab = text.find('\t', from);
            if (tab == std::string::npos || tab > end)
                tab = end;
            cells.push_back(text.substr(from, tab - from));
            from = tab + 1;
        }
        at = end + 1;
        AppendPlainRow(list, row, cells);
        ++row;
    }
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    ShowWindow(frame, SW_SHOWNORMAL);
    UpdateWindow(frame);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
