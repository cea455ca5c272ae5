// libFuzzer target over the Windows bitmap reader: any input must decode or fail without reading outside it.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "picture/BmpReader.h"

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
    DecodeBmp(data, size, target);
    return 0;
}
