#include "data/CharCodes.h"

std::string CharCodesString(const std::string& text)
{
    std::string out;
    for (const char c : text)
        out += std::to_string(static_cast<int>(static_cast<signed char>(c)));
    return out;
}
