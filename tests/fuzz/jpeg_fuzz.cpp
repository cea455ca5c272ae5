// libFuzzer target over the JPEG reader: any input must decode or fail, without reading outside it and in
// bounded time.
#include "picture/JpegReader.h"
#include "tests/fuzz/ScratchTarget.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    TScratchTarget target;
    DecodeJpeg(data, size, target);
    return 0;
}
