// Makes one allocation of this test program fail, to see what a failed allocation leaves behind.
#pragma once

// While it lives, the allocation after the first `allowed` ones throws std::bad_alloc; the others succeed.
class TFailingAllocation {
public:
    explicit TFailingAllocation(long allowed);
    ~TFailingAllocation();
    TFailingAllocation(const TFailingAllocation&) = delete;
    TFailingAllocation& operator=(const TFailingAllocation&) = delete;

    // An allocation was refused.
    bool Happened() const;
};
