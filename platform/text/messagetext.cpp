// Escaping and cutting outside texts for messages. The text is read as UTF-8: a valid
// character other than a control character is kept as it is (a Polish file name stays
// readable), while a control character, C0, DEL or C1 (U+0080..U+009F, whose U+009B a
// terminal takes as the start of a command), and every byte that is not part of a valid
// character are written as \xNN, one per byte. An invalid byte is escaped too: a terminal
// set to an 8-bit character set would take the bytes 80..9F themselves as controls.
#include "platform/text/messagetext.h"

#include <algorithm>

namespace vadidazid {

namespace {

void AppendByte(std::string& out, unsigned char byte) {
  const char* const digits = "0123456789ABCDEF";
  out += "\\x";
  out += digits[byte >> 4];
  out += digits[byte & 0xF];
}

void AppendAscii(std::string& out, char ch) {
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
  const auto byte = static_cast<unsigned char>(ch);
  if (byte < 0x20 || byte == 0x7F) {
    AppendByte(out, byte);
  } else {
    out += ch;
  }
}

bool InRange(std::string_view text, size_t at, unsigned char low, unsigned char high) {
  if (at >= text.size()) return false;
  const auto byte = static_cast<unsigned char>(text[at]);
  return byte >= low && byte <= high;
}

// The length of the valid UTF-8 character at `at`, 0 when the bytes there are not one.
// Overlong forms, surrogates and code points past U+10FFFF are not characters: the
// second byte's range excludes them, as the standard's table of well-formed sequences
// does.
size_t CharacterLength(std::string_view text, size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  if (lead < 0x80) return 1;
  size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;  // the second byte's range
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (!InRange(text, at + 1, low, high)) return 0;
  for (size_t k = 2; k < length; ++k) {
    if (!InRange(text, at + k, 0x80, 0xBF)) return 0;
  }
  return length;
}

}  // namespace

std::string MessageText(std::string_view text, size_t limit) {
  std::string out;
  out.reserve(std::min(text.size(), limit) + 8);
  size_t at = 0;
  while (at < text.size()) {
    const size_t length = CharacterLength(text, at);
    const size_t step = std::max<size_t>(length, 1);
    // The cut never splits a character: the text shown stays valid for the terminal.
    if (at + step > limit) break;
    const bool c1 =
        length == 2 && text[at] == '\xC2' && static_cast<unsigned char>(text[at + 1]) < 0xA0;
    if (length == 1) {
      AppendAscii(out, text[at]);
    } else if (length == 0 || c1) {
      for (size_t k = 0; k < step; ++k) AppendByte(out, static_cast<unsigned char>(text[at + k]));
    } else {
      out.append(text, at, length);
    }
    at += step;
  }
  if (at < text.size()) out += "...";
  return out;
}

}  // namespace vadidazid
