// The user settings' store kept in memory for tests.
#pragma once

#include "data/SettingsStore.h"

#include <cstring>
#include <map>
#include <string>

// A registry key in memory that answers like the registry: a value larger than the buffer fails the query,
// a missing value's delete fails with ERROR_FILE_NOT_FOUND.
class TFakeStore : public TSettingsStore {
public:
    struct Value {
        TStoreValueType Type;
        std::string Bytes;
    };

    bool OpenForReading(const std::string& key) override
    {
        OpenedKey = key;
        return KeyExists;
    }
    long OpenForWriting(const std::string& key) override
    {
        OpenedKey = key;
        return CreateError;
    }
    bool Query(const char* name, void* buffer, std::uint32_t& size) override
    {
        const auto it = Values.find(name);
        if (it == Values.end() || it->second.Bytes.size() > size)
            return false;
        std::memcpy(buffer, it->second.Bytes.data(), it->second.Bytes.size());
        size = static_cast<std::uint32_t>(it->second.Bytes.size());
        return true;
    }
    long Read(const char* name, TStoredValue& value) override
    {
        const auto it = Values.find(name);
        if (it == Values.end())
            return kStoreValueMissing;
        value = TStoredValue{it->second.Type, it->second.Bytes};
        return 0;
    }
    long Set(const char* name, TStoreValueType type, const void* data, std::uint32_t size) override
    {
        if (name == RefusedValue || (RefuseRewrites && Values.count(name)))
            return 5;
        if (name != LostValue)
            Values[name] = Value{type, std::string(static_cast<const char*>(data), size)};
        return 0;
    }
    long Delete(const char* name) override
    {
        if (RefuseRewrites)
            return 5;
        // As RegDeleteValueA: ERROR_FILE_NOT_FOUND for a value that is not there.
        return Values.erase(name) ? 0 : kStoreValueMissing;
    }
    long Close() override
    {
        ++Closes;
        return 0;
    }

    bool KeyExists = true;
    long CreateError = 0;
    std::string RefusedValue;     // the value whose write fails
    bool RefuseRewrites = false;  // writes over a value and deletions fail
    std::string LostValue;        // written, then deleted by someone else before the save ends
    int Closes = 0;
    std::string OpenedKey;
    std::map<std::string, Value> Values;
};
