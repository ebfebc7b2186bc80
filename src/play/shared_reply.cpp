#include "play/shared_reply.h"

#include <limits>

#include "finder/marked_lines.h"

namespace tilvan::play {

SharedReply::SharedReply(const WordList& list, const LeaveTable& table, std::size_t baseSize)
    : list_(list), table_(table), baseSize_(baseSize) {
  in_.table = &table_;
  in_.bag = 1;  // any bag that holds tiles
}

void SharedReply::setBase(const Board& board, const std::array<int, kSquares>& premiums,
                          std::string_view rack, const BoardReading* known) {
  rack_ = rack;
  leaves_.emplace(rack_, in_);
  leaves_->fillAll(byKept_);
  completeMovesByValue(list_, board, premiums, rack_, byKept_, baseSize_, base_, known);
}

bool SharedReply::bestPlacement(const Board& board, const std::array<int, kSquares>& premiums,
                                const int* squares, int count, const BoardReading* known,
                                const CompleteMove*& best) {
  best = nullptr;
  if (count == 0) {
    if (!base_.empty()) best = &base_.front();
    return true;
  }
  const LineMask lines = markedLines(board, squares, count);
  // The best unmarked placement is the first unmarked one listed; the
  // search afresh need only find the marked ones that rank before it.
  const CompleteMove* kept = nullptr;
  for (const CompleteMove& m : base_)
    if (!onMarkedLine(lines, m.down, m.row, m.col)) {
      kept = &m;
      break;
    }
  completeMovesByValue(list_, board, premiums, rack_, byKept_, 1, fresh_, known, &lines, kept);
  if (!fresh_.empty()) best = &fresh_.front();
  // With no unmarked placement listed, one that ranks after the list may
  // beat the marked ones unless the list is whole.
  return kept || base_.size() < baseSize_ || (best && valueRankedBefore(*best, base_.back()));
}

Choice SharedReply::replyAfter(const Board& board, const std::array<int, kSquares>& premiums,
                               const int* squares, int count, int bag, const BoardReading* known) {
  const CompleteMove* best = nullptr;
  if (!bestPlacement(board, premiums, squares, count, known, best)) {
    ValueInputs in = in_;
    in.bag = bag;
    return rankByValue(list_, board, premiums, rack_, in, 1, known).front();
  }
  // Every leave's value is known since setBase (the same for any bag that
  // holds tiles), so the leaves serve every board.
  const double floor = best ? best->value : -std::numeric_limits<double>::infinity();
  std::vector<Choice> exchange = bestExchanges(rack_, *leaves_, byKept_, bag, 1, floor);
  if (best) {
    Choice move = placementChoice(board, rack_, *leaves_, *best);
    if (exchange.empty() || valueBefore(move, exchange.front())) return move;
  }
  if (!exchange.empty()) return std::move(exchange.front());
  Choice pass;
  pass.keep = rack_;
  return pass;
}

}  // namespace tilvan::play
