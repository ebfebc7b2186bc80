#include "play/choice.h"

#include <algorithm>
#include <array>

#include "play/position.h"

namespace tilvan::play {
namespace {

constexpr int kMinBag = kMinBagToExchange;

Choice moveChoice(const Board& board, std::string_view rack, const CompleteMove& m,
                  RackLeaves& leaves) {
  Choice c;
  c.kind = Choice::Kind::kMove;
  c.move = m;
  c.score = m.score;
  const unsigned used = usedMask(board, rack, m);
  c.leaveValue = leaves.of(used);
  c.value = c.score + c.leaveValue;
  return c;
}

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
    : rack_(rack), in_(in), value_(std::size_t{1} << rack_.size()),
      known_(std::size_t{1} << rack_.size()) {}

std::string RackLeaves::leave(unsigned used) const {
  std::string out;
  for (std::size_t k = 0; k < rack_.size(); ++k)
    if (!((used >> k) & 1)) out += rack_[k];
  return out;
}

double RackLeaves::of(unsigned used) {
  if (!known_[used]) {
    value_[used] = leaveValue(*in_.table, leave(used), in_.unseen, in_.bag, in_.players);
    known_[used] = 1;
  }
  return value_[used];
}

bool valueBefore(const Choice& a, const Choice& b) {
  if (a.value != b.value) return a.value > b.value;
  if (a.kind != b.kind) return a.kind < b.kind;
  if (a.kind == Choice::Kind::kMove) return rankedBefore(a.move, b.move);
  return a.keep < b.keep;
}

std::vector<Choice> exchangeChoices(std::string_view rack, RackLeaves& leaves,
                                    const ValueInputs& in) {
  std::vector<Choice> out;
  if (in.bag < kMinBag || rack.empty()) return out;
  const unsigned all = (1u << rack.size()) - 1;
  for (unsigned used = 1; used <= all; ++used) {
    // Of equal tiles the last ones are thrown (as usedMask takes them), so
    // each distinct exchange is listed once.
    bool canonical = true;
    for (std::size_t k = 1; k < rack.size() && canonical; ++k)
      canonical = !(rack[k] == rack[k - 1] && ((used >> (k - 1)) & 1) && !((used >> k) & 1));
    if (!canonical) continue;
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

std::vector<Choice> valuedChoices(const Board& board, std::string_view rack,
                                  const std::vector<CompleteMove>& moves, const ValueInputs& in) {
  RackLeaves leaves(rack, in);
  std::vector<Choice> out = exchangeChoices(rack, leaves, in);
  out.reserve(out.size() + moves.size());
  for (const CompleteMove& m : moves) {
    out.push_back(moveChoice(board, rack, m, leaves));
    out.back().keep = leaves.leave(usedMask(board, rack, m));
  }
  std::sort(out.begin(), out.end(), valueBefore);
  return out;
}

Choice bestByValue(const Board& board, std::string_view rack,
                   const std::vector<CompleteMove>& moves, const ValueInputs& in) {
  RackLeaves leaves(rack, in);
  Choice best;
  bool any = false;
  for (const CompleteMove& m : moves) {
    Choice c = moveChoice(board, rack, m, leaves);
    if (!any || valueBefore(c, best)) best = std::move(c), any = true;
  }
  for (Choice& c : exchangeChoices(rack, leaves, in))
    if (!any || valueBefore(c, best)) best = std::move(c), any = true;
  if (best.kind == Choice::Kind::kMove)
    best.keep = leaves.leave(usedMask(board, rack, best.move));
  if (!any) {
    best = Choice{};
    best.keep = std::string(rack);
  }
  return best;
}

}  // namespace tilvan::play
