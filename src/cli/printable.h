// Echoed input in tilvan-cli's error lines, made safe for a terminal.
#pragma once

#include <string>
#include <string_view>

namespace tilvan::cli {

// `text` with every byte that a terminal could take as a command written as
// \xHH (two lower-case hex digits): the control bytes (below 0x20, and 0x7f),
// C1 control characters and bytes that are not part of well-formed UTF-8.
// Everything else, including other UTF-8 characters, is kept as it is.
std::string printable(std::string_view text);

}  // namespace tilvan::cli
