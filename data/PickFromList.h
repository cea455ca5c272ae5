// Picks one number from a ";"-list ("3;5;"), in turn with a caller-kept index or at random.
#pragma once

#include <string>

// Every number followed by ";" is an entry; empty tokens, tokens that are not decimal numbers and text
// after the last ";" are skipped. No entries: -1, index untouched. Random (non-zero): index = RandomInt(count);
// otherwise index + 1, wrapping to 0 at the count. Returns the entry at the new index. A fresh index is -1.
int PickFromList(const std::string& list, int random, int& index);

// Parses a whole token as a decimal int32 (leading blanks and a sign allowed); false when it is not one.
bool ParseDecimal(const std::string& token, int& value);
