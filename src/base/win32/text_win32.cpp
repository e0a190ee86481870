#include "base/win32/text_win32.h"

namespace {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 is the system's wide form");

std::wstring AnsiToWide(const char* bytes, size_t n)
{
    if (n == 0)
        return std::wstring();
    const int nWide = MultiByteToWideChar(CP_ACP, 0, bytes, static_cast<int>(n), nullptr, 0);
    std::wstring wide(static_cast<size_t>(nWide > 0 ? nWide : 0), L'\0');
    if (nWide > 0)
        MultiByteToWideChar(CP_ACP, 0, bytes, static_cast<int>(n), &wide[0], nWide);
    return wide;
}

std::string WideToAnsi(const std::wstring& wide)
{
    if (wide.empty())
        return std::string();
    const int nBytes = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                           nullptr, nullptr);
    std::string bytes(static_cast<size_t>(nBytes > 0 ? nBytes : 0), '\0');
    if (nBytes > 0)
        WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), &bytes[0], nBytes, nullptr,
                            nullptr);
    return bytes;
}

// Case aside, as the user's language orders words; hyphens and apostrophes
// count as the signs they are rather than being passed over.
constexpr DWORD kCollationFlags = NORM_IGNORECASE | SORT_STRINGSORT;

const CAnsiCodePage g_ansiCodePage;
const CSystemCollation g_systemCollation;

} // namespace

std::wstring ToWide(std::string_view text)
{
    if (IsAscii(text))
        return std::wstring(text.begin(), text.end());
    const std::u16string units = Utf8ToUtf16(text);
    return std::wstring(units.begin(), units.end());
}

std::string FromWide(const wchar_t* text, size_t n)
{
    std::string out;
    AppendUtf8(out, reinterpret_cast<const char16_t*>(text), n);
    return out;
}

#ifdef UNICODE

tstring ToSys(std::string_view text) { return ToWide(text); }

std::string FromSys(const TCHAR* text, size_t n) { return FromWide(text, n); }

std::string FromSysKeeping(const tstring& shown, const std::string&) { return FromSys(shown); }

#else

tstring ToSys(std::string_view text)
{
    if (IsAscii(text))
        return tstring(text);
    return WideToAnsi(ToWide(text));
}

std::string FromSys(const TCHAR* text, size_t n)
{
    if (IsAscii(text, n))
        return std::string(text, n);
    const std::wstring wide = AnsiToWide(text, n);
    return FromWide(wide.data(), wide.size());
}

std::string FromSysKeeping(const tstring& shown, const std::string& original)
{
    return ToSys(original) == shown ? original : FromSys(shown);
}

#endif

void CopySysText(const TCHAR* text, size_t n, TCHAR* buf, size_t nMax)
{
    if (!buf || nMax == 0)
        return;
    size_t nFits = 0;
    while (nFits < n) {
#ifdef UNICODE
        const bool bPair = text[nFits] >= 0xD800 && text[nFits] < 0xDC00 && nFits + 1 < n;
#else
        const bool bPair = IsDBCSLeadByte(static_cast<BYTE>(text[nFits])) && nFits + 1 < n;
#endif
        const size_t nNext = nFits + (bPair ? 2 : 1);
        if (nNext >= nMax)
            break;
        nFits = nNext;
    }
    std::char_traits<TCHAR>::copy(buf, text, nFits);
    buf[nFits] = TEXT('\0');
}

void CAnsiCodePage::ToUtf8(const char* bytes, size_t n, std::string& out) const
{
    const std::wstring wide = AnsiToWide(bytes, n);
    AppendUtf8(out, reinterpret_cast<const char16_t*>(wide.data()), wide.size());
}

bool CAnsiCodePage::FromUtf8(std::string_view text, std::string& out) const
{
    // A character the code page lacks comes back as another one (its
    // default character, or a look-alike): only text that reads back as
    // itself has a single-byte form.
    const std::wstring wide = ToWide(text);
    const std::string bytes = WideToAnsi(wide);
    if (AnsiToWide(bytes.data(), bytes.size()) != wide)
        return false;
    out += bytes;
    return true;
}

void CSystemCollation::AppendSortKey(std::string_view text, std::string& key) const
{
    const tstring sys = ToSys(text);
    if (sys.empty())
        return;
    const DWORD dwFlags = LCMAP_SORTKEY | kCollationFlags;
    const int nBytes = LCMapString(LOCALE_USER_DEFAULT, dwFlags, sys.data(), static_cast<int>(sys.size()), nullptr, 0);
    if (nBytes <= 0) {
        SimpleCollation().AppendSortKey(text, key);
        return;
    }
    const size_t nOld = key.size();
    key.resize(nOld + static_cast<size_t>(nBytes));
    // The key is bytes, whatever the function's declared type says.
    const int nGot = LCMapString(LOCALE_USER_DEFAULT, dwFlags, sys.data(), static_cast<int>(sys.size()),
                                 reinterpret_cast<LPTSTR>(&key[nOld]), nBytes);
    // Without its closing zero, a key that is the start of another sorts
    // first, as its text does.
    key.resize(nGot > 0 ? nOld + static_cast<size_t>(nGot) - 1 : nOld);
}

int CSystemCollation::Compare(std::string_view a, std::string_view b) const
{
    const tstring sysA = ToSys(a);
    const tstring sysB = ToSys(b);
    const int n = CompareString(LOCALE_USER_DEFAULT, kCollationFlags, sysA.data(), static_cast<int>(sysA.size()),
                                sysB.data(), static_cast<int>(sysB.size()));
    if (n == 0)
        return ICollation::Compare(a, b);
    return n - CSTR_EQUAL;
}

void InstallSystemTextPorts() { SetProcessTextPorts(&g_ansiCodePage, &g_systemCollation); }
