#include "data/BmpReader.h"

bool DecodeBmp(const uint8_t* data, size_t size, TPixelTarget& target)
{
    return false;
}
