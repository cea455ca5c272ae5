// Where the fuzzed readers decode to: memory of the size they ask for, thrown away after each input.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "picture/PixelTarget.h"

class TScratchTarget : public TPixelTarget {
public:
    uint32_t* Allocate(int width, int height) override
    {
        Pixels.assign(static_cast<size_t>(width) * height, 0);
        return Pixels.data();
    }
    std::vector<uint32_t> Pixels;
};
