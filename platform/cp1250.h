// Conversion between the program's UTF-8 strings and the single-byte Windows-1250 code
// page of its files. Characters the code page lacks become '?'.
#pragma once

#include <string>
#include <string_view>

std::string Utf8ToCp1250(std::string_view utf8);
std::string Cp1250ToUtf8(std::string_view bytes);
