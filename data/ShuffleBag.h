// Every number 0 to count - 1 once per pass, each pass a fresh permutation from the runtime generator.
#pragma once

#include <deque>

class CShuffleBag {
public:
    // The next number of the current pass, starting a new pass when it is used up; 0 when count <= 0.
    int Next(int count);
    // Makes number the next one Next gives, as when a drawing is taken back.
    void PutBack(int number);

private:
    std::deque<int> Queue;
};
