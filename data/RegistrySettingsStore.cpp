#include "data/RegistrySettingsStore.h"

#include <string>
#include <utility>

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
    return RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_WRITE | KEY_QUERY_VALUE, nullptr, &Key_,
                           nullptr);
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

long CRegistrySettingsStore::Read(const char* name, TStoredValue& value)
{
    if (!Key_)
        return ERROR_INVALID_HANDLE;
    DWORD type = 0;
    DWORD size = 0;
    long result = RegQueryValueExA(Key_, name, nullptr, &type, nullptr, &size);
    if (result != ERROR_SUCCESS)
        return result;
    std::string bytes(size, '\0');
    result = RegQueryValueExA(Key_, name, nullptr, &type, size ? reinterpret_cast<BYTE*>(&bytes[0]) : nullptr, &size);
    if (result != ERROR_SUCCESS)
        return result;
    bytes.resize(size);
    value.Type = static_cast<TStoreValueType>(type);
    value.Bytes = std::move(bytes);
    return ERROR_SUCCESS;
}

long CRegistrySettingsStore::Set(const char* name, TStoreValueType type, const void* data, std::uint32_t size)
{
    if (!Key_)
        return ERROR_INVALID_HANDLE;
    return RegSetValueExA(Key_, name, 0, type, static_cast<const BYTE*>(data), size);
}

long CRegistrySettingsStore::Delete(const char* name)
{
    return Key_ ? RegDeleteValueA(Key_, name) : ERROR_INVALID_HANDLE;
}

long CRegistrySettingsStore::Close()
{
    if (!Key_)
        return ERROR_SUCCESS;
    const long result = RegCloseKey(Key_);
    Key_ = nullptr;
    return result;
}
