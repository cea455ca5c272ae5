#include "data/SaverData.h"

#include <cstring>

namespace {

constexpr std::size_t kWords = kSaverDataSize / 4;

} // namespace

void EncodeSaverData(const SAVER_DATA& data, std::uint8_t (&bytes)[kSaverDataSize])
{
    std::int32_t words[kWords];
    std::memcpy(words, &data, kSaverDataSize);
    for (std::size_t w = 0; w < kWords; ++w) {
        const std::uint32_t v = static_cast<std::uint32_t>(words[w]);
        for (std::size_t b = 0; b < 4; ++b)
            bytes[w * 4 + b] = static_cast<std::uint8_t>(v >> (8 * b));
    }
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
    for (std::size_t w = 0; w < kWords; ++w) {
        std::uint32_t v = 0;
        for (std::size_t b = 0; b < 4; ++b)
            v |= static_cast<std::uint32_t>(all[w * 4 + b]) << (8 * b);
        words[w] = static_cast<std::int32_t>(v);
    }
    std::memcpy(&data, words, kSaverDataSize);
}
