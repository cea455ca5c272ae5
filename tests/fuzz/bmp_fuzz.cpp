// libFuzzer target over the Windows bitmap reader: any input must decode or fail without reading outside it.
#include "picture/BmpReader.h"
#include "tests/fuzz/ScratchTarget.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    TScratchTarget target;
    DecodeBmp(data, size, target);
    return 0;
}
