#include "data/PickFromList.h"

#include "data/FileLog.h"
#include "data/IntArray.h"
#include "data/Random.h"

#include <cstdint>

bool ParseDecimal(const std::string& token, int& value)
{
    std::size_t i = 0;
    while (i < token.size() && (token[i] == ' ' || token[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < token.size() && (token[i] == '-' || token[i] == '+')) {
        negative = token[i] == '-';
        ++i;
    }
    if (i == token.size())
        return false;
    std::int64_t n = 0;
    for (; i < token.size(); ++i) {
        const char c = token[i];
        if (c < '0' || c > '9')
            return false;
        n = n * 10 + (c - '0');
        if (n > 2147483648LL)
            return false;
    }
    if (negative)
        n = -n;
    if (n > INT32_MAX || n < INT32_MIN)
        return false;
    value = static_cast<int>(n);
    return true;
}

int PickFromList(const std::string& list, int random, int& index)
{
    TIntArray entries;
    std::size_t pos = 0;
    for (;;) {
        const std::size_t semi = list.find(';', pos);
        if (semi == std::string::npos)
            break;
        const std::string token = list.substr(pos, semi - pos);
        int value = 0;
        if (!token.empty()) {
            if (ParseDecimal(token, value))
                entries.Add(value);
            else
                ZELT_LOG("PickFromList", "skipped list entry \"%.40s\"", token.c_str());
        }
        pos = semi + 1;
    }
    const int count = entries.Count();
    if (count == 0)
        return -1;
    if (random != 0) {
        index = RandomInt(count);
    } else {
        // The entry after the previous one, wrapping; an index that was never handed out starts over.
        if (index < -1 || index >= count - 1)
            index = 0;
        else
            ++index;
    }
    return entries[index];
}
