// tilvan-cli fit-leaves: leave values fitted from self-play records.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "play/leave.h"

namespace tilvan::cli {

// One observation: a leave kept and what its player scored on their next
// turn.
struct LeaveSample {
  std::string leave;
  double points = 0;
};

// The samples of one record line (see selfplay --record): every move or
// exchange made while the bag held at least `minBag` tiles and followed by
// another turn of the same player. With `bootstrap`, the points of that
// next turn count with the value, by that table, of the leave it kept (while
// the bag still held `minBag` tiles). Returns false for a line that is no
// game.
bool leaveSamples(const std::string& line, int minBag, std::vector<LeaveSample>& out,
                  const play::LeaveTable* bootstrap = nullptr);

// The fitted table's text (see play/leave.h): a ridge regression of the
// points, less their mean, on the model's features, plus a value of its own
// for each leave seen at least `minCount` times (its mean, shrunk toward the
// model).
std::string fitLeaveTable(const std::vector<LeaveSample>& samples, int minCount, double ridge);

// Runs `tilvan-cli fit-leaves RECORD... [--min-count N] [--min-bag N]
// [--ridge X] [--bootstrap TABLE]` (TABLE: a table's text for the leaves of
// the next turns); the table goes to `out`. Returns the exit code.
int runFitLeaves(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace tilvan::cli
