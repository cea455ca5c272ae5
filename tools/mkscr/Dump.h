// Reads a database, bare or appended to a program file, through the runtime's own reader and describes it
// as JSON: tables, fields and records, blobs as their size and a hash. Texts are shown as UTF-8 from the
// Windows-1252 code page and every other value as "hex:" and its bytes, so that a manifest written from a
// dump stores the same bytes again.
#pragma once

#include <nlohmann/json.hpp>

#include <string>

// False with *error when the file cannot be read as a database.
bool DumpDatabase(const std::string& path, nlohmann::json* out, std::string* error);
