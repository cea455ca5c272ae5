// Bounds-checked reads from a block of bytes; a read past the end yields false.
#pragma once

#include <cstddef>
#include <cstdint>

class TByteSpan {
public:
    TByteSpan(const uint8_t* data, std::size_t size) : Data(data), Size(size) {}

    std::size_t Length() const { return Size; }
    const uint8_t* Begin() const { return Data; }
    bool Has(std::size_t offset, std::size_t count) const { return offset <= Size && count <= Size - offset; }

    bool U8(std::size_t offset, uint32_t& v) const
    {
        if (!Has(offset, 1))
            return false;
        v = Data[offset];
        return true;
    }
    bool U16BE(std::size_t offset, uint32_t& v) const
    {
        if (!Has(offset, 2))
            return false;
        v = (uint32_t(Data[offset]) << 8) | Data[offset + 1];
        return true;
    }
    bool U16LE(std::size_t offset, uint32_t& v) const
    {
        if (!Has(offset, 2))
            return false;
        v = uint32_t(Data[offset]) | (uint32_t(Data[offset + 1]) << 8);
        return true;
    }
    bool U32BE(std::size_t offset, uint32_t& v) const
    {
        if (!Has(offset, 4))
            return false;
        v = (uint32_t(Data[offset]) << 24) | (uint32_t(Data[offset + 1]) << 16) | (uint32_t(Data[offset + 2]) << 8) |
            Data[offset + 3];
        return true;
    }

private:
    const uint8_t* Data;
    std::size_t Size;
};
