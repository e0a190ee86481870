// Reading another process's list views and menus: the buffers the controls
// fill must live in the target's address space.
#include "driver.h"

#include <commctrl.h>
#include <psapi.h>

#include <cstring>
#include <sstream>

#include "probe/probe_protocol.h"

namespace e2e {

namespace {

// A block of memory in another process, freed on every path.
class CRemoteBlock {
public:
    CRemoteBlock(HANDLE hProcess, size_t cb)
        : m_hProcess(hProcess),
          m_p(VirtualAllocEx(hProcess, nullptr, cb, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE))
    {
    }
    ~CRemoteBlock()
    {
        if (m_p && !m_leak)
            VirtualFreeEx(m_hProcess, m_p, 0, MEM_RELEASE);
    }
    CRemoteBlock(const CRemoteBlock&) = delete;
    CRemoteBlock& operator=(const CRemoteBlock&) = delete;

    explicit operator bool() const { return m_p != nullptr; }
    char* At(size_t offset) const { return static_cast<char*>(m_p) + offset; }
    bool Write(size_t offset, const void* data, size_t cb) const
    {
        SIZE_T done = 0;
        return WriteProcessMemory(m_hProcess, At(offset), data, cb, &done) && done == cb;
    }
    bool Read(size_t offset, void* data, size_t cb) const
    {
        SIZE_T done = 0;
        return ReadProcessMemory(m_hProcess, At(offset), data, cb, &done) && done == cb;
    }
    // A remote thread that did not finish may still use the block.
    void Leak() { m_leak = true; }

private:
    HANDLE m_hProcess;
    void* m_p;
    bool m_leak = false;
};

constexpr size_t kTextMax = 4096;

std::optional<std::string> ListItemText(HANDLE hProcess, HWND list, int row, int col)
{
    // Asked for in UTF-16, which a single-byte list gives as well.
    CRemoteBlock block(hProcess, sizeof(LVITEMW) + kTextMax * sizeof(wchar_t));
    if (!block)
        return std::nullopt;
    LVITEMW item = {};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.iSubItem = col;
    item.pszText = reinterpret_cast<wchar_t*>(block.At(sizeof(LVITEMW)));
    item.cchTextMax = static_cast<int>(kTextMax);
    const wchar_t zero = L'\0';
    if (!block.Write(0, &item, sizeof(item)) || !block.Write(sizeof(LVITEMW), &zero, sizeof zero))
        return std::nullopt;
    const auto len = Send(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(block.At(0)));
    if (!len)
        return std::nullopt;
    std::wstring text(kTextMax, L'\0');
    if (!block.Read(sizeof(LVITEMW), text.data(), kTextMax * sizeof(wchar_t)))
        return std::nullopt;
    text.resize(wcsnlen(text.c_str(), kTextMax));
    return Utf8(text);
}

// The remote module whose base name equals name (case-insensitive).
HMODULE RemoteModule(HANDLE hProcess, const char* name)
{
    HMODULE mods[1024];
    DWORD cb = 0;
    if (!EnumProcessModules(hProcess, mods, sizeof(mods), &cb))
        return nullptr;
    for (DWORD i = 0; i < cb / sizeof(HMODULE) && i < 1024; ++i) {
        char base[MAX_PATH] = "";
        if (GetModuleBaseNameA(hProcess, mods[i], base, MAX_PATH) && lstrcmpiA(base, name) == 0)
            return mods[i];
    }
    return nullptr;
}

// Runs fn(arg) on a new thread in the target; its exit code, or empty.
std::optional<DWORD> RunRemote(HANDLE hProcess, const void* fn, void* arg, DWORD ms)
{
    HANDLE thread = CreateRemoteThread(hProcess, nullptr, 0, reinterpret_cast<LPTHREAD_START_ROUTINE>(fn), arg, 0,
                                       nullptr);
    if (!thread)
        return std::nullopt;
    std::optional<DWORD> result;
    DWORD code = 0;
    if (WaitForSingleObject(thread, ms) == WAIT_OBJECT_0 && GetExitCodeThread(thread, &code))
        result = code;
    CloseHandle(thread);
    return result;
}

// The probe's base address in the target, loading it there first if needed.
HMODULE EnsureProbe(HANDLE hProcess)
{
    if (HMODULE loaded = RemoteModule(hProcess, kProbeDllName))
        return loaded;
    const std::string path = JoinPath(ModuleFolder(), kProbeDllName);
    // LoadLibraryA lives at the same offset in the same module of both
    // processes; which module that is (kernel32 forwards it) we ask.
    const auto* local = reinterpret_cast<const char*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "LoadLibraryA"));
    HMODULE localMod = nullptr;
    char modName[MAX_PATH] = "";
    if (!local ||
        !GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            local, &localMod) ||
        !GetModuleBaseNameA(GetCurrentProcess(), localMod, modName, MAX_PATH))
        return nullptr;
    HMODULE remoteMod = RemoteModule(hProcess, modName);
    if (!remoteMod)
        return nullptr;
    const char* remoteFn = reinterpret_cast<const char*>(remoteMod) + (local - reinterpret_cast<const char*>(localMod));
    CRemoteBlock block(hProcess, path.size() + 1);
    if (!block || !block.Write(0, path.c_str(), path.size() + 1))
        return nullptr;
    const auto code = RunRemote(hProcess, remoteFn, block.At(0), 10000);
    if (!code) {
        block.Leak();
        return nullptr;
    }
    return RemoteModule(hProcess, kProbeDllName);
}

