// Case-insensitive name matching: only the letters A to Z are folded, every other byte compares as is.
#pragma once

#include <string>

std::string LowerAZ(const std::string& text);
