#pragma once
// Text conversion through the system's ANSI code page.

#include <string>

// UTF-16 to the ANSI code page; characters it lacks become its default
// character. Fits the archive reader's conversion hook.
std::string WideToAnsiCp(const std::u16string& text);
