// Escaping and cutting outside texts for messages.
#include "platform/text/messagetext.h"

namespace vadidazid {

namespace {

bool IsContinuationByte(char ch) { return (static_cast<unsigned char>(ch) & 0xC0) == 0x80; }

void AppendEscaped(std::string& out, char ch) {
  const auto byte = static_cast<unsigned char>(ch);
  switch (ch) {
    case '\n':
      out += "\\n";
      return;
    case '\t':
      out += "\\t";
      return;
    case '\r':
      out += "\\r";
      return;
    default:
      break;
  }
  if (byte < 0x20 || byte == 0x7F) {
    const char* const digits = "0123456789ABCDEF";
    out += "\\x";
    out += digits[byte >> 4];
    out += digits[byte & 0xF];
  } else {
    out += ch;
  }
}

}  // namespace

std::string MessageText(std::string_view text, size_t limit) {
  size_t end = text.size();
  if (end > limit) {
    // Never split a UTF-8 character: the cut text stays valid for the terminal.
    end = limit;
    while (end > 0 && IsContinuationByte(text[end])) --end;
  }
  std::string out;
  out.reserve(end + 8);
  for (size_t i = 0; i < end; ++i) AppendEscaped(out, text[i]);
  if (end < text.size()) out += "...";
  return out;
}

}  // namespace vadidazid
