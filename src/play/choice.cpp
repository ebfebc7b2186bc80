#include "play/choice.h"

#include <algorithm>
#include <array>
#include <limits>

#include "play/position.h"

namespace tilvan::play {
namespace {

constexpr int kMinBag = kMinBagToExchange;

}  // namespace

ValueInputs inputsFor(const Board& board, std::string_view rack, int players,
                      const LeaveTable& table) {
  std::array<int, kLetters> left = kLetterCount;
  for (const BoardSquare& sq : board.cells) {
    const int l = scoresNothing(sq.tile) ? kBlank : sq.letter;
    if (sq.occupied && l >= 0 && l < kLetters) --left[l];
  }
  for (char c : rack)
    if (c == '_' || (c >= 'a' && c <= 'z')) --left[c == '_' ? kBlank : c - 'a'];
  ValueInputs in;
  in.table = &table;
  in.players = players;
  for (int l = 0; l < kLetters; ++l)
    in.unseen.append(static_cast<std::size_t>(std::max(0, left[l])), letterChar(l));
  in.bag = std::max(0, static_cast<int>(in.unseen.size()) - kMoveSlots * (players - 1));
  return in;
}

RackLeaves::RackLeaves(std::string_view rack, const ValueInputs& in)
    : rack_(rack),
      in_(in),
      value_(std::size_t{1} << rack_.size()),
      known_(std::size_t{1} << rack_.size()) {}

std::string RackLeaves::leave(unsigned used) const {
  std::string out;
  for (std::size_t k = 0; k < rack_.size(); ++k)
    if (!((used >> k) & 1)) out += rack_[k];
  return out;
}

double RackLeaves::of(unsigned used) {
  if (!known_[used]) {
    std::array<char, kMoveSlots> buf{};
    std::size_t n = 0;
    for (std::size_t k = 0; k < rack_.size() && n < buf.size(); ++k)
      if (!((used >> k) & 1)) buf[n++] = rack_[k];
    value_[used] =
        leaveValue(*in_.table, std::string_view(buf.data(), n), in_.unseen, in_.bag, in_.players);
    known_[used] = 1;
  }
  return value_[used];
}

void RackLeaves::fillAll(LeaveValues& byKept) {
  const unsigned all = (1u << rack_.size()) - 1;
  if (in_.bag > 0) {
    in_.table->valuesByKept(rack_, byKept.data());
    for (unsigned used = 0; used <= all; ++used) {
      value_[used] = byKept[all & ~used];
      known_[used] = 1;
    }
    return;
  }
  for (unsigned used = 0; used <= all; ++used) byKept[all & ~used] = of(used);
}

bool valueBefore(const Choice& a, const Choice& b) {
  if (a.value != b.value) return a.value > b.value;
  if (a.kind != b.kind) return a.kind < b.kind;
  if (a.kind == Choice::Kind::kMove) return rankedBefore(a.move, b.move);
  return a.keep < b.keep;
}

namespace {

// The rack positions thrown by each distinct exchange: of equal tiles the
// last ones (as usedMask takes them), so each is listed once.
std::vector<unsigned> exchangeMasks(std::string_view rack, int bag) {
  std::vector<unsigned> out;
  if (bag < kMinBag || rack.empty()) return out;
  unsigned repeats = 0;  // bit k: rack[k] repeats rack[k - 1]
  for (std::size_t k = 1; k < rack.size(); ++k)
    if (rack[k] == rack[k - 1]) repeats |= 1u << k;
  const unsigned all = (1u << rack.size()) - 1;
  out.reserve(all);
  // Not canonical: a tile thrown while the equal tile after it is kept.
  for (unsigned used = 1; used <= all; ++used)
    if (!(repeats & (used << 1) & ~used)) out.push_back(used);
  return out;
}

}  // namespace

std::vector<Choice> bestExchanges(std::string_view rack, RackLeaves& leaves,
                                  const LeaveValues& byKept, int bag, std::size_t limit,
                                  double floor) {
  const unsigned all = (1u << rack.size()) - 1;
  std::vector<unsigned> thrown = exchangeMasks(rack, bag);
  std::erase_if(thrown, [&](unsigned used) { return byKept[all & ~used] <= floor; });
  const auto exchangeFirst = [&](unsigned a, unsigned b) {
    const double va = byKept[all & ~a], vb = byKept[all & ~b];
    return va != vb ? va > vb : leaves.leave(a) < leaves.leave(b);
  };
  const auto few = static_cast<std::ptrdiff_t>(std::min(limit, thrown.size()));
  std::partial_sort(thrown.begin(), thrown.begin() + few, thrown.end(), exchangeFirst);
  thrown.resize(static_cast<std::size_t>(few));
  std::vector<Choice> out;
  for (unsigned used : thrown) {
    Choice c;
    c.kind = Choice::Kind::kExchange;
    c.keep = leaves.leave(used);
    c.thrown = leaves.leave(all & ~used);
    c.leaveValue = c.value = byKept[all & ~used];
    out.push_back(std::move(c));
  }
  return out;
}

std::vector<Choice> exchangeChoices(std::string_view rack, RackLeaves& leaves,
                                    const ValueInputs& in) {
  std::vector<Choice> out;
  const unsigned all = (1u << rack.size()) - 1;
  for (unsigned used : exchangeMasks(rack, in.bag)) {
    Choice c;
    c.kind = Choice::Kind::kExchange;
    c.keep = leaves.leave(used);
    c.thrown = leaves.leave(all & ~used);
    c.leaveValue = leaves.of(used);
    c.value = c.leaveValue;
    out.push_back(std::move(c));
  }
  return out;
}

Choice placementChoice(const Board& board, std::string_view rack, RackLeaves& leaves,
                       const CompleteMove& m) {
  Choice c;
  c.kind = Choice::Kind::kMove;
  c.move = m;
  c.score = m.score;
  c.value = m.value;
  const unsigned used = usedMask(board, rack, m);
  c.leaveValue = leaves.of(used);
  c.keep = leaves.leave(used);
  return c;
}

std::vector<Choice> rankByValue(const WordList& list, const Board& board,
                                const std::array<int, kSquares>& premiums, std::string_view rack,
                                const ValueInputs& in, std::size_t limit,
                                const BoardReading* known) {
  RackLeaves leaves(rack, in);
  LeaveValues byKept{};
  leaves.fillAll(byKept);
  std::vector<CompleteMove> moves;
  completeMovesByValue(list, board, premiums, rack, byKept, limit, moves, known);
  // The exchanges that can be among the best: more than `limit` of them
  // would rank before any move (moves come first at equal value), and none
  // worth at most the last of `limit` moves found.
  double floor = -std::numeric_limits<double>::infinity();
  if (limit > 0 && moves.size() >= limit) {
    floor = moves.front().value;
    for (const CompleteMove& m : moves) floor = std::min(floor, m.value);
  }
  std::vector<Choice> out = bestExchanges(rack, leaves, byKept, in.bag, limit, floor);
  for (const CompleteMove& m : moves) out.push_back(placementChoice(board, rack, leaves, m));
  const auto keep = static_cast<std::ptrdiff_t>(std::min(limit, out.size()));
  std::partial_sort(out.begin(), out.begin() + keep, out.end(), valueBefore);
  out.resize(static_cast<std::size_t>(keep));
  if (out.empty() && limit > 0) {
    out.emplace_back();
    out.back().keep = std::string(rack);
  }
  return out;
}

}  // namespace tilvan::play
