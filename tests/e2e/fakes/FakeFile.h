// Files beside a fake DLL: where it reads its orders and writes what it was asked.
#pragma once

#include <windows.h>

#include <string>

// The path of name in the folder of the module that holds this code.
inline std::string BesideThisModule(const std::string& name)
{
    HMODULE self = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&BesideThisModule), &self);
    char path[MAX_PATH] = {};
    GetModuleFileNameA(self, path, MAX_PATH);
    const std::string folder = path;
    return folder.substr(0, folder.find_last_of('\\') + 1) + name;
}

inline void AppendLine(const std::string& name, const std::string& line)
{
    HANDLE file = CreateFileA(BesideThisModule(name).c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    const std::string text = line + "\r\n";
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
}
