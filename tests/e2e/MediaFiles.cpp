#include "tests/e2e/MediaFiles.h"

#include <vector>

namespace e2e {

namespace {

void Put32(std::string& s, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        s += static_cast<char>((v >> (8 * i)) & 0xFF);
}

void Put16(std::string& s, uint16_t v)
{
    s += static_cast<char>(v & 0xFF);
    s += static_cast<char>(v >> 8);
}

// A RIFF chunk: four-character code, size, data padded to an even size.
std::string Chunk(const char* fourcc, const std::string& data)
{
    std::string s(fourcc, 4);
    Put32(s, static_cast<uint32_t>(data.size()));
    s += data;
    if (data.size() % 2)
        s += '\0';
    return s;
}

std::string List(const char* type, const std::string& data)
{
    return Chunk("LIST", std::string(type, 4) + data);
}

} // namespace

std::string PcmWav(int ms)
{
    const uint32_t rate = 8000;
    std::string fmt;
    Put16(fmt, 1);  // PCM
    Put16(fmt, 1);  // mono
    Put32(fmt, rate);
    Put32(fmt, rate);
    Put16(fmt, 1);
    Put16(fmt, 8);
    const std::string samples(static_cast<size_t>(rate) * ms / 1000, '\x80');
    return Chunk("RIFF", "WAVE" + Chunk("fmt ", fmt) + Chunk("data", samples));
}

std::string SolidAvi(int width, int height, int frames, int fps, uint32_t rgb)
{
    const uint32_t stride = (static_cast<uint32_t>(width) * 3 + 3) & ~3u;
    const uint32_t frameSize = stride * static_cast<uint32_t>(height);
    std::string frame;
    for (int y = 0; y < height; ++y) {
        std::string row;
        for (int x = 0; x < width; ++x) {
            row += static_cast<char>(rgb & 0xFF);
            row += static_cast<char>((rgb >> 8) & 0xFF);
            row += static_cast<char>((rgb >> 16) & 0xFF);
        }
        row.resize(stride, '\0');
        frame += row;
    }

    std::string avih;
    Put32(avih, 1000000u / static_cast<uint32_t>(fps));
    Put32(avih, frameSize * static_cast<uint32_t>(fps));
    Put32(avih, 0);
    Put32(avih, 0x10);  // has an index
    Put32(avih, static_cast<uint32_t>(frames));
    Put32(avih, 0);
    Put32(avih, 1);
    Put32(avih, frameSize);
    Put32(avih, static_cast<uint32_t>(width));
    Put32(avih, static_cast<uint32_t>(height));
    avih += std::string(16, '\0');

    std::string strh = "vids";
    strh += "DIB ";
    Put32(strh, 0);
    Put16(strh, 0);
    Put16(strh, 0);
    Put32(strh, 0);
    Put32(strh, 1);
    Put32(strh, static_cast<uint32_t>(fps));
    Put32(strh, 0);
    Put32(strh, static_cast<uint32_t>(frames));
    Put32(strh, frameSize);
    Put32(strh, 0xFFFFFFFFu);
    Put32(strh, 0);
    Put16(strh, 0);
    Put16(strh, 0);
    Put16(strh, static_cast<uint16_t>(width));
    Put16(strh, static_cast<uint16_t>(height));

    std::string strf;
    Put32(strf, 40);
    Put32(strf, static_cast<uint32_t>(width));
    Put32(strf, static_cast<uint32_t>(height));
    Put16(strf, 1);
    Put16(strf, 24);
    Put32(strf, 0);  // BI_RGB
    Put32(strf, frameSize);
    strf += std::string(16, '\0');

    std::string movi, index;
    for (int i = 0; i < frames; ++i) {
        Put32(index, 0x62643030u);  // "00db"
        Put32(index, 0x10);         // key frame
        Put32(index, static_cast<uint32_t>(movi.size() + 4));
        Put32(index, frameSize);
        movi += Chunk("00db", frame);
    }
    const std::string hdrl = List("hdrl", Chunk("avih", avih) + List("strl", Chunk("strh", strh) + Chunk("strf", strf)));
    return Chunk("RIFF", "AVI " + hdrl + List("movi", movi) + Chunk("idx1", index));
}

} // namespace e2e
