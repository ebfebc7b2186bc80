#include "moves/pending.h"

#include "moves/move_check.h"
#include "moves/move_slots.h"
#include "moves/record.h"
#include "words/lookup.h"

namespace tilvan {

std::optional<PendingMove> pendingMove(const Game& game) {
  const GameState& now = game.state;
  if (now.MoveTileCount <= 0) return std::nullopt;
  PendingMove out;
  if (const auto fault = moveFault(now.Committed, moveSquares(now), now.MoveNumber == 0)) {
    out.legal = false;
    out.reason = *fault;
    return out;
  }
  // What USE would write and record, worked out on a copy of what it reads.
  GameState s;
  s.Committed = s.Prev = now.Committed;
  s.SquareBonus = now.SquareBonus;
  s.LetterChar = now.LetterChar;
  s.LetterValue = now.LetterValue;
  s.MoveRow = now.MoveRow, s.MoveCol = now.MoveCol, s.MoveTile = now.MoveTile;
  s.MoveValue = now.MoveValue, s.MoveLetter = now.MoveLetter;
  s.MoveTileCount = now.MoveTileCount;
  s.PlacedTile = now.PlacedTile;
  s.PlacedCount = now.PlacedCount;
  s.LockedCount = now.LockedCount;
  numberAndOrder(s);
  writeMoveOnBoard(s);
  const Turn turn = committedTurn(s);
  out.score = turn.score;
  const auto list = wordListInUse(game);
  for (const std::string& w : turn.words)
    out.words.push_back({w, list && list->derived<WordSet>().contains(w)});
  return out;
}

}  // namespace tilvan
