// tilvan-cli selfplay: games between two strategies, their tally, the
// record of every turn, and the sum of several shards' tallies.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "play/selfplay.h"

namespace tilvan::cli {

// The tally as one JSON object (see the selfplay command's help).
std::string tallyJson(const play::Tally& t, const std::array<std::string, 2>& strategies);

// One game of the record as one JSON line (without the line end).
std::string gameRecordJson(const play::GameLog& g);

// Runs `tilvan-cli selfplay ARGS...` (args[0] is "selfplay"); returns the
// exit code (0, or 2 after one line on `err`).
int runSelfPlayCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace tilvan::cli
