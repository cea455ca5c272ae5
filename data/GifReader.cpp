#include "data/GifReader.h"

bool DecodeGif(const uint8_t* data, size_t size, TPixelTarget& target)
{
    return false;
}
