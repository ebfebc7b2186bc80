// What the tiles kept on a rack are worth for the turns to come.
//
// A leave is a sorted string of 0 to 6 tiles ('_' a blank, first). The
// table holds a smooth model over every leave and, for the leaves seen
// often enough in our own self-play, a value of their own. Its text, one
// entry a line ('#' starts a comment):
//   w FEATURE WEIGHT   a weight of the model (see leaveFeatures)
//   l LEAVE VALUE      a leave's own value ("-" is the empty leave)
// The shipped table is data/leaves.txt.gz, built into the program.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tilvan::play {

// The model's features present in a leave, by name: "1x", "2x", "3x" (at
// least one, two, three of tile x, '_' a blank), "bV.C" (V vowels and C
// consonants; a blank is neither) and "pxy" (tiles x < y both present).
std::vector<std::string> leaveFeatures(std::string_view leave);

class LeaveTable {
 public:
  // The table built into the program (empty when none was shipped).
  static const LeaveTable& builtIn();
  // Reads a table's text; on a bad line returns false and names it in `error`.
  static bool parse(std::string_view text, LeaveTable& out, std::string& error);

  // The leave's own value when the table has one, else the model's.
  double value(std::string_view leave) const;
  double model(std::string_view leave) const;

  std::unordered_map<std::string, double> weights;  // feature -> weight
  std::unordered_map<std::string, double> leaves;   // leave -> value
};

// The points of a set of tiles.
int tilePoints(std::string_view tiles);

// A leave's value for the player who keeps it, given the tiles they cannot
// see and how many of them are in the bag: the table's value while the bag
// holds tiles; with an empty bag, playing out gains the unseen tiles'
// points players/(players-1) times (twice with two players), and tiles kept
// cost their points.
double leaveValue(const LeaveTable& table, std::string_view leave, std::string_view unseen,
                  int bag, int players = 2);

}  // namespace tilvan::play
