#include "model/win32/ansi_win32.h"

#include <windows.h>

std::string WideToAnsiCp(const std::u16string& text)
{
    if (text.empty())
        return std::string();
    // wchar_t is 16 bits on Windows, so the units are the same.
    const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
    const int nWide = static_cast<int>(text.size());
    const int nBytes = WideCharToMultiByte(CP_ACP, 0, wide, nWide, nullptr, 0, nullptr, nullptr);
    if (nBytes <= 0)
        return std::string();
    std::string ansi(static_cast<size_t>(nBytes), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide, nWide, &ansi[0], nBytes, nullptr, nullptr);
    return ansi;
}
