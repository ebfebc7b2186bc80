// The game's record: every turn played, in order. It is the source of truth
// for the score sheet, taking back and putting back turns, and game files;
// the board, the stacks and the turn can always be rebuilt from it.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "game/rules.h"

namespace tilvan {

// One tile laid by a move.
struct TurnTile {
  int row = 0, col = 0;  // 0-based square
  char letter = 'a';     // the letter it stands for, 'a'..'z'
  bool blank = false;    // a blank laid as that letter
  int tile = 0;          // the tile of the set (0..99; the blanks 98 and 99)
  bool operator==(const TurnTile&) const = default;
};

enum class TurnKind { kMove, kPass, kEnd };

struct Turn {
  TurnKind kind = TurnKind::kMove;
  int player = 0;  // 0-based
  // A move: its tiles in the order they were laid, where its main word lies
  // (its first square and direction) and the words it formed, main word first.
  std::vector<TurnTile> tiles;
  bool down = false;
  int row = 0, col = 0;
  std::vector<std::string> words;
  // The score by the game's rules (an end-of-game adjustment for kEnd), and
  // the score agreed at the table when the user corrected it.
  int score = 0;
  std::optional<int> corrected;

  int recorded() const { return corrected.value_or(score); }
  bool operator==(const Turn&) const = default;
};

// The largest score, either way, that a turn may be given (by the rules or
// at the table): what a game file holds.
inline constexpr int kMaxTurnScore = 100000;

// A running total: wide enough for any number of turns of any score a file
// holds.
using Total = long long;

// Each player's total: the sum of their turns' recorded scores.
inline std::array<Total, kPlayers> playerTotals(const std::vector<Turn>& turns) {
  std::array<Total, kPlayers> totals{};
  for (const Turn& t : turns)
    if (t.player >= 0 && t.player < kPlayers) totals[t.player] += t.recorded();
  return totals;
}

struct Game;
// Shows each player's total beside their number in the window's mirror
// (players not in the game show nothing).  (game/players.cpp)
void showTotals(Game& game);

// True once the game has been ended (its last turns are the end-of-game
// adjustments).
inline bool gameEnded(const std::vector<Turn>& turns) {
  return !turns.empty() && turns.back().kind == TurnKind::kEnd;
}

}  // namespace tilvan
