// Candidates of a turn valued by points now plus the leave kept: every
// placement, and every exchange while the bag allows one.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "finder/complete_search.h"
#include "game/board.h"
#include "play/leave.h"
#include "words/word_list.h"

namespace tilvan::play {

struct Choice {
  enum class Kind { kMove, kExchange, kPass };
  Kind kind = Kind::kPass;
  CompleteMove move;   // kMove
  std::string keep;    // the tiles kept (the leave), sorted
  std::string thrown;  // kExchange: the tiles thrown back, sorted
  int score = 0;
  double leaveValue = 0;
  double value = 0;  // score + leaveValue
};

// What the leave values depend on besides the leave.
struct ValueInputs {
  const LeaveTable* table = nullptr;
  std::string unseen;  // the tiles the player cannot see
  int bag = 0;         // how many of them are in the bag
  int players = 2;
};

// The value inputs of a player who sees `board` and `rack` in a game of
// `players`: the unseen tiles are the full set less the board's tiles and
// the rack's, and the bag holds all of them but 7 per opponent.
ValueInputs inputsFor(const Board& board, std::string_view rack, int players,
                      const LeaveTable& table);

// The values of every leave of one rack, by the mask of rack positions used
// (see usedMask), each worked out once.
class RackLeaves {
 public:
  RackLeaves(std::string_view rack, const ValueInputs& in);
  double of(unsigned used);
  std::string leave(unsigned used) const;
  // Works out every leave's value at once (the table's own shortcut while
  // the bag holds tiles) and gives them by the mask of positions kept:
  // byKept[kept] == of(all & ~kept). REQUIRES: at most 7 tiles.
  void fillAll(LeaveValues& byKept);

 private:
  std::string rack_;
  const ValueInputs& in_;
  std::vector<double> value_;
  std::vector<char> known_;
};

// True when `a` ranks before `b` by value: higher value, then moves before
// exchanges, then moves in the complete search's order and exchanges by
// the tiles kept.
bool valueBefore(const Choice& a, const Choice& b);

// The exchanges of `rack` (each distinct set of tiles kept, 0 to size-1 of
// them), valued; none unless in.bag >= 7.
std::vector<Choice> exchangeChoices(std::string_view rack, RackLeaves& leaves,
                                    const ValueInputs& in);

// The best `limit` exchanges of `rack` (in valueBefore order; none unless
// bag >= 7) of those worth more than `floor`; byKept as leaves.fillAll
// gives it.
std::vector<Choice> bestExchanges(std::string_view rack, RackLeaves& leaves,
                                  const LeaveValues& byKept, int bag, std::size_t limit,
                                  double floor);

// Placement m (valued) of `rack` on `board` as a choice.
Choice placementChoice(const Board& board, std::string_view rack, RackLeaves& leaves,
                       const CompleteMove& m);

// The best `limit` of every placement of `rack` on `board` (premiums still
// unused by H index) and every exchange, valued and in valueBefore order;
// a pass alone when there is nothing else. Placements that cannot reach
// the best `limit` are dropped as the search finds them.
// `known`: the board's reading when one is kept (see completeMovesByValue).
// REQUIRES: rack sorted, at most 7 tiles.
std::vector<Choice> rankByValue(const WordList& list, const Board& board,
                                const std::array<int, kSquares>& premiums, std::string_view rack,
                                const ValueInputs& in, std::size_t limit,
                                const BoardReading* known = nullptr);

}  // namespace tilvan::play
