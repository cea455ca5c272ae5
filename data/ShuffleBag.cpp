#include "data/ShuffleBag.h"

#include "data/Random.h"

#include <cstddef>
#include <vector>

namespace {

// The numbers 0 to count - 1 in order, from which the j-th remaining one is taken out in O(log count), so a
// project with a huge number of records cannot stall a refill.
class TOrderedPool {
public:
    explicit TOrderedPool(int count) : Tree(static_cast<std::size_t>(count) + 1, 0)
    {
        for (int i = 1; i <= count; ++i) {
            Tree[static_cast<std::size_t>(i)] += 1;
            const int parent = i + (i & -i);
            if (parent <= count)
                Tree[static_cast<std::size_t>(parent)] += Tree[static_cast<std::size_t>(i)];
        }
        while (TopBit * 2 <= count)
            TopBit *= 2;
    }

    // Removes and returns the j-th remaining number (from 0); j is below the remaining count.
    int Take(int j)
    {
        int pos = 0;
        int rest = j + 1;
        for (int bit = TopBit; bit > 0; bit /= 2) {
            const int next = pos + bit;
            if (next < static_cast<int>(Tree.size()) && Tree[static_cast<std::size_t>(next)] < rest) {
                pos = next;
                rest -= Tree[static_cast<std::size_t>(next)];
            }
        }
        for (int i = pos + 1; i < static_cast<int>(Tree.size()); i += i & -i)
            Tree[static_cast<std::size_t>(i)] -= 1;
        return pos;
    }

private:
    std::vector<int> Tree;  // Fenwick tree of "still in the pool" marks, 1-based
    int TopBit = 1;
};

} // namespace

int CShuffleBag::Next(int count)
{
    if (count <= 0)
        return 0;
    if (Queue.empty()) {
        // Entry j of the remaining numbers, j a 31-bit draw modulo how many remain. The generator is
        // seeded once at start-up; reseeding here from the clock would repeat a permutation whenever two
        // passes end within the same second.
        TOrderedPool pool(count);
        for (int i = 0; i < count; ++i)
            Queue.push_back(pool.Take(rtl::rand31() % (count - i)));
    }
    const int next = Queue.front();
    Queue.pop_front();
    return next;
}

void CShuffleBag::PutBack(int number)
{
    Queue.push_front(number);
}
