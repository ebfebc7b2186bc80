// `tilvan-cli replay`: plays a script of user actions against a freshly
// started program and prints what the user is shown.
#pragma once

#include <iosfwd>
#include <string>

#include "words/word_list.h"

namespace tilvan::cli {

// Runs the script read from `in` (named `scriptName` in errors). Returns the
// exit code: 0, or 2 after a one-line error on `err` naming the script and
// line of a malformed action.
int runReplay(std::istream& in, const std::string& scriptName, WordListCache& words,
              std::ostream& out, std::ostream& err);

}  // namespace tilvan::cli
