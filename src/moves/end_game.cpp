#include "moves/end_game.h"

#include <algorithm>
#include <set>

namespace tilvan {
namespace {

// The tiles left, grouped by their points: tiles of equal points are
// interchangeable on a rack as far as the end of the game goes.
struct ValueClasses {
  std::vector<int> points;              // the points of each class
  std::vector<std::vector<int>> letters;  // the letter indexes of each class
};

ValueClasses classesOf() {
  ValueClasses c;
  for (int l = 0; l < kLetters; ++l) {
    const int v = kLetterValue[l];
    auto it = std::find(c.points.begin(), c.points.end(), v);
    if (it == c.points.end()) {
      c.points.push_back(v);
      c.letters.emplace_back();
      it = c.points.end() - 1;
    }
    c.letters[static_cast<std::size_t>(it - c.points.begin())].push_back(l);
  }
  return c;
}

// A depth-first search over the players in turn: each takes a rack (counts
// per class) whose points fit its adjustment, from what the earlier players
// left; the full set of racks is then checked by the rules themselves.
class RackSearch {
 public:
  RackSearch(const std::array<int, kLetters>& left, const std::vector<int>& adjustments)
      : classes_(classesOf()), left_(left), want_(adjustments) {
    for (const auto& letters : classes_.letters) {
      int n = 0;
      for (int l : letters) n += left[static_cast<std::size_t>(l)];
      counts_.push_back(n);
    }
    chosen_.resize(want_.size());
  }

  std::optional<std::vector<std::string>> run() {
    if (player(0)) return racks();
    return std::nullopt;
  }

 private:
  static constexpr long kBudget = 2'000'000;

  // Racks of player p onwards; true once the rules give the adjustments.
  bool player(std::size_t p) {
    if (++steps_ > kBudget) return false;
    if (p == want_.size()) return endAdjustments(racks()) == want_;
    // Whether the search can go on depends on the tiles left and on which
    // racks so far are empty (an empty rack may gain).
    std::vector<int> key(counts_);
    key.push_back(static_cast<int>(p));
    for (std::size_t q = 0; q < p; ++q)
      key.push_back(std::all_of(chosen_[q].begin(), chosen_[q].end(), [](int n) { return n == 0; }));
    if (failed_.count(key)) return false;
    // What the rules can give: minus the rack's points, or a gain for an
    // empty rack.
    chosen_[p].assign(counts_.size(), 0);
    const bool found = want_[p] > 0 ? player(p + 1) : fill(p, 0, -want_[p], 0);
    if (!found) failed_.insert(std::move(key));
    return found;
  }

  // Chooses how many tiles of class k onwards player p's rack holds, `points`
  // still to find among at most 7 - `size` tiles.
  bool fill(std::size_t p, std::size_t k, int points, int size) {
    if (k == counts_.size()) {
      return points == 0 && player(p + 1);
    }
    const int v = classes_.points[k];
    const int most = std::min(counts_[k], kMoveSlots - size);
    for (int n = 0; n <= most && n * v <= points; ++n) {
      chosen_[p][k] = n;
      counts_[k] -= n;
      const bool found = fill(p, k + 1, points - n * v, size + n);
      counts_[k] += n;
      if (found) return true;
      if (steps_ > kBudget) return false;
    }
    chosen_[p][k] = 0;
    return false;
  }

  // The chosen racks as letters, each class's tiles taken letter by letter.
  std::vector<std::string> racks() const {
    std::array<int, kLetters> left = left_;
    std::vector<std::string> out(want_.size());
    for (std::size_t p = 0; p < want_.size(); ++p)
      for (std::size_t k = 0; k < chosen_[p].size(); ++k)
        for (int n = chosen_[p][k]; n > 0; --n)
          for (int l : classes_.letters[k])
            if (left[static_cast<std::size_t>(l)] > 0) {
              --left[static_cast<std::size_t>(l)];
              out[p].push_back(letterChar(l));
              break;
            }
    return out;
  }

  ValueClasses classes_;
  std::array<int, kLetters> left_;
  std::vector<int> want_;
  std::vector<int> counts_;
  std::vector<std::vector<int>> chosen_;
  std::set<std::vector<int>> failed_;
  long steps_ = 0;
};

}  // namespace

std::array<int, kLetters> tilesNotLaid(const GameState& s) {
  std::array<int, kLetters> left = kLetterCount;
  for (int i = 0; i < kSquares; ++i) {
    const BoardSquare& sq = s.Committed.atH(i);
    if (!sq.occupied) continue;
    const int letter = isBlankLetterPicture(sq.tile) || isBlankTile(sq.tile) ? kBlank : sq.letter;
    if (letter >= 0 && letter < kLetters) --left[letter];
  }
  return left;
}

std::vector<int> endAdjustments(const std::vector<std::string>& racks) {
  std::vector<int> left(racks.size(), 0);
  int all = 0, out = -1, outCount = 0;
  for (std::size_t p = 0; p < racks.size(); ++p) {
    for (char c : racks[p]) left[p] += letterValueOf(c);
    all += left[p];
    if (racks[p].empty()) out = static_cast<int>(p), ++outCount;
  }
  std::vector<int> adjustments(racks.size());
  for (std::size_t p = 0; p < racks.size(); ++p)
    adjustments[p] = -left[p] + (outCount == 1 && out == static_cast<int>(p) ? all : 0);
  return adjustments;
}

std::optional<std::vector<std::string>> racksGiving(const std::array<int, kLetters>& left,
                                                    const std::vector<int>& adjustments) {
  return RackSearch(left, adjustments).run();
}

}  // namespace tilvan
