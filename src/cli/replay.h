// `tilvan-cli replay`: plays a script of user actions against a freshly
// started program and prints what the user is shown.
#pragma once

#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>

#include "words/word_list.h"

namespace tilvan::cli {

// Runs the script read from `in` (named `scriptName` in errors). Returns the
// exit code: 0, or 2 after a one-line error on `err` naming the script and
// line of a malformed action.
// With `autosave`, the game is written there after every change of its
// record, as the window does.
int runReplay(std::istream& in, const std::string& scriptName, WordListCache& words,
              std::ostream& out, std::ostream& err,
              const std::optional<std::filesystem::path>& autosave = std::nullopt);

}  // namespace tilvan::cli
