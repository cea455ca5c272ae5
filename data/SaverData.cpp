#include "data/SaverData.h"

#include "data/LittleEndian.h"

#include <cstring>

namespace {

constexpr std::size_t kWords = kSaverDataSize / 4;

} // namespace

void EncodeSaverData(const SAVER_DATA& data, std::uint8_t (&bytes)[kSaverDataSize])
{
    std::int32_t words[kWords];
    std::memcpy(words, &data, kSaverDataSize);
    for (std::size_t w = 0; w < kWords; ++w)
        WriteLe32(&bytes[w * 4], static_cast<std::uint32_t>(words[w]));
}

void DecodeSaverData(const std::uint8_t* bytes, std::size_t n, SAVER_DATA& data)
{
    std::uint8_t all[kSaverDataSize];
    EncodeSaverData(data, all);
    if (n > kSaverDataSize)
        n = kSaverDataSize;
    if (n > 0)
        std::memcpy(all, bytes, n);
    std::int32_t words[kWords];
    for (std::size_t w = 0; w < kWords; ++w)
        words[w] = static_cast<std::int32_t>(ReadLe32(&all[w * 4]));
    std::memcpy(&data, words, kSaverDataSize);
}
