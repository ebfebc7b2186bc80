// The score sheet's actions: a pass or exchange, a corrected score, and the
// end of the game.
#include <string>

#include "game/handlers.h"
#include "moves/end_of_game.h"
#include "moves/game_file.h"
#include "moves/record.h"
#include "moves/take_back.h"

namespace tilvan {
namespace {

constexpr std::string_view kSetPlayersFirst =
    "You Must Input Number of Players and Your Turn Before Starting Game!";
constexpr std::string_view kGameEnded = "The game has ended. Clear Last Move takes back its end.";

// The tiles of each letter index that no committed move has laid.
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

// Why these racks cannot be what is left at the end, or nothing.
std::optional<std::string> rackError(const GameState& s, const std::vector<std::string>& racks) {
  if (static_cast<int>(racks.size()) != s.NumPlayers)
    return "Give the tiles left on the racks of all " + std::to_string(s.NumPlayers) + " players.";
  std::array<int, kLetters> left = tilesNotLaid(s);
  for (std::size_t p = 0; p < racks.size(); ++p) {
    if (racks[p].size() > static_cast<std::size_t>(kMoveSlots))
      return "Player " + std::to_string(p + 1) + " cannot have more than 7 tiles left.";
    for (char c : racks[p]) {
      const int letter = c == '_' ? kBlank : c >= 'a' && c <= 'z' ? c - 'a' : -1;
      if (letter < 0)
        return "\"" + std::string(1, c) + "\" is not a tile: use a to z, _ for a blank.";
      if (--left[letter] < 0)
        return "There are not that many " + std::string(1, letterChar(letter)) + " tiles left.";
    }
  }
  return std::nullopt;
}

}  // namespace

std::vector<int> endOfGameAdjustments(const std::vector<std::string>& racks) {
  // Each player loses what is left on their rack; a player who used all
  // their tiles gains what the others lose.
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

void pressPass(Game& game, Prompts& prompts) {
  GameState& s = game.state;
  if (s.NumPlayers == 0 || s.UserTurn == 0) return prompts.message(kSetPlayersFirst);
  if (gameEnded(s.Turns)) return prompts.message(kGameEnded);
  if (s.MoveTileCount > 0 || s.PlacedCount > s.LockedCount) takeBackMoveInProgress(game);
  Turn pass;
  pass.kind = TurnKind::kPass;
  pass.player = s.CurrentPlayer;
  s.Turns.push_back(std::move(pass));
  s.TakenBack.clear();
  s.LastMovePlayer = s.CurrentPlayer;
  turnTo(game, nextPlayer(s.CurrentPlayer, s.NumPlayers));
  showTotals(game);
  autosave(game, prompts);
}

void adjustScore(Game& game, Prompts& prompts, int turn, int score) {
  GameState& s = game.state;
  if (turn < 0 || turn >= static_cast<int>(s.Turns.size()))
    return prompts.message("There is no turn " + std::to_string(turn + 1) + " on the score sheet.");
  Turn& t = s.Turns[static_cast<std::size_t>(turn)];
  if (score == t.score)
    t.corrected.reset();
  else
    t.corrected = score;
  showTotals(game);
  autosave(game, prompts);
}

void endGame(Game& game, Prompts& prompts, const std::vector<std::string>& typed) {
  GameState& s = game.state;
  std::vector<std::string> racks;  // capitals lowered, as the rack box lowers them
  for (const std::string& rack : typed) racks.push_back(lowerCase(rack));
  if (s.NumPlayers == 0 || s.UserTurn == 0) return prompts.message(kSetPlayersFirst);
  if (gameEnded(s.Turns)) return prompts.message(kGameEnded);
  if (auto why = rackError(s, racks)) return prompts.message(*why);
  if (s.MoveTileCount > 0 || s.PlacedCount > s.LockedCount) takeBackMoveInProgress(game);
  const std::vector<int> adjustments = endOfGameAdjustments(racks);
  for (std::size_t p = 0; p < racks.size(); ++p) {
    Turn end;
    end.kind = TurnKind::kEnd;
    end.player = static_cast<int>(p);
    end.score = adjustments[p];
    s.Turns.push_back(std::move(end));
  }
  s.TakenBack.clear();
  showTotals(game);
  markTurnOrEnd(game);
  autosave(game, prompts);
}

}  // namespace tilvan