// A DLL loaded into this process, freed with the object.
class CLocalModule {
public:
    explicit CLocalModule(const std::string& path) : m_h(LoadLibraryA(path.c_str())) {}
    ~CLocalModule()
    {
        if (m_h)
            FreeLibrary(m_h);
    }
    CLocalModule(const CLocalModule&) = delete;
    CLocalModule& operator=(const CLocalModule&) = delete;
    HMODULE Get() const { return m_h; }

private:
    HMODULE m_h;
};

std::vector<CMenuItem> ParseMenu(const std::string& text)
{
    // Build the tree from depth-tagged lines with a stack of open levels.
    std::vector<CMenuItem> root;
    std::vector<std::vector<CMenuItem>*> levels{&root};
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        const size_t tab = line.find('\t');
        if (tab == std::string::npos)
            continue;
        std::istringstream head(line.substr(0, tab));
        size_t depth = 0;
        CMenuItem item;
        std::string flags;
        head >> depth >> item.id >> flags;
        item.text = line.substr(tab + 1);
        item.separator = flags.find('S') != std::string::npos;
        item.grayed = flags.find('G') != std::string::npos;
        item.checked = flags.find('C') != std::string::npos;
        item.isDefault = flags.find('D') != std::string::npos;
        if (depth + 1 > levels.size())
            depth = levels.size() - 1;
        levels.resize(depth + 1);
        levels.back()->push_back(item);
        if (flags.find('P') != std::string::npos)
            levels.push_back(&levels.back()->back().sub);
    }
    return root;
}

}  // namespace

int ListViewColumnCount(HWND list)
{
    const auto header = Send(list, LVM_GETHEADER, 0, 0);
    if (!header || !*header)
        return -1;
    const auto count = Send(reinterpret_cast<HWND>(*header), HDM_GETITEMCOUNT, 0, 0);
    return count ? static_cast<int>(*count) : -1;
}

std::optional<std::vector<std::vector<std::string>>> ReadListView(HANDLE hProcess, HWND list)
{
    const auto rows = Send(list, LVM_GETITEMCOUNT, 0, 0);
    const int cols = ListViewColumnCount(list);
    if (!rows || cols < 0)
        return std::nullopt;
    std::vector<std::vector<std::string>> table;
    for (int r = 0; r < static_cast<int>(*rows); ++r) {
        std::vector<std::string> row;
        for (int c = 0; c < cols; ++c) {
            auto text = ListItemText(hProcess, list, r, c);
            if (!text)
                return std::nullopt;
            row.push_back(*text);
        }
        table.push_back(row);
    }
    return table;
}

