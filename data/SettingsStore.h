// The per-user key of one project as the user settings read and write it: the registry in the program,
// a map in tests.
#pragma once

#include <cstdint>
#include <string>

// Registry value types as stored; a value read back may be of any other type too.
enum TStoreValueType : std::uint32_t { svExpandString = 2, svBinary = 3, svDword = 4 };

// The system's code for a value that does not exist.
constexpr long kStoreValueMissing = 2;

// A value as stored: its type and bytes.
struct TStoredValue {
    TStoreValueType Type = svBinary;
    std::string Bytes;
};

class TSettingsStore {
public:
    virtual ~TSettingsStore() = default;
    // Opens the key for reading only; false when it cannot be opened.
    virtual bool OpenForReading(const std::string& key) = 0;
    // Creates or opens the key for writing and reading back; 0 or the system's error code.
    virtual long OpenForWriting(const std::string& key) = 0;
    // Reads a value into buffer, which holds size bytes; on success size becomes the value's byte count.
    // False when the value is missing or larger than the buffer (the buffer is then unspecified).
    virtual bool Query(const char* name, void* buffer, std::uint32_t& size) = 0;
    // Reads a value whole, whatever its size; 0, kStoreValueMissing or the system's error code.
    virtual long Read(const char* name, TStoredValue& value) = 0;
    // Writes a value; 0 or the system's error code.
    virtual long Set(const char* name, TStoreValueType type, const void* data, std::uint32_t size) = 0;
    // Removes a value; 0, kStoreValueMissing when it is not there, or the system's error code.
    virtual long Delete(const char* name) = 0;
    // Closes the open key; 0 or the system's error code.
    virtual long Close() = 0;
};
