// Texts from outside (option values, file names, table fields) as they may appear in the
// runner's messages and the window's refusals: control characters would move the
// terminal's cursor or forge further lines, and a field of megabytes would bury the
// message, so both are made safe.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vadidazid {

// The text with control characters (C0, DEL and C1) and the bytes of invalid UTF-8
// written as \n, \t, \r or \xNN (one per byte), cut after `limit` bytes of the input
// (at a character boundary) with "..." appended.
std::string MessageText(std::string_view text, size_t limit = 80);

}  // namespace vadidazid