std::optional<std::vector<std::string>> ReadListViewColumns(HANDLE hProcess, HWND list)
{
    const int cols = ListViewColumnCount(list);
    if (cols < 0)
        return std::nullopt;
    std::vector<std::string> titles;
    for (int c = 0; c < cols; ++c) {
        CRemoteBlock block(hProcess, sizeof(LVCOLUMNA) + kTextMax);
        if (!block)
            return std::nullopt;
        LVCOLUMNA col = {};
        col.mask = LVCF_TEXT;
        col.pszText = block.At(sizeof(LVCOLUMNA));
        col.cchTextMax = static_cast<int>(kTextMax);
        if (!block.Write(0, &col, sizeof(col)))
            return std::nullopt;
        const auto ok = Send(list, LVM_GETCOLUMNA, static_cast<WPARAM>(c), reinterpret_cast<LPARAM>(block.At(0)));
        std::string text(kTextMax, '\0');
        if (!ok || !*ok || !block.Read(sizeof(LVCOLUMNA), text.data(), kTextMax))
            return std::nullopt;
        text.resize(strnlen(text.c_str(), kTextMax));
        titles.push_back(text);
    }
    return titles;
}

std::optional<std::string> StatusBarText(HANDLE hProcess, HWND bar, int part)
{
    const auto length = Send(bar, SB_GETTEXTLENGTHA, static_cast<WPARAM>(part), 0);
    if (!length)
        return std::nullopt;
    const size_t cb = LOWORD(*length) + 1;
    CRemoteBlock block(hProcess, cb);
    if (!block)
        return std::nullopt;
    std::string text(cb, '\0');
    if (!block.Write(0, text.data(), cb) ||
        !Send(bar, SB_GETTEXTA, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(block.At(0))) ||
        !block.Read(0, text.data(), cb))
        return std::nullopt;
    text.resize(strnlen(text.c_str(), cb));
    return text;
}

int ListViewCheckState(HWND list, int row)
{
    const auto state = Send(list, LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_STATEIMAGEMASK);
    return state ? static_cast<int>((*state & LVIS_STATEIMAGEMASK) >> 12) : -1;
}

namespace {

// Sends a list-view message whose lParam points to a structure of type T,
// which lives in the target for the call; the structure comes back filled.
template <typename T>
std::optional<LRESULT> SendRemote(HANDLE hProcess, HWND list, UINT msg, WPARAM wParam, T& data)
{
    CRemoteBlock block(hProcess, sizeof(T));
    if (!block || !block.Write(0, &data, sizeof(T)))
        return std::nullopt;
    const auto result = Send(list, msg, wParam, reinterpret_cast<LPARAM>(block.At(0)));
    if (!result || !block.Read(0, &data, sizeof(T)))
        return std::nullopt;
    return result;
}

bool SetRowState(HANDLE hProcess, HWND list, int row, UINT state, UINT mask)
{
    LVITEMA item = {};
    item.state = state;
    item.stateMask = mask;
    const auto ok = SendRemote(hProcess, list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), item);
    return ok && *ok;
}

}  // namespace

bool SelectListViewRows(HANDLE hProcess, HWND list, const std::vector<int>& rows)
{
    // Row -1 stands for every row.
    if (!SetRowState(hProcess, list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED))
        return false;
    for (size_t i = 0; i < rows.size(); ++i) {
        const UINT state = LVIS_SELECTED | (i == 0 ? LVIS_FOCUSED : 0);
        if (!SetRowState(hProcess, list, rows[i], state, state))
            return false;
    }
    return ListViewSelectedRows(list).size() == rows.size();
}

std::vector<int> ListViewSelectedRows(HWND list)
{
    std::vector<int> rows;
    int row = -1;
    for (;;) {
        const auto next = Send(list, LVM_GETNEXTITEM, static_cast<WPARAM>(row), MAKELPARAM(LVNI_SELECTED, 0));
        if (!next || static_cast<int>(*next) < 0 || static_cast<int>(*next) <= row)
            return rows;
        row = static_cast<int>(*next);
        rows.push_back(row);
    }
}

std::optional<int> ListViewImage(HANDLE hProcess, HWND list, int row)
{
    LVITEMA item = {};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    const auto ok = SendRemote(hProcess, list, LVM_GETITEMA, 0, item);
    if (!ok || !*ok)
        return std::nullopt;
    return item.iImage;
}

std::optional<RECT> ListViewItemRect(HANDLE hProcess, HWND list, int row, int part)
{
    RECT rc = {};
    rc.left = part;
    const auto ok = SendRemote(hProcess, list, LVM_GETITEMRECT, static_cast<WPARAM>(row), rc);
    if (!ok || !*ok)
        return std::nullopt;
    return rc;
}

