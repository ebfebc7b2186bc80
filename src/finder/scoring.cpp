#include "finder/scoring.h"

#include <cstdint>
#include <vector>

namespace tilvan {
namespace {

bool onBoard(int q) { return q >= 0 && q < kSquares; }

// Tiles as laid over `grid`, or over an empty board when grid is null. A
// rack character taken out leaves the others in order, so it is only marked.
std::string laid(const LetterGrid* grid, std::string_view word, int start, std::string_view rack) {
  std::uint64_t usedBits = 0;  // racks of up to 64 characters
  std::vector<bool> usedMore(rack.size() > 64 ? rack.size() : 0, false);
  auto take = [&](char ch) {
    for (std::size_t q = 0; q < rack.size(); ++q) {
      if (rack[q] != ch) continue;
      if (q < 64) {
        if (usedBits >> q & 1) continue;
        usedBits |= std::uint64_t{1} << q;
      } else {
        if (usedMore[q]) continue;
        usedMore[q] = true;
      }
      return true;
    }
    return false;
  };
  std::string tiles;
  tiles.reserve(word.size());
  for (std::size_t j = 0; j < word.size(); ++j) {
    const int q = start + static_cast<int>(j);
    if (grid && onBoard(q) && (*grid)[q]) {
      tiles += (*grid)[q];
    } else if (take(word[j])) {
      tiles += word[j];
    } else {
      tiles += '_';
      take('_');
    }
  }
  return tiles;
}

}  // namespace

LetterGrid letterGrid(const GameState& state, bool down) {
  return letterGridOf(state.Committed, state.LetterChar, down);
}

SetView makeSetView(const GameState& state, bool down) {
  return scoringBoard(state.Committed, state.SquareBonus, state.LetterChar, state.LetterValue,
                      down);
}

std::string tilesAsLaid(const SetView& view, std::string_view word, int start,
                        std::string_view rack) {
  return laid(&view.grid, word, start, rack);
}

void scoreCandidate(const SetView& view, std::string_view rack, Candidate& cand) {
  cand.Total = 0;
  if (cand.Words.empty()) return;
  const FormedWord& main = cand.Words[0];
  cand.TilesUsed = tilesAsLaid(view, main.Text, main.Start, rack);
  std::uint32_t blanks = 0;
  for (std::size_t j = 0; j < cand.TilesUsed.size(); ++j)
    if (cand.TilesUsed[j] == '_') blanks |= std::uint32_t{1} << j;
  cand.Total = scoreWords(view, cand.Words, blanks);
}

PlacementScorer::PlacementScorer(const SetView& view, std::string_view rack)
    : view_(view), rack_(rack) {
  for (unsigned char c : rack) ++count_[c];
  for (int q = 0; q < kSquares; ++q) {
    letterFactor_[q] = letterFactor(view.premium[q]);
    wordFactor_[q] = wordFactor(view.premium[q]);
    const bool above = q >= kSide && view.grid[q - kSide];
    const bool below = q + kSide < kSquares && view.grid[q + kSide];
    if (view.grid[q] || (!above && !below)) {
      crossPoints_[q] = -1;
      continue;
    }
    int sum = 0;
    for (int x = q - kSide; x >= 0 && view.grid[x]; x -= kSide) sum += view.points[x];
    for (int x = q + kSide; x < kSquares && view.grid[x]; x += kSide) sum += view.points[x];
    crossPoints_[q] = sum;
  }
}

template <class Fill, class OnTile>
void PlacementScorer::layTiles(std::string_view word, Fill fill, OnTile onTile) {
  // The tiles taken are put back from this list, or by a recount of the rack
  // for a word too long for it.
  constexpr std::size_t kUndo = 2 * kSide;
  const bool listed = word.size() <= kUndo;
  unsigned char taken[kUndo];
  int nTaken = 0;
  for (std::size_t j = 0; j < word.size(); ++j) {
    if (!fill(static_cast<int>(j))) continue;
    unsigned char tile = static_cast<unsigned char>(word[j]);
    if (!count_[tile]) tile = '_';
    if (count_[tile]) {
      --count_[tile];
      if (listed) taken[nTaken++] = tile;
    }
    onTile(static_cast<int>(j), view_.charValue[tile]);
  }
  if (listed) {
    for (int i = 0; i < nTaken; ++i) ++count_[taken[i]];
  } else {
    count_ = {};
    for (unsigned char c : rack_) ++count_[c];
  }
}

int PlacementScorer::total(const Placement& p) {
  const int n = static_cast<int>(p.word.size());
  int sum = 0, factor = 1, newTiles = 0, crossTotal = 0;
  const bool inside = p.start >= 0 && p.start + n <= kSquares;
  if (inside && n <= kSide) {
    // The common case, as below without the checks for squares off the
    // board or words longer than the undo list.
    unsigned char taken[kSide];
    int nTaken = 0;
    for (int j = 0; j < n; ++j) {
      const int q = p.start + j;
      if (view_.grid[q]) {
        sum += view_.points[q];
        continue;
      }
      unsigned char tile = static_cast<unsigned char>(p.word[j]);
      if (!count_[tile]) tile = '_';
      if (count_[tile]) {
        --count_[tile];
        taken[nTaken++] = tile;
      }
      const int pts = view_.charValue[tile] * letterFactor_[q];
      sum += pts;
      factor *= wordFactor_[q];
      ++newTiles;
      if (crossPoints_[q] >= 0) crossTotal += (crossPoints_[q] + pts) * wordFactor_[q];
    }
    for (int i = 0; i < nTaken; ++i) ++count_[taken[i]];
    return sum * factor + crossTotal + fullRackBonus(newTiles);
  }
  layTiles(
      p.word,
      [&](int j) {
        const int q = p.start + j;
        if (!inside && !onBoard(q)) return true;
        if (!view_.grid[q]) return true;
        sum += view_.points[q];
        return false;
      },
      [&](int j, int value) {
        const int q = p.start + j;
        if (!inside && !onBoard(q)) return;
        const int pts = value * letterFactor_[q];
        sum += pts;
        factor *= wordFactor_[q];
        ++newTiles;
        if (crossPoints_[q] >= 0) crossTotal += (crossPoints_[q] + pts) * wordFactor_[q];
      });
  return sum * factor + crossTotal + fullRackBonus(newTiles);
}

int PlacementScorer::firstMoveTotal(std::string_view word) {
  int sum = 0;
  layTiles(
      word, [](int) { return true; }, [&](int, int value) { sum += value; });
  return 2 * sum + fullRackBonus(static_cast<int>(word.size()));
}

Candidate firstMoveCandidate(const SetView& view, std::string_view word, std::string_view rack) {
  Candidate cand;
  const int start = kCentre - static_cast<int>(word.size()) / 2;
  cand.TilesUsed = laid(nullptr, word, start, rack);
  int sum = 0;
  for (char c : cand.TilesUsed) sum += view.charValue[static_cast<unsigned char>(c)];
  cand.Words.push_back({std::string(word), start, 2 * sum});
  cand.Total = 2 * sum + fullRackBonus(static_cast<int>(word.size()));
  return cand;
}

}  // namespace tilvan
