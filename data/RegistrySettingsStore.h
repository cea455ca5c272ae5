// The user settings' store in the registry below HKEY_CURRENT_USER.
#pragma once

#include "data/SettingsStore.h"

#include <windows.h>

class CRegistrySettingsStore : public TSettingsStore {
public:
    CRegistrySettingsStore() = default;
    ~CRegistrySettingsStore() override;
    CRegistrySettingsStore(const CRegistrySettingsStore&) = delete;
    CRegistrySettingsStore& operator=(const CRegistrySettingsStore&) = delete;

    // Reading asks for query access only, so a key the user may not write still loads.
    bool OpenForReading(const std::string& key) override;
    long OpenForWriting(const std::string& key) override;
    bool Query(const char* name, void* buffer, std::uint32_t& size) override;
    long Read(const char* name, TStoredValue& value) override;
    long Set(const char* name, TStoreValueType type, const void* data, std::uint32_t size) override;
    long Delete(const char* name) override;
    long Close() override;

private:
    HKEY Key_ = nullptr;
};