std::optional<UINT> ListViewHitTest(HANDLE hProcess, HWND list, POINT pt, int* row)
{
    LVHITTESTINFO hit = {};
    hit.pt = pt;
    const auto result = SendRemote(hProcess, list, LVM_HITTEST, 0, hit);
    if (!result)
        return std::nullopt;
    if (row)
        *row = static_cast<int>(*result);
    return hit.flags;
}

bool ClickListViewStateIcon(HANDLE hProcess, HWND list, int row, bool bDouble)
{
    // The state image sits just left of the small icon; find a point the
    // control itself takes for it rather than trusting the layout.
    const auto icon = ListViewItemRect(hProcess, list, row, LVIR_ICON);
    if (!icon)
        return false;
    const int y = (icon->top + icon->bottom) / 2;
    for (int x = icon->left - 2; x >= icon->left - 24 && x >= 0; x -= 2) {
        int hitRow = -1;
        const auto flags = ListViewHitTest(hProcess, list, POINT{x, y}, &hitRow);
        if (!flags || hitRow != row || !(*flags & LVHT_ONITEMSTATEICON))
            continue;
        const LPARAM at = MAKELPARAM(x, y);
        return Post(list, WM_LBUTTONDOWN, MK_LBUTTON, at) && Post(list, WM_LBUTTONUP, 0, at) &&
               (!bDouble || (Post(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at) && Post(list, WM_LBUTTONUP, 0, at)));
    }
    return false;
}

bool PressListViewKey(HWND list, UINT vk)
{
    const UINT scan = MapVirtualKeyA(vk, 0);
    return Send(list, WM_KEYDOWN, vk, static_cast<LPARAM>(1 | (scan << 16))).has_value() &&
           Send(list, WM_KEYUP, vk, static_cast<LPARAM>(1 | (scan << 16) | 0xC0000000u)).has_value();
}

std::optional<std::vector<CMenuItem>> ReadRemoteMenu(HANDLE hProcess, HMENU hMenu)
{
    if (!hMenu)
        return std::nullopt;
    HMODULE remoteProbe = EnsureProbe(hProcess);
    // Our own copy only tells where the export lies within the module.
    static const CLocalModule s_probe(JoinPath(ModuleFolder(), kProbeDllName));
    HMODULE localProbe = s_probe.Get();
    const char* localFn = localProbe ? reinterpret_cast<const char*>(GetProcAddress(localProbe, kProbeReadMenuExport))
                                     : nullptr;
    if (!remoteProbe || !localFn)
        return std::nullopt;
    const char* remoteFn =
        reinterpret_cast<const char*>(remoteProbe) + (localFn - reinterpret_cast<const char*>(localProbe));

    constexpr uint32_t cbText = 64 * 1024;
    CRemoteBlock block(hProcess, sizeof(ProbeMenuRequest) + cbText);
    ProbeMenuRequest req = {};
    req.hMenu = static_cast<uint32_t>(reinterpret_cast<UINT_PTR>(hMenu));
    req.cbText = cbText;
    if (!block || !block.Write(0, &req, sizeof(req)))
        return std::nullopt;
    const auto items = RunRemote(hProcess, remoteFn, block.At(0), 10000);
    if (!items) {
        block.Leak();
        return std::nullopt;
    }
    if (*items == kProbeFailed)
        return std::nullopt;
    std::string text(cbText, '\0');
    if (!block.Read(offsetof(ProbeMenuRequest, text), text.data(), cbText))
        return std::nullopt;
    text.resize(strnlen(text.c_str(), cbText));
    return ParseMenu(text);
}

std::optional<std::vector<CMenuItem>> ReadMenuBar(HANDLE hProcess, HWND hwnd)
{
    // The handle itself is valid in every process; only its items are not.
    return ReadRemoteMenu(hProcess, GetMenu(hwnd));
}

std::optional<std::vector<CMenuItem>> ReadPopupMenu(HANDLE hProcess, HWND popup)
{
    constexpr UINT kMnGetHMenu = 0x01E1;
    const auto hMenu = Send(popup, kMnGetHMenu, 0, 0);
    if (!hMenu || !*hMenu)
        return std::nullopt;
    return ReadRemoteMenu(hProcess, reinterpret_cast<HMENU>(*hMenu));
}

std::vector<std::string> Texts(const std::vector<CMenuItem>& items)
{
    std::vector<std::string> texts;
    for (const auto& item : items)
        texts.push_back(item.separator ? std::string() : item.text);
    return texts;
}

}  // namespace e2e
