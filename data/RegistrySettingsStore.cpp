#include "data/RegistrySettingsStore.h"

CRegistrySettingsStore::~CRegistrySettingsStore()
{
    Close();
}

bool CRegistrySettingsStore::OpenForReading(const std::string& key)
{
    Close();
    return RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_QUERY_VALUE, &Key_) == ERROR_SUCCESS;
}

long CRegistrySettingsStore::OpenForWriting(const std::string& key)
{
    Close();
    return RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &Key_, nullptr);
}

bool CRegistrySettingsStore::Query(const char* name, void* buffer, std::uint32_t& size)
{
    if (!Key_)
        return false;
    DWORD n = size;
    if (RegQueryValueExA(Key_, name, nullptr, nullptr, static_cast<BYTE*>(buffer), &n) != ERROR_SUCCESS)
        return false;
    size = n;
    return true;
}

long CRegistrySettingsStore::Set(const char* name, TStoreValueType type, const void* data, std::uint32_t size)
{
    if (!Key_)
        return ERROR_INVALID_HANDLE;
    return RegSetValueExA(Key_, name, 0, type, static_cast<const BYTE*>(data), size);
}

long CRegistrySettingsStore::Close()
{
    if (!Key_)
        return ERROR_SUCCESS;
    const long result = RegCloseKey(Key_);
    Key_ = nullptr;
    return result;
}
