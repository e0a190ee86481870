#pragma once
// Where the program's UTF-8 text meets the system's: UTF-16 in the Unicode
// build, the ANSI code page in the single-byte one. The Win32 layer is
// written with the generic names (TCHAR, SendMessage, TEXT("")) and converts
// here only, so that the two builds differ by the UNICODE macro alone.

#include <windows.h>

#include <string>
#include <string_view>

#include "base/text.h"

using tstring = std::basic_string<TCHAR>;

// UTF-8 to the system's form; in the single-byte build a character the code
// page lacks becomes its default character.
tstring ToSys(std::string_view text);
// The system's form to UTF-8.
std::string FromSys(const TCHAR* text, size_t n);
inline std::string FromSys(const TCHAR* text) { return FromSys(text, std::char_traits<TCHAR>::length(text)); }
inline std::string FromSys(const tstring& text) { return FromSys(text.data(), text.size()); }

// What a field shows read back as text: in the single-byte build, a field
// still showing original as the code page allows gives original back whole,
// so only a field the user changed loses what the code page lacks.
std::string FromSysKeeping(const tstring& shown, const std::string& original);

// Text of the system's form into a buffer of nMax characters, its zero
// included: as much as fits, cut on a whole character.
void CopySysText(const TCHAR* text, size_t n, TCHAR* buf, size_t nMax);

// UTF-16 for COM and the shell's wide interfaces, in both builds.
std::wstring ToWide(std::string_view text);
std::string FromWide(const wchar_t* text, size_t n);
inline std::string FromWide(const wchar_t* text) { return FromWide(text, std::char_traits<wchar_t>::length(text)); }

// The system's ANSI code page as the data file's single-byte form, and the
// user's collation for sorting; InstallSystemTextPorts makes them the
// process's.
class CAnsiCodePage : public ICodePage {
public:
    void ToUtf8(const char* bytes, size_t n, std::string& out) const override;
    bool FromUtf8(std::string_view text, std::string& out) const override;
};

class CSystemCollation : public ICollation {
public:
    void AppendSortKey(std::string_view text, std::string& key) const override;
    int Compare(std::string_view a, std::string_view b) const override;
};

void InstallSystemTextPorts();
