// A light position for searching to the end of the game: the board as the
// complete search reads it, both racks as letter counts, the side to move,
// the scoreless turns in a row and a Zobrist key of all of it. Moves are
// played and taken back in place. The complete search's reading of the
// board (two frames) is brought up to date only when placements are asked
// for, so that moves whose value needs no further search cost no reading.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "finder/complete_frame.h"
#include "finder/complete_search.h"
#include "game/game_state.h"
#include "words/word_list.h"

namespace tilvan {

// A placement as the endgame search keeps it (count 0: a pass).
struct EgMove {
  std::int16_t score = 0;
  std::uint8_t count = 0;      // tiles laid
  std::uint8_t blankMask = 0;  // bit k: tile k is a blank
  std::array<std::uint8_t, kMoveSlots> square{};  // H index
  std::array<std::uint8_t, kMoveSlots> letter{};  // 0..25
  bool isPass() const { return count == 0; }
  bool operator==(const EgMove&) const = default;
};

// The order of the placements the position lists: score descending, then
// more tiles first (placements equal so keep an order of their own).
bool scoreBefore(const EgMove& a, const EgMove& b);

// A placement of the complete search as an EgMove on `board`.
EgMove toEgMove(const CompleteResult& r, const Board& board);
EgMove toEgMove(const CompleteMove& m, const Board& board);
// The same on the board read into frame `across` (its squares in H order).
EgMove toEgMove(const CompleteMove& m, const Frame& across);

// The game ends after this many scoreless turns in a row.
inline constexpr int kScorelessLimit = 6;

class EgPosition {
 public:
  // `state` gives the board and its premiums; rack is the side to move's.
  // The list must outlive the position.
  EgPosition(const WordList& list, const GameState& state, std::string_view rack,
             std::string_view opponent);

  // Every placement of the side to move's rack (no pass), in scoreBefore
  // order.
  void placements(std::vector<EgMove>& out);
  // The same placements from `before`, the side to move's placements (pass
  // included or not) on the board `since` moves ago (1, 2, ...; with its
  // rack then, whoever was to move there): the placements of
  // `before` that the rack still holds and that the moves since cannot have
  // changed, and the placements found afresh on the lines that those moves
  // touch, and when the rack holds a blank, those in which it stands for a
  // letter the side to move laid since (see endgame_lists.cpp). The same set
  // as placements(), in scoreBefore order; false (out untouched) when fewer
  // moves were played or the rack holds two blanks and the side to move laid
  // letter tiles since.
  bool placementsAfter(const std::vector<EgMove>& before, int since, std::vector<EgMove>& out);
  // The side to move's placements on the board before the last move (its
  // rack unchanged since), as placements() gives them there, and the
  // placementKey() of that board with this side to move.
  // REQUIRES: played() >= 1.
  void placementsBeforeLast(std::vector<EgMove>& out);
  std::uint64_t placementKeyBeforeLast() const;
  // placementKey() of the position `since` moves ago (1 <= since <= moves played).
  std::uint64_t placementKeyBefore(int since) const {
    return placementKeys_[placementKeys_.size() - static_cast<std::size_t>(since)];
  }
  int played() const { return static_cast<int>(played_.size()); }
  // True when placement m (not a pass) lies on none of the lines that the
  // last move marks (finder/marked_lines.h): m is then a placement of the
  // board before that move, with the same words and score, exactly when it
  // is one of the board now. REQUIRES: a move was played.
  bool clearOfLastMove(const EgMove& m) const;
  // The complete search's results for the side to move (for showing moves).
  std::vector<CompleteResult> completeResults() const;
  // The board as the complete search reads it, brought up to date with the
  // moves played.
  const std::array<Frame, 2>& frames();

  void play(const EgMove& m);
  void undo(const EgMove& m);

  int toMove() const { return toMove_; }
  int tiles(int player) const { return tiles_[player]; }
  int rackSum(int player) const { return sum_[player]; }
  int scoreless() const { return scoreless_; }
  std::string rack(int player) const;
  // Key of the position: board, the mover's and the other's rack, scoreless turns.
  std::uint64_t key() const {
    return board_ ^ rackKey_[toMove_][0] ^ rackKey_[1 - toMove_][1] ^ scorelessKey(scoreless_);
  }
  // Key of what the side to move's placements depend on: board and its rack.
  std::uint64_t placementKey() const { return board_ ^ rackKey_[toMove_][0]; }
  const GameState& state() const { return state_; }

 private:
  static std::uint64_t scorelessKey(int n);
  void takeTile(int player, int letter);
  void giveTile(int player, int letter);
  void layOnFrames(const EgMove& m, std::array<Frame, 2>& fr) const;
  // Placements on the marked lines only: bit r of lines[0] row r across,
  // bit c of lines[1] column c down; appended to out in the order found.
  // With `blankLetters` other than kAnyLetter (bit l: letter l), only those
  // that lay a blank, their blanks standing for those letters.
  void placementsOnLines(const std::array<std::uint16_t, 2>& lines, std::uint32_t blankLetters,
                         std::vector<EgMove>& out);

  const WordList& list_;
  const WordGraph& graph_;
  GameState state_;
  // frames_[k]: the board after the first k moves of played_ (k <= played_.size()).
  std::vector<std::array<Frame, 2>> frames_;
  std::vector<EgMove> played_;
  std::vector<int> laidScratch_;
  std::vector<EgMove> keptScratch_, freshScratch_;
  std::vector<std::uint64_t> placementKeys_;  // placementKey() before each move played
  std::vector<CompleteMove> found_;
  std::array<std::array<int, kLetters>, 2> rack_{};
  std::array<int, 2> tiles_{}, sum_{};
  // Per player, its rack hashed as the mover's [0] and as the other's [1].
  std::array<std::array<std::uint64_t, 2>, 2> rackKey_{};
  std::uint64_t board_ = 0;
  int toMove_ = 0, scoreless_ = 0;
  std::vector<int> scorelessStack_;
  std::vector<std::array<int, kMoveSlots>> bonusStack_;
};

// Points that the end of the game moves from one side to the other, from
// the point of view of the player who just moved: playing out gains twice
// the other's tiles; six scoreless turns cost each their own tiles.
// (Agrees with the score sheet's end of the game; a test holds them equal.)
inline int outBonus(int otherSum) { return 2 * otherSum; }
inline int scorelessEnd(int ownSum, int otherSum) { return otherSum - ownSum; }

}  // namespace tilvan
