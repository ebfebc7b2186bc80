// The best reply by value of one rack to many boards that each differ from
// one base board by the tiles of one move (a round of simulation: the
// opponent's reply to each candidate, on the same draw), sharing the search
// of the base board. Gives what rankByValue(..., 1) gives on each board.
//
// Let B0 be the base board, R the rack, T a move's tiles and B = B0 + T;
// the lines marked for T are those of finder/marked_lines.h.
// (1) While the bag holds tiles, a leave's value depends only on the rack
//     (RackLeaves::fillAll), so a placement is worth the same on B0 and B.
// (2) The placements on unmarked lines of B are those of B0 on the same
//     lines, with the same words and scores (marked_lines.h (1), (2)): the
//     best of them is the first of B0's list (valueRankedBefore order)
//     that is not on a marked line.
// (3) The placements on marked lines are found afresh on B, the best
//     unmarked placement taken as found already (so that the search need
//     only look for those that rank before it): the best of them all in
//     valueRankedBefore order is the best placement.
// (4) The exchanges depend only on the rack and the bag's size, and the
//     best of placements, exchanges and the pass is taken as rankByValue
//     takes it (the same functions of choice.h).
// B0's list holds its best `baseSize` placements only. When every one of
// them lies on a marked line and the best found afresh does not rank
// before the last of them, the best unmarked placement is not known:
// rankByValue is run on B instead.
//
// One object per thread: it keeps its lists from one call to the next.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "play/choice.h"

namespace tilvan::play {

class SharedReply {
 public:
  // The list and table must outlive the object.
  SharedReply(const WordList& list, const LeaveTable& table, std::size_t baseSize = 8);
  // Its leaves refer to its own inputs: not copied.
  SharedReply(const SharedReply&) = delete;
  SharedReply& operator=(const SharedReply&) = delete;

  // Takes the base board (premiums still unused by H index) and the rack
  // (sorted, at most 7 tiles). `known`: the board's reading when one is kept.
  void setBase(const Board& board, const std::array<int, kSquares>& premiums, std::string_view rack,
               const BoardReading* known = nullptr);

  // The rack's best reply by value on `board`, the base board with tiles
  // laid at H indices squares[0..count) (count 0: the base board itself),
  // with `bag` tiles in the bag: rankByValue(list, board, premiums, rack,
  // in, 1).front() for any `in` of the table with in.bag == bag.
  // `known`: the reading of `board` when one is kept.
  // REQUIRES: setBase ran; bag > 0; `premiums` those of `board`.
  Choice replyAfter(const Board& board, const std::array<int, kSquares>& premiums,
                    const int* squares, int count, int bag, const BoardReading* known = nullptr);

 private:
  // The best placement on `board` into `best` (nullptr: none); false when
  // B0's list is too short to tell (see above).
  bool bestPlacement(const Board& board, const std::array<int, kSquares>& premiums,
                     const int* squares, int count, const BoardReading* known,
                     const CompleteMove*& best);

  const WordList& list_;
  const LeaveTable& table_;
  std::size_t baseSize_;
  std::string rack_;
  ValueInputs in_;  // the table, and a bag that holds tiles
  std::optional<RackLeaves> leaves_;  // the rack's, every value filled in
  LeaveValues byKept_{};
  std::vector<CompleteMove> base_;  // B0's best placements, valueRankedBefore order
  std::vector<CompleteMove> fresh_;
};

}  // namespace tilvan::play
