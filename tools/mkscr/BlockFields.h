// Named fields of the stored binary blocks, so that a manifest can state a block by field name.
// The offsets and widths come from the block structures themselves.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

struct BlockField {
    const char* name;
    std::size_t offset;
    std::size_t width;  // 1 for a flag byte, 4 for an int32
};

struct BlockLayout {
    const char* table;
    std::size_t size;
    std::vector<BlockField> fields;
};

const BlockLayout& ProjectBlockLayout();
const BlockLayout& SlideBlockLayout();
