// Reading and setting the controls of another process's dialogs, and telling
// a message box's icon by what it shows.
#include "driver.h"

#include <cstring>

namespace e2e {

bool SetControlText(HWND control, const std::string& text)
{
    const std::wstring wide = Wide(text);
    DWORD_PTR ok = 0;
    return SendMessageTimeoutW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()),
                               SMTO_ABORTIFHUNG | SMTO_BLOCK, 5000, &ok) &&
           ok;
}

std::optional<std::string> ControlText(HWND control)
{
    DWORD_PTR len = 0;
    if (!SendMessageTimeoutW(control, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK, 5000, &len))
        return std::nullopt;
    std::wstring text(static_cast<size_t>(len) + 1, L'\0');
    DWORD_PTR got = 0;
    if (!SendMessageTimeoutW(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                             SMTO_ABORTIFHUNG | SMTO_BLOCK, 5000, &got))
        return std::nullopt;
    text.resize(wcsnlen(text.c_str(), text.size()));
    return Utf8(text);
}

bool IsChecked(HWND button)
{
    const auto state = Send(button, BM_GETCHECK, 0, 0);
    return state && *state == BST_CHECKED;
}

namespace {

std::vector<std::string> Items(HWND control, UINT getCount, UINT getLen, UINT getText)
{
    // Wine hands an item's text across processes in UTF-16 only, so ask
    // for it that way and convert here.
    std::vector<std::string> items;
    const auto count = Send(control, getCount, 0, 0);
    for (int i = 0; count && i < static_cast<int>(*count); ++i) {
        const auto len = Send(control, getLen, static_cast<WPARAM>(i), 0);
        if (!len || static_cast<int>(*len) < 0)
            break;
        std::wstring wide(static_cast<size_t>(*len) + 1, L'\0');
        DWORD_PTR got = 0;
        if (!SendMessageTimeoutW(control, getText, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(wide.data()),
                                 SMTO_ABORTIFHUNG | SMTO_BLOCK, 5000, &got))
            break;
        wide.resize(wcsnlen(wide.c_str(), wide.size()));
        items.push_back(Utf8(wide));
    }
    return items;
}

}  // namespace

std::vector<std::string> ComboItems(HWND combo)
{
    return Items(combo, CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT);
}

std::vector<std::string> ListBoxItems(HWND listBox)
{
    return Items(listBox, LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT);
}

bool SelectComboItem(HWND combo, const std::string& text)
{
    const auto items = ComboItems(combo);
    for (size_t i = 0; i < items.size(); ++i) {
        if (items[i] == text) {
            const auto sel = Send(combo, CB_SETCURSEL, i, 0);
            return sel && static_cast<size_t>(*sel) == i;
        }
    }
    return false;
}

bool SelectListBoxItem(HWND listBox, int index)
{
    const auto ok = Send(listBox, LB_SETSEL, TRUE, index);
    return ok && static_cast<int>(*ok) != LB_ERR;
}

namespace {

// A 32-bit top-down bitmap of cx by cy pixels with its own memory DC.
class CPixels {
public:
    CPixels(int cx, int cy) : m_cx(cx), m_cy(cy)
    {
        BITMAPINFO bi = {};
        bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
        bi.bmiHeader.biWidth = cx;
        bi.bmiHeader.biHeight = -cy;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bi.bmiHeader.biCompression = BI_RGB;
        m_dc = CreateCompatibleDC(nullptr);
        m_bmp = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&m_bits), nullptr, 0);
        if (m_dc && m_bmp)
            m_old = SelectObject(m_dc, m_bmp);
    }
    ~CPixels()
    {
        if (m_old)
            SelectObject(m_dc, m_old);
        if (m_bmp)
            DeleteObject(m_bmp);
        if (m_dc)
            DeleteDC(m_dc);
    }
    CPixels(const CPixels&) = delete;
    CPixels& operator=(const CPixels&) = delete;

    explicit operator bool() const { return m_old != nullptr && m_bits != nullptr; }
    HDC Dc() const { return m_dc; }
    uint32_t At(int x, int y) const { return m_bits[y * m_cx + x] & 0xFFFFFF; }
    void Fill(uint32_t rgb)
    {
        for (int i = 0; i < m_cx * m_cy; ++i)
            m_bits[i] = rgb;
    }

private:
    int m_cx, m_cy;
    HDC m_dc = nullptr;
    HBITMAP m_bmp = nullptr;
    HGDIOBJ m_old = nullptr;
    uint32_t* m_bits = nullptr;
};

bool Near(uint32_t a, uint32_t b)
{
    for (int shift = 0; shift < 24; shift += 8) {
        const int d = static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
        if (d > 24 || d < -24)
            return false;
    }
    return true;
}

struct IconQuery {
    HWND found = nullptr;
};

BOOL CALLBACK FindIconStatic(HWND hwnd, LPARAM lParam)
{
    if (ClassNameOf(hwnd) == "Static" && (GetWindowLongA(hwnd, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
        reinterpret_cast<IconQuery*>(lParam)->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

// Share of the icon's pixels that differ between the screen and our own
// drawing of the same system icon on the same background, in per cent.
int Difference(const CPixels& screen, HICON icon, int cx, int cy)
{
    CPixels drawn(cx, cy);
    if (!drawn)
        return 100;
    drawn.Fill(screen.At(0, 0));  // the corner of every system icon is clear
    DrawIconEx(drawn.Dc(), 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL);
    int differ = 0;
    for (int y = 0; y < cy; ++y)
        for (int x = 0; x < cx; ++x)
            differ += Near(screen.At(x, y), drawn.At(x, y)) ? 0 : 1;
    return differ * 100 / (cx * cy);
}

}  // namespace

std::string MessageBoxIcon(HWND box)
{
    IconQuery q;
    EnumChildWindows(box, FindIconStatic, reinterpret_cast<LPARAM>(&q));
    const auto icon = q.found ? Send(q.found, STM_GETICON, 0, 0) : std::optional<LRESULT>();
    if (!q.found || !IsVisible(q.found) || !icon || !*icon)
        return "none";
    const int cx = GetSystemMetrics(SM_CXICON);
    const int cy = GetSystemMetrics(SM_CYICON);
    POINT origin = {0, 0};
    ClientToScreen(q.found, &origin);
    const std::pair<const char*, LPCSTR> known[] = {
        {"stop", IDI_HAND}, {"exclamation", IDI_EXCLAMATION}, {"question", IDI_QUESTION}, {"information", IDI_ASTERISK}};
    // The box may not have painted yet when it first shows.
    std::string best = "unknown";
    WaitUntil(
        [&] {
            CPixels screen(cx, cy);
            HDC hdcScreen = GetDC(nullptr);
            const bool grabbed = screen && hdcScreen &&
                                 BitBlt(screen.Dc(), 0, 0, cx, cy, hdcScreen, origin.x, origin.y, SRCCOPY);
            if (hdcScreen)
                ReleaseDC(nullptr, hdcScreen);
            if (!grabbed)
                return false;
            for (const auto& k : known) {
                if (Difference(screen, LoadIconA(nullptr, k.second), cx, cy) <= 3) {
                    best = k.first;
                    return true;
                }
            }
            return false;
        },
        3000);
    return best;
}

}  // namespace e2e
