// The move in progress, scored and checked as it is laid, before USE.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "game/game.h"

namespace tilvan {

struct PendingWord {
  std::string text;    // lower case
  bool found = false;  // a record of the word list in use
};

struct PendingMove {
  int score = 0;                   // by the game's rules, as USE would record it
  std::vector<PendingWord> words;  // the main word first, then its cross-words
  bool legal = true;
  std::string reason;  // why USE would refuse the move, in plain words (not legal)
};

// The tiles laid on the main board and not yet committed (typed, dragged or
// a laid result): nothing when no tile is laid. A move USE would refuse is
// not legal, with the reason, no words and score 0; otherwise its score and
// words are what USE would record, each word looked up in the word list
// (none found when the list cannot be read).
std::optional<PendingMove> pendingMove(const Game& game);

}  // namespace tilvan
