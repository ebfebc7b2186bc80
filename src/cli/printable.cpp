#include "cli/printable.h"

namespace tilvan::cli {
namespace {

bool continuation(unsigned char c) { return c >= 0x80 && c <= 0xbf; }

// The length of the well-formed UTF-8 character at text[i] (lead byte at
// least 0x80), or 0.
std::size_t utf8Length(std::string_view text, std::size_t i) {
  const auto at = [&](std::size_t k) {
    return i + k < text.size() ? static_cast<unsigned char>(text[i + k]) : 0;
  };
  const unsigned char lead = at(0), second = at(1);
  std::size_t length = 0;
  unsigned char low = 0x80, high = 0xbf;  // the range of the second byte
  if (lead >= 0xc2 && lead <= 0xdf) {
    length = 2;
  } else if (lead >= 0xe0 && lead <= 0xef) {
    length = 3;
    if (lead == 0xe0) low = 0xa0;   // no overlong forms
    if (lead == 0xed) high = 0x9f;  // no surrogates
  } else if (lead >= 0xf0 && lead <= 0xf4) {
    length = 4;
    if (lead == 0xf0) low = 0x90;
    if (lead == 0xf4) high = 0x8f;  // nothing past U+10FFFF
  }
  if (length == 0 || second < low || second > high) return 0;
  for (std::size_t k = 2; k < length; ++k)
    if (!continuation(at(k))) return 0;
  return length;
}

}  // namespace

std::string printable(std::string_view text) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    const std::size_t length = c < 0x80 ? 1 : utf8Length(text, i);
    const bool c1 = c == 0xc2 && length == 2 && static_cast<unsigned char>(text[i + 1]) < 0xa0;
    if (c < 0x20 || c == 0x7f || length == 0 || c1) {
      out += "\\x";
      out += kHex[c >> 4];
      out += kHex[c & 15];
      ++i;
      continue;
    }
    out.append(text.substr(i, length));
    i += length;
  }
  return out;
}

}  // namespace tilvan::cli
