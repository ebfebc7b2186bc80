// Who leads the game, and who won it once it has ended.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "game/history.h"

namespace tilvan {

struct Standings {
  std::array<Total, kPlayers> totals{};  // players beyond the number of players: 0
  std::vector<int> leaders;            // 0-based, the highest total; more than one on a tie
  bool over = false;                   // the game has ended: the leaders won
};

// The standings of `players` players after the record `turns`.
inline Standings standings(const std::vector<Turn>& turns, int players) {
  Standings s;
  s.totals = playerTotals(turns);
  s.over = gameEnded(turns);
  for (int p = 0; p < players && p < kPlayers; ++p) {
    if (!s.leaders.empty() && s.totals[p] < s.totals[s.leaders.front()]) continue;
    if (!s.leaders.empty() && s.totals[p] > s.totals[s.leaders.front()]) s.leaders.clear();
    s.leaders.push_back(p);
  }
  return s;
}

// Where a move starts, as the score sheet names it: across by its row then
// its column ("8G"), down by its column then its row ("G8"); 0-based input.
inline std::string placeName(int row, int col, bool down) {
  const std::string r = std::to_string(row + 1), c(1, static_cast<char>('A' + col));
  return down ? c + r : r + c;
}

}  // namespace tilvan
