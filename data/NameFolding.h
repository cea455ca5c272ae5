// Case-insensitive name matching: only the letters A to Z are folded, every other byte compares as is.
#pragma once

#include <string>

std::string LowerAZ(const std::string& text);
// The same fold the other way: only a to z become capitals.
std::string UpperAZ(const std::string& text);
