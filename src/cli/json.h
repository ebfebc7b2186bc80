// Minimal JSON text output for tilvan-cli. Strings are byte strings taken as
// ISO-8859-1 and written as valid JSON (non-ASCII as \u00XX escapes).
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace tilvan::cli {

inline std::string jsonString(std::string_view s) {
  std::string out = "\"";
  for (unsigned char c : s) {
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (c < 0x20 || c >= 0x7f) {
          char buf[8];
          std::snprintf(buf, sizeof buf, "\\u%04x", c);
          out += buf;
        } else {
          out += static_cast<char>(c);
        }
    }
  }
  return out + "\"";
}

// "[a,b,...]" from a range, each element written by f.
template <class Range, class F>
std::string jsonArray(const Range& range, F f) {
  std::string out = "[";
  bool first = true;
  for (const auto& x : range) {
    if (!first) out += ",";
    first = false;
    out += f(x);
  }
  return out + "]";
}

inline std::string jsonBool(bool b) { return b ? "true" : "false"; }

}  // namespace tilvan::cli
