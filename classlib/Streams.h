// Byte streams: the small part of the class library's stream family that the system uses.
// Positions are 64-bit so that position arithmetic on hostile 32-bit offsets cannot overflow.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

enum TSeekOrigin { soFromBeginning = 0, soFromCurrent = 1, soFromEnd = 2 };

class TStream {
public:
    virtual ~TStream() = default;
    // Both return the number of bytes actually transferred (0 on failure or at the end).
    virtual int64_t Read(void* buffer, int64_t count) = 0;
    virtual int64_t Write(const void* buffer, int64_t count) = 0;
    // Returns the new position, or -1 when the seek failed (the position is then unchanged).
    virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;
    virtual int64_t Size() = 0;

    int64_t Position() { return Seek(0, soFromCurrent); }
    bool SetPosition(int64_t pos) { return Seek(pos, soFromBeginning) == pos; }
    // Reads exactly count bytes or reports failure.
    bool ReadExact(void* buffer, int64_t count) { return Read(buffer, count) == count; }
    bool WriteExact(const void* buffer, int64_t count) { return Write(buffer, count) == count; }
    bool WriteText(const std::string& s) { return WriteExact(s.data(), static_cast<int64_t>(s.size())); }
};

class TMemoryStream : public TStream {
public:
    int64_t Read(void* buffer, int64_t count) override;
    int64_t Write(const void* buffer, int64_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    int64_t Size() override { return static_cast<int64_t>(data_.size()); }

    void Clear();
    void SetSize(int64_t size);
    const char* Memory() const { return data_.data(); }
    char* Memory() { return data_.data(); }
    bool LoadFromFile(const std::string& path);
    // Creates or replaces the file; false when it could not be written whole, and then no part of it is left.
    bool SaveToFile(const std::string& path) const;

private:
    std::vector<char> data_;
    int64_t pos_ = 0;
};

enum TFileMode {
    fmOpenRead,       // read only, other readers and writers allowed
    fmOpenReadWrite,  // read and write an existing file without truncating it
    fmCreate          // create or truncate, write (and read)
};

// A file stream over the C runtime. It never throws: check IsOpen() after construction.
class TFileStream : public TStream {
public:
    TFileStream(const std::string& path, TFileMode mode);
    ~TFileStream() override;
    TFileStream(const TFileStream&) = delete;
    TFileStream& operator=(const TFileStream&) = delete;

    bool IsOpen() const { return file_ != nullptr; }
    int64_t Read(void* buffer, int64_t count) override;
    int64_t Write(const void* buffer, int64_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    int64_t Size() override;
    // Flushes and closes; false when buffered data could not be written.
    bool Close();

private:
    std::FILE* file_ = nullptr;
};
