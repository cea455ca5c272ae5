#include "tests/e2e/MediaFiles.h"

#include <initializer_list>

namespace e2e {

namespace {

// Little-endian words.
std::string Words(std::initializer_list<uint32_t> values)
{
    std::string s;
    for (uint32_t v : values)
        for (int i = 0; i < 4; ++i)
            s += static_cast<char>((v >> (8 * i)) & 0xFF);
    return s;
}

std::string Words16(std::initializer_list<uint16_t> values)
{
    std::string s;
    for (uint16_t v : values)
        s += {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)};
    return s;
}

// A RIFF chunk: four-character code, size, data padded to an even size.
std::string Chunk(const char* fourcc, const std::string& data)
{
    std::string s = std::string(fourcc, 4) + Words({static_cast<uint32_t>(data.size())}) + data;
    if (data.size() % 2)
        s += '\0';
    return s;
}

std::string List(const char* type, const std::string& data)
{
    return Chunk("LIST", std::string(type, 4) + data);
}

} // namespace

std::string PcmWav(int ms, uint16_t bits)
{
    const uint32_t rate = 8000;  // mono, PCM
    const uint16_t align = bits / 8;
    const std::string fmt = Words16({1, 1}) + Words({rate, rate * align}) + Words16({align, bits});
    const std::string samples(static_cast<size_t>(rate) * ms / 1000 * align, bits == 8 ? '\x80' : '\0');
    return Chunk("RIFF", "WAVE" + Chunk("fmt ", fmt) + Chunk("data", samples));
}

std::string SolidAvi(int width, int height, int frames, int fps, uint32_t rgb)
{
    const uint32_t w = static_cast<uint32_t>(width), h = static_cast<uint32_t>(height);
    const uint32_t n = static_cast<uint32_t>(frames), rate = static_cast<uint32_t>(fps);
    const uint32_t stride = (w * 3 + 3) & ~3u, frameSize = stride * h;
    std::string row;
    for (uint32_t x = 0; x < w; ++x)
        row += {static_cast<char>(rgb & 0xFF), static_cast<char>((rgb >> 8) & 0xFF), static_cast<char>(rgb >> 16)};
    row.resize(stride, '\0');
    std::string frame;
    for (uint32_t y = 0; y < h; ++y)
        frame += row;

    // Main header (with an index), one video stream of uncompressed 24-bit frames.
    const std::string avih = Words({1000000u / rate, frameSize * rate, 0, 0x10, n, 0, 1, frameSize, w, h, 0, 0, 0, 0});
    const std::string strh = "vidsDIB " + Words({0, 0, 0, 1, rate, 0, n, frameSize, 0xFFFFFFFFu, 0}) +
                             Words16({0, 0, static_cast<uint16_t>(w), static_cast<uint16_t>(h)});
    const std::string strf = Words({40, w, h}) + Words16({1, 24}) + Words({0, frameSize, 0, 0, 0, 0});
    std::string movi, index;
    for (uint32_t i = 0; i < n; ++i) {
        // "00db", a key frame, at its offset from the "movi" list type.
        index += Words({0x62643030u, 0x10, static_cast<uint32_t>(movi.size() + 4), frameSize});
        movi += Chunk("00db", frame);
    }
    const std::string hdrl = List("hdrl", Chunk("avih", avih) + List("strl", Chunk("strh", strh) + Chunk("strf", strf)));
    return Chunk("RIFF", "AVI " + hdrl + List("movi", movi) + Chunk("idx1", index));
}

} // namespace e2e
