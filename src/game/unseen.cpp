#include "game/unseen.h"

#include <algorithm>
#include <numeric>

namespace tilvan {
namespace {

// The letter index of the tile or picture n; the blanks, named or not, are
// the blank.
int tileLetter(int n) { return isBlankLetterPicture(n) || isBlankTile(n) ? kBlank : letterBlockOf(n); }

}  // namespace

std::array<int, kLetters> unseenTiles(const Game& game) {
  const GameState& s = game.state;
  std::array<int, kLetters> unseen = kLetterCount;
  std::array<int, kLetters> laid{};  // by the move in progress
  for (int i = 0; i < kSquares; ++i) {
    const BoardSquare& sq = s.Committed.atH(i);
    const int l = sq.occupied ? tileLetter(sq.tile) : -1;
    if (l >= 0) --unseen[l];
  }
  for (int j = 0; j < std::min(s.MoveTileCount, kMoveSlots); ++j) {
    const int l = tileLetter(s.MoveTile[j]);
    if (l >= 0) ++laid[l];
  }
  std::array<int, kLetters> rack{};
  for (char c : game.form.txtRack.Text) {
    if (c == '_') ++rack[kBlank];
    if (c >= 'a' && c <= 'z') ++rack[c - 'a'];
  }
  const bool usersTurn = s.UserTurn > 0 && s.CurrentPlayer == s.UserTurn - 1;
  for (int l = 0; l < kLetters; ++l) {
    const int inHand = usersTurn ? std::max(laid[l], rack[l]) : laid[l] + rack[l];
    unseen[l] = std::max(unseen[l] - inHand, 0);
  }
  return unseen;
}

int bagCount(const Game& game) {
  const std::array<int, kLetters> unseen = unseenTiles(game);
  const int opponents = std::max(game.state.NumPlayers - 1, 0);
  return std::max(std::accumulate(unseen.begin(), unseen.end(), 0) - 7 * opponents, 0);
}

}  // namespace tilvan
