// Laying a result of the word finder on the main board as the move in
// progress: each new tile of the placement from its stack, as typed.
#include <array>
#include <vector>

#include "board/typing.h"
#include "game/handlers.h"
#include "game/move_score.h"

namespace tilvan {
namespace {

// One tile a placement lays: its stack (kBlank for a blank), the letter it
// shows and its square.
struct NewTile {
  int stack = 0, letter = 0, row = 0, col = 0;
};

// The candidate shown by result button k, with its direction; nullptr when
// the button shows nothing.
const Candidate* slotCandidate(const FinderState& f, int k, bool& down) {
  for (bool d : {true, false}) {
    const CandidateSet& set = d ? f.V : f.H;
    const auto& slot = d ? f.SlotV : f.SlotH;
    const int pos = (d ? f.SlotRankV : f.SlotRankH)[k];
    if (slot[k] != k + 1 || pos < 0 || pos >= static_cast<int>(set.RankedCand.size())) continue;
    const int cand = set.RankedCand[pos];
    if (cand < 0 || cand >= static_cast<int>(set.Cands.size())) continue;
    if (set.Cands[cand].Words.empty()) continue;
    down = d;
    return &set.Cands[cand];
  }
  return nullptr;
}

// The tiles the placement adds to the board the search read, in the order
// of its main word.
std::vector<NewTile> newTiles(const FinderState& f, const Candidate& c, bool down) {
  const auto& grid = down ? f.BoardCharV : f.BoardCharH;
  const std::string& w = c.Words[0].Text;
  std::vector<NewTile> out;
  for (int p = 0; p < static_cast<int>(w.size()); ++p) {
    const int s = c.Words[0].Start + p;
    if (s < 0 || s >= kSquares || grid[s] || w[p] < 'a' || w[p] > 'z') continue;
    const bool blank = p < static_cast<int>(c.TilesUsed.size()) && c.TilesUsed[p] == '_';
    const int line = s / kSide, pos = s % kSide;
    out.push_back({blank ? kBlank : w[p] - 'a', w[p] - 'a', down ? pos : line, down ? line : pos});
  }
  return out;
}

// Tiles of letter L's stack once the move in progress has gone home.
int availableAfterTakeBack(const Game& game, int letter) {
  int count = stackSize(game, letter);
  const GameState& s = game.state;
  for (int j = 0; j < s.MoveTileCount && j < kMoveSlots; ++j) {
    const int n = s.MoveTile[j];
    count += (isBlankLetterPicture(n) ? kBlank : letterBlockOf(n)) == letter;
  }
  return count;
}

}  // namespace

void layResult(Game& game, Prompts& prompts, int k) {
  if (k < 0 || k >= kResultSlots) return;
  const FinderState& f = game.state.Finder;
  bool down = false;
  const Candidate* c = slotCandidate(f, k, down);
  if (!c && !f.SlotExchange[k].empty()) {
    prompts.message("Result " + std::to_string(k + 1) + " lays no tiles: " + f.SlotExchange[k] +
                    ". \"Pass / Exchange\" records an exchange.");
    return;
  }
  if (!c) {
    // No search since the board last changed, or one that filled fewer slots.
    prompts.message("Result " + std::to_string(k + 1) + " holds no placement to lay.");
    return;
  }
  if (letterGridOf(game.state.Committed, game.state.LetterChar, false) != f.BoardCharH) {
    prompts.message("The board has changed since this result was found.");
    return;
  }
  const std::vector<NewTile> tiles = newTiles(f, *c, down);
  std::array<int, kLetters> needed{};
  for (const NewTile& t : tiles) {
    if (++needed[t.stack] > availableAfterTakeBack(game, t.stack)) {
      prompts.message(noTileLeft(t.stack));
      return;
    }
  }
  pressEscape(game, prompts);
  game.form.cursor.Visible = false;
  for (const NewTile& t : tiles)
    if (!layFromStack(game, prompts, t.stack, t.stack == kBlank ? t.letter : -1, t.row, t.col))
      return;
}

}  // namespace tilvan
