// The per-user key of one project as the user settings read and write it: the registry in the program,
// a map in tests.
#pragma once

#include <cstdint>
#include <string>

// Registry value types as stored.
enum TStoreValueType : std::uint32_t { svExpandString = 2, svBinary = 3, svDword = 4 };

class TSettingsStore {
public:
    virtual ~TSettingsStore() = default;
    // Opens the key for reading only; false when it cannot be opened.
    virtual bool OpenForReading(const std::string& key) = 0;
    // Creates or opens the key for writing; 0 or the system's error code.
    virtual long OpenForWriting(const std::string& key) = 0;
    // Reads a value into buffer, which holds size bytes; on success size becomes the value's byte count.
    // False when the value is missing or larger than the buffer (the buffer is then unspecified).
    virtual bool Query(const char* name, void* buffer, std::uint32_t& size) = 0;
    // Writes a value; 0 or the system's error code.
    virtual long Set(const char* name, TStoreValueType type, const void* data, std::uint32_t size) = 0;
    // Closes the open key; 0 or the system's error code.
    virtual long Close() = 0;
};
