#pragma once
// Makes system functions and libraries look missing while it lives, so a
// Win32 test takes the path Windows 95 or NT 4 would.

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <vector>

#include "base/win32/system_proc.h"

class CHiddenSystemNames {
public:
    explicit CHiddenSystemNames(std::initializer_list<const char*> names) : m_names(names)
    {
        s_pActive = this;
        SetSystemNameHider(&IsHidden);
    }
    ~CHiddenSystemNames()
    {
        SetSystemNameHider(nullptr);
        s_pActive = nullptr;
    }
    CHiddenSystemNames(const CHiddenSystemNames&) = delete;
    CHiddenSystemNames& operator=(const CHiddenSystemNames&) = delete;

private:
    static bool IsHidden(const char* name)
    {
        const auto& names = s_pActive->m_names;
        return std::any_of(names.begin(), names.end(), [name](const char* n) { return _stricmp(n, name) == 0; });
    }

    std::vector<const char*> m_names;
    static inline CHiddenSystemNames* s_pActive = nullptr;
};
