#pragma once
// A folder of its own under the temporary folder for one Win32 test, removed
// with everything in it when the test is done.

#include <windows.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

// The names in a folder, sorted, without "." and "..".
inline std::vector<std::string> FolderEntries(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA fd;
    HANDLE hFind = FindFirstFileA((folder + "\\*").c_str(), &fd);
    if (hFind == INVALID_HANDLE_VALUE)
        return names;
    do {
        const std::string name = fd.cFileName;
        if (name != "." && name != "..")
            names.push_back(name);
    } while (FindNextFileA(hFind, &fd));
    FindClose(hFind);
    std::sort(names.begin(), names.end());
    return names;
}

inline void RemoveTree(const std::string& path)
{
    const DWORD attr = GetFileAttributesA(path.c_str());
    if (attr == INVALID_FILE_ATTRIBUTES)
        return;
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!(attr & FILE_ATTRIBUTE_DIRECTORY)) {
        DeleteFileA(path.c_str());
        return;
    }
    for (const std::string& name : FolderEntries(path))
        RemoveTree(path + "\\" + name);
    RemoveDirectoryA(path.c_str());
}

class CScratchFolder {
public:
    // Creates the folder; Path() is empty when that failed.
    explicit CScratchFolder(const std::string& prefix)
    {
        static int s_nCount = 0;
        char temp[MAX_PATH] = {};
        if (!GetTempPathA(MAX_PATH, temp))
            return;
        const std::string path = std::string(temp) + prefix + "-" + std::to_string(GetCurrentProcessId()) + "-" +
                                 std::to_string(GetTickCount()) + "-" + std::to_string(++s_nCount);
        if (CreateDirectoryA(path.c_str(), nullptr))
            m_strPath = path;
    }
    ~CScratchFolder()
    {
        if (!m_strPath.empty())
            RemoveTree(m_strPath);
    }
    CScratchFolder(const CScratchFolder&) = delete;
    CScratchFolder& operator=(const CScratchFolder&) = delete;

    const std::string& Path() const { return m_strPath; }
    std::string PathOf(const std::string& name) const { return m_strPath + "\\" + name; }
    // Writes a file of these bytes into the folder and returns its path.
    std::string Write(const std::string& name, const std::string& bytes) const
    {
        const std::string path = PathOf(name);
        std::ofstream out(path, std::ios::binary);
        out << bytes;
        return path;
    }

private:
    std::string m_strPath;
};
