// Windows-1252, the code page in which the runtime draws its 8-bit texts, to and from UTF-8.
#pragma once

#include <string>

// The UTF-8 text in Windows-1252. False when it is not UTF-8 or holds a character the code page has not;
// *bad then names that character (its UTF-8 form and code point) or says the text is not UTF-8.
bool Utf8ToCp1252(const std::string& utf8, std::string* out, std::string* bad);
// The bytes as UTF-8. False when a byte is one of the five the code page leaves unassigned.
bool Cp1252ToUtf8(const std::string& bytes, std::string* out);
