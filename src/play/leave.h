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

#include <array>
#include <cstdint>
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
  // The table built into the program (empty when none was shipped), and its
  // text.
  static const LeaveTable& builtIn();
  static std::string_view builtInText();
  // Reads a table's text; on a bad line returns false and names it in `error`.
  static bool parse(std::string_view text, LeaveTable& out, std::string& error);

  // The leave's own value when the table has one, else the model's.
  double value(std::string_view leave) const;
  double model(std::string_view leave) const;
  // Sets a weight or a leave's own value.
  void setWeight(const std::string& feature, double w);
  void setLeave(std::string_view leave, double v);

  // A weight as read (0 for a feature the table does not name).
  double weight(const std::string& feature) const {
    const auto it = weights_.find(feature);
    return it == weights_.end() ? 0 : it->second;
  }
  std::size_t weightCount() const { return weights_.size(); }
  std::size_t leaveCount() const { return leaves_.size(); }
  bool hasOwnValue(std::string_view leave) const;

  // value() of every leave of `rack` (its first 7 characters), by
  // the mask of rack positions kept: out[kept] is value() of the kept tiles
  // in rack order. Each leave extends a shorter one by its last tile, so the
  // model's sums and the own values' index are walked once for all of them,
  // with the same additions in the same order as value(). The last few
  // racks' values are kept per thread: a simulation asks for the same
  // racks again and again.
  void valuesByKept(std::string_view rack, double* out) const;

 private:
  // valuesByKept worked out afresh.
  void valuesAfresh(std::string_view rack, double* out) const;
  // Sets stamp_ anew: the table changed.
  void restamp();
  // valuesByKept for a rack with other characters than tiles.
  void valuesOneByOne(std::string_view rack, double* out) const;

  static constexpr int kTiles = 27;                   // 'a'..'z', then the blank
  // Tells this table's contents from any other's seen by this process: a
  // copy keeps it, a change takes a new one (0: never set, the empty table).
  std::uint64_t stamp_ = 0;
  std::unordered_map<std::string, double> weights_;   // feature -> weight, as read
  std::unordered_map<std::uint64_t, double> leaves_;  // packed leave -> value
  // The own values again as a tree of leaves by their tiles in order: node 0
  // the empty leave, next[t] the node of the leave plus tile t (-1: no own
  // value starts so).
  struct Node {
    std::array<std::int32_t, kTiles> next;
    double value = 0;
    bool has = false;
  };
  std::vector<Node> tree_;
  // The model's weights by index: at least n+1 of tile t, tiles s < t both
  // present, and V vowels with C consonants.
  std::array<std::array<double, 3>, kTiles> atLeast_{};
  std::array<std::array<double, kTiles>, kTiles> pair_{};
  std::array<std::array<double, 8>, 8> balance_{};
};

// The points of a set of tiles.
int tilePoints(std::string_view tiles);

// A leave's value for the player who keeps it, given the tiles they cannot
// see and how many of them are in the bag: the table's value while the bag
// holds tiles; with an empty bag, playing out gains the unseen tiles'
// points players/(players-1) times (twice with two players), and tiles kept
// cost their points.
double leaveValue(const LeaveTable& table, std::string_view leave, std::string_view unseen, int bag,
                  int players = 2);

}  // namespace tilvan::play
