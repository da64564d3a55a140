// Conversion between the program's UTF-8 strings and the single-byte Windows-1250 code
// page of its files. Characters the code page lacks become '?', except the narrow and the
// figure space (thousands separators of some locales), which become the no-break space A0.
#pragma once

#include <string>
#include <string_view>

namespace vadidazid {

std::string Utf8ToCp1250(std::string_view utf8);
std::string Cp1250ToUtf8(std::string_view bytes);

}  // namespace vadidazid
