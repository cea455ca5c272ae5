// libFuzzer target over the JPEG reader: any input must decode or fail, without reading outside it and in
// bounded time.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "picture/JpegReader.h"

namespace {

class TScratchTarget : public TPixelTarget {
public:
    uint32_t* Allocate(int width, int height) override
    {
        Pixels.assign(static_cast<size_t>(width) * height, 0);
        return Pixels.data();
    }
    std::vector<uint32_t> Pixels;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    TScratchTarget target;
    DecodeJpeg(data, size, target);
    return 0;
}
