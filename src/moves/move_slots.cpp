#include "moves/move_slots.h"

#include <utility>

namespace tilvan {

void numberAndOrder(GameState& s) {
  for (int j = 0; j < kMoveSlots; ++j) {
    if (s.MoveRow[j] <= 0) continue;
    s.MoveSquareH[j] = kSide * (s.MoveRow[j] - 1) + s.MoveCol[j];
    s.MoveSquareV[j] = kSide * (s.MoveCol[j] - 1) + s.MoveRow[j];
  }
  const int n = s.MoveTileCount;
  for (bool swapped = true; swapped;) {
    swapped = false;
    for (int j = 1; j < n; ++j) {
      if (s.MoveSquareV[j - 1] <= s.MoveSquareV[j]) continue;
      for (auto* field : {&s.MoveSquareV, &s.MoveSquareH, &s.MoveLetter, &s.MoveValue, &s.MoveTile,
                          &s.MoveRow, &s.MoveCol})
        std::swap((*field)[j - 1], (*field)[j]);
      swapped = true;
    }
  }
  for (bool swapped = true; swapped;) {
    swapped = false;
    for (int j = 1; j < n; ++j) {
      if (s.MoveSquareH[j - 1] <= s.MoveSquareH[j]) continue;
      std::swap(s.MoveSquareH[j - 1], s.MoveSquareH[j]);
      swapped = true;
    }
  }
}

std::vector<TileSquare> moveSquares(const GameState& s) {
  std::vector<TileSquare> tiles;
  for (int j = 0; j < s.MoveTileCount && j < kMoveSlots; ++j)
    tiles.push_back({s.MoveRow[j] - 1, s.MoveCol[j] - 1});
  return tiles;
}

void writeMoveOnBoard(GameState& s) {
  for (int i = 0; i < s.MoveTileCount && i < kMoveSlots; ++i) {
    const int h = transposeIndex(s.MoveSquareV[i] - 1);
    s.Committed.set(h, {true, s.MoveLetter[i], s.MoveValue[i], s.MoveTile[i]});
  }
}

}  // namespace tilvan
