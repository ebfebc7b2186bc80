// "USE": commits the tiles laid on the main board as one move, or leaves
// them where they lie with the reason the move is refused.
#include <optional>
#include <string_view>
#include <vector>

#include "board/preview.h"
#include "game/handlers.h"
#include "moves/formed_words.h"
#include "moves/game_file.h"
#include "moves/move_check.h"
#include "moves/move_slots.h"
#include "moves/record.h"
#include "moves/take_back.h"

namespace tilvan {
namespace {

// Why the move may not be committed, or nothing. Marks FirstMoveOnCentre
// when a first move covers the centre square.
std::optional<std::string_view> refusalOf(GameState& s) {
  const std::vector<TileSquare> tiles = moveSquares(s);
  s.MoveCheck = true;
  if (s.MoveNumber > 0) {
    if (!laterMoveConnects(s.Committed, tiles)) return "The Player's Move is Invalid 1";
    return std::nullopt;
  }
  if (tiles.size() >= 2 && !firstMoveInLine(tiles)) return "The Player's Move is Invalid 2";
  for (int j = 0; j < kMoveSlots; ++j)
    if (s.MoveSquareH[j] == kCentre + 1) s.FirstMoveOnCentre = true;
  if (!s.FirstMoveOnCentre) return "The Player's Move is Invalid 3";
  return std::nullopt;
}

// The tiles of the user's own move leave the rack box: one of its letters
// for each tile, '_' for a blank; tiles it does not hold are passed over.
void takeOffRack(TextBox& rack, const Turn& move) {
  for (const TurnTile& t : move.tiles) {
    const std::size_t at = rack.Text.find(t.blank ? '_' : t.letter);
    if (at != std::string::npos) rack.Text.erase(at, 1);
  }
}

void commit(Game& game) {
  GameState& s = game.state;
  Form& f = game.form;
  s.Prev = s.Committed;
  writeMoveOnBoard(s);
  listFormedWords(game);
  s.Turns.push_back(committedTurn(s));
  s.TakenBack.clear();
  showTotals(game);
  for (int i = 0; i < s.MoveTileCount; ++i) s.SquareBonus[transposeIndex(s.MoveSquareV[i] - 1)] = 0;

  s.LastMoveLetter = s.MoveLetter;
  s.LastMoveTile = s.MoveTile;
  s.LastMoveTileCount = s.MoveTileCount;
  // The move's tiles leave the move being entered: no on-board marks remain.
  for (int i = 0; i < s.MoveTileCount; ++i) {
    const int n = s.MoveTile[i];
    s.TileOnBoard[n] = 0;
    if (isBlankLetterPicture(n)) s.TileOnBoard[blankOf(n)] = 0;
  }
  clearMoveSlots(s);
  s.UseClicks = 1;
  s.LockedCount = s.PlacedCount;
  s.DropSlot = s.DropSlot2 = 0;
  s.MoveTileCount = 0;
  s.MainWordDown = false;
  // Marks of an earlier check must not stay beside the new words. (Before
  // the first move there are none, unless a checked first move was taken
  // back.)
  bool marked = false;
  for (const std::string& mark : f.lblCheckWords) marked = marked || !mark.empty();
  if (s.MoveNumber > 0 || marked) f.lblCheckWords.fill(" ");
  ++s.MoveNumber;
  // The word labels now list this move's words, which stay.
  s.Finder.ResultWordsShown = false;
  clearResults(game);
}

}  // namespace

void pressUse(Game& game, Prompts& prompts) {
  GameState& s = game.state;
  Form& f = game.form;
  const auto refuse = [&](std::string_view text) {
    s.WordCount = 0;
    prompts.message(text);
  };
  if (s.MoveTileCount <= 0) return refuse("No tiles are laid on the board.");
  if (s.UseClicks > 1) return refuse("button clicked more than once");
  if (gameEnded(s.Turns)) return refuse("The game has ended. Clear Last Move takes back its end.");

  // A refused move stays as it was laid, its slots in the order of laying
  // (Backspace takes back the last of them), and the last move's words stay
  // listed.
  GameState laid = s;
  numberAndOrder(laid);
  if (const auto refusal = refusalOf(laid)) {
    s.MoveCheck = laid.MoveCheck;
    prompts.message(*refusal);
    if (const auto why = moveFault(s.Committed, moveSquares(s), s.MoveNumber == 0))
      prompts.status(*why);
    return;
  }
  s = std::move(laid);
  s.WordCount = 0;
  for (auto& word : s.FormedWords) word.clear();
  for (auto& label : f.lblWords) label.clear();
  s.WordFound.fill(false);
  s.MainWordSquares.fill(0);
  ++s.UseClicks;
  s.LastMovePlayer = s.CurrentPlayer;
  turnTo(game, nextPlayer(s.CurrentPlayer, s.NumPlayers));
  commit(game);
  if (s.LastMovePlayer == s.UserTurn - 1) takeOffRack(f.txtRack, s.Turns.back());
  autosave(game, prompts);
}

}  // namespace tilvan
