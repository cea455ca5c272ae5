// Raw values of the user settings' registry keys, for tests.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

// Each test uses its own project name so parallel test programs never share a key.
inline std::string KeyOf(const std::string& project)
{
    return "Software\\tarnwheel\\" + project;
}

inline void DeleteKey(const std::string& project)
{
    RegDeleteKeyA(HKEY_CURRENT_USER, KeyOf(project).c_str());
}

inline void SetRaw(const std::string& project, const char* name, DWORD type, const std::string& bytes)
{
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, KeyOf(project).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                   static_cast<DWORD>(bytes.size()));
    RegCloseKey(key);
}

inline bool GetRaw(const std::string& project, const char* name, DWORD& type, std::string& bytes)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, KeyOf(project).c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return false;
    char buffer[8192];
    DWORD size = sizeof buffer;
    const LONG r = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(key);
    if (r != ERROR_SUCCESS)
        return false;
    bytes.assign(buffer, size);
    return true;
}
