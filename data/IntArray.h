// A small list of integers used by the list picker and several transition effects.
#pragma once

#include <cstdint>
#include <vector>

class TIntArray {
public:
    void Add(int n) { List.push_back(n); }
    int Count() const { return static_cast<int>(List.size()); }
    // Entry i from 0; an index outside 0 to Count() - 1 throws std::out_of_range.
    int Get(int i) const;
    int operator[](int i) const { return Get(i); }
    void Delete(int i);
    void Clear() { List.clear(); }

private:
    std::vector<int> List;
};
