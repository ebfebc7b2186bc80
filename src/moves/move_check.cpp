#include "moves/move_check.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace tilvan {

bool inOneLine(std::span<const TileSquare> tiles) {
  if (tiles.empty()) return false;
  const auto sameRow = [&](const TileSquare& t) { return t.row == tiles[0].row; };
  const auto sameCol = [&](const TileSquare& t) { return t.col == tiles[0].col; };
  return std::all_of(tiles.begin(), tiles.end(), sameRow) ||
         std::all_of(tiles.begin(), tiles.end(), sameCol);
}

bool laterMoveConnects(const Board& committed, std::span<const TileSquare> tiles) {
  if (!inOneLine(tiles)) return false;
  std::array<bool, kSquares> isNew{};
  bool touches = false;
  for (const TileSquare& t : tiles) {
    if (t.row < 0 || t.row >= kSide || t.col < 0 || t.col >= kSide) return false;
    const int h = hIndex(t.row, t.col);
    if (isNew[h] || committed.atH(h).occupied) return false;
    isNew[h] = true;
    const auto committedAt = [&](int r, int c) {
      return r >= 0 && r < kSide && c >= 0 && c < kSide && committed.atH(hIndex(r, c)).occupied;
    };
    touches = touches || committedAt(t.row - 1, t.col) || committedAt(t.row + 1, t.col) ||
              committedAt(t.row, t.col - 1) || committedAt(t.row, t.col + 1);
  }
  // Along the line, from the first tile to the last, nothing may be empty.
  const auto [rMin, rMax] = std::minmax_element(tiles.begin(), tiles.end(),
                                                [](auto& a, auto& b) { return a.row < b.row; });
  const auto [cMin, cMax] = std::minmax_element(tiles.begin(), tiles.end(),
                                                [](auto& a, auto& b) { return a.col < b.col; });
  for (int r = rMin->row; r <= rMax->row; ++r)
    for (int c = cMin->col; c <= cMax->col; ++c) {
      const int h = hIndex(r, c);
      if (!isNew[h] && !committed.atH(h).occupied) return false;
    }
  return touches;
}

bool firstMoveInLine(std::span<const TileSquare> tiles) {
  if (!inOneLine(tiles)) return false;
  std::vector<int> across, down;  // square numbers, each list sorted by itself
  for (const TileSquare& t : tiles) {
    across.push_back(hIndex(t.row, t.col) + 1);
    down.push_back(vIndex(t.row, t.col) + 1);
  }
  std::sort(across.begin(), across.end());
  std::sort(down.begin(), down.end());
  for (std::size_t i = 0; i + 1 < tiles.size(); ++i)
    if (across[i] != across[i + 1] - 1 && down[i] != down[i + 1] - 1) return false;
  return true;
}

std::optional<std::string_view> moveFault(const Board& committed,
                                          std::span<const TileSquare> tiles, bool firstMove) {
  if (!inOneLine(tiles)) return "The tiles must lie in one row or one column";
  std::array<bool, kSquares> taken{};
  const auto onBoard = [](int r, int c) { return r >= 0 && r < kSide && c >= 0 && c < kSide; };
  for (const TileSquare& t : tiles) {
    if (!onBoard(t.row, t.col)) return "A tile lies off the board";
    const int h = hIndex(t.row, t.col);
    if (taken[h] || (!firstMove && committed.atH(h).occupied)) return "Two tiles lie on one square";
    taken[h] = true;
  }
  const auto filled = [&](int r, int c) {
    return onBoard(r, c) && (taken[hIndex(r, c)] || (!firstMove && committed.atH(hIndex(r, c)).occupied));
  };
  // Along the line, from the first tile to the last, nothing may be empty.
  int r0 = kSide, r1 = -1, c0 = kSide, c1 = -1;
  for (const TileSquare& t : tiles)
    r0 = std::min(r0, t.row), r1 = std::max(r1, t.row), c0 = std::min(c0, t.col),
    c1 = std::max(c1, t.col);
  for (int r = r0; r <= r1; ++r)
    for (int c = c0; c <= c1; ++c)
      if (!filled(r, c)) return "There is a gap in the word";
  if (firstMove) {
    if (!taken[kCentre]) return "The first move must cover the centre square";
    return std::nullopt;
  }
  const auto besideCommitted = [&](const TileSquare& t) {
    for (const auto& [dr, dc] : {std::pair{-1, 0}, {1, 0}, {0, -1}, {0, 1}})
      if (onBoard(t.row + dr, t.col + dc) && committed.atH(hIndex(t.row + dr, t.col + dc)).occupied)
        return true;
    return false;
  };
  if (std::none_of(tiles.begin(), tiles.end(), besideCommitted))
    return "The tiles must touch the letters already on the board";
  return std::nullopt;
}

}  // namespace tilvan
