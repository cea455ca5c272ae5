#include "data/IntArray.h"

#include <stdexcept>

int TIntArray::Get(int i) const
{
    if (i < 0 || i >= Count())
        throw std::out_of_range("TIntArray index out of range");
    return List[static_cast<std::size_t>(i)];
}

void TIntArray::Delete(int i)
{
    if (i < 0 || i >= Count())
        throw std::out_of_range("TIntArray index out of range");
    List.erase(List.begin() + i);
}
