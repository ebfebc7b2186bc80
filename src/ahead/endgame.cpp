// Negamax with alpha-beta over both sides' placements and passes, a
// transposition table keyed by the board, both racks and the scoreless
// turns, and iterative deepening under a time limit. A search that never
// stopped at its depth limit (nor used a table entry that did) is exact.
#include "ahead/endgame.h"

#include <algorithm>
#include <chrono>
#include <limits>
#include <unordered_map>

#include "ahead/endgame_position.h"

namespace tilvan {
namespace {

using Clock = std::chrono::steady_clock;

constexpr int kInf = 1 << 20;
constexpr int kExactDepth = 255;  // a table entry that no depth limit touched
constexpr int kMaxPly = 128;      // more turns than any endgame can take
constexpr std::uint16_t kNoMove = 0xffff;
constexpr std::size_t kCacheMoves = std::size_t{1} << 22;  // placements kept, 64 MB

enum Bound : std::uint8_t { kExact, kLower, kUpper };

struct Entry {
  std::uint64_t key = 0;
  std::int32_t value = 0;
  std::uint16_t move = kNoMove;  // index into the position's move list
  std::uint8_t depth = 0;
  Bound bound = kExact;
};

class Solver {
 public:
  Solver(EgPosition& pos, const EndgameOptions& options)
      : pos_(pos), options_(options), table_(std::size_t{1} << options.tableBits),
        start_(Clock::now()) {}

  EndgameResult run();

 private:
  int search(int depth, int alpha, int beta, int ply);
  int moveValue(const EgMove& m, int depth, int alpha, int beta, int ply, bool& terminal);
  const std::vector<EgMove>& moves(std::vector<EgMove>& spare);
  void order(const std::vector<EgMove>& ms, std::uint16_t first, std::vector<std::uint16_t>& out);
  bool outOfTime();
  std::vector<EgMove> lineFrom(const std::vector<EgMove>& pv);
  int eval() const { return pos_.rackSum(1 - pos_.toMove()) - pos_.rackSum(pos_.toMove()); }

  EgPosition& pos_;
  EndgameOptions options_;
  std::vector<Entry> table_;
  std::unordered_map<std::uint64_t, std::vector<EgMove>> moveCache_;
  std::size_t cachedMoves_ = 0;
  std::array<std::vector<EgMove>, kMaxPly + 1> pv_;
  std::array<std::vector<std::uint16_t>, kMaxPly + 1> orderBuf_;
  std::array<std::vector<EgMove>, kMaxPly + 1> moveBuf_;
  Clock::time_point start_;
  std::uint64_t nodes_ = 0;
  bool horizon_ = false, stop_ = false;
  int depth_ = 0;  // of the iteration running
};

bool Solver::outOfTime() {
  if (stop_) return true;
  if (depth_ <= 1) return false;  // the first depth always completes: the answer of last resort
  if (options_.maxNodes && nodes_ >= options_.maxNodes) stop_ = true;
  if ((nodes_ & 127) == 0 && Clock::now() - start_ >= std::chrono::milliseconds(options_.timeMs))
    stop_ = true;
  return stop_;
}

// The side to move's placements and the pass. They are kept for the
// position's board and rack until the cache is full; then `spare` holds them.
const std::vector<EgMove>& Solver::moves(std::vector<EgMove>& spare) {
  const std::uint64_t key = pos_.placementKey();
  if (auto it = moveCache_.find(key); it != moveCache_.end()) return it->second;
  pos_.placements(spare);
  spare.push_back(EgMove{});  // the pass, last
  if (cachedMoves_ + spare.size() > kCacheMoves) return spare;
  cachedMoves_ += spare.size();
  return moveCache_.emplace(key, spare).first->second;
}

// The moves to try in turn: the table's move, then the moves that play out
// (best first), then the rest by score, the pass last.
void Solver::order(const std::vector<EgMove>& ms, std::uint16_t first,
                   std::vector<std::uint16_t>& out) {
  out.clear();
  const int tiles = pos_.tiles(pos_.toMove());
  const int other = pos_.rackSum(1 - pos_.toMove());
  auto rank = [&](std::uint16_t i) {
    const EgMove& m = ms[i];
    if (i == first) return kInf;
    if (m.isPass()) return -kInf;
    return m.score + (m.count == tiles ? kInf / 2 + outBonus(other) : 0);
  };
  for (std::size_t i = 0; i < ms.size(); ++i) out.push_back(static_cast<std::uint16_t>(i));
  std::stable_sort(out.begin(), out.end(),
                   [&](std::uint16_t a, std::uint16_t b) { return rank(a) > rank(b); });
}

// The value of playing m for the side to move; `terminal` when it ends the game.
int Solver::moveValue(const EgMove& m, int depth, int alpha, int beta, int ply, bool& terminal) {
  const int mover = pos_.toMove();
  pos_.play(m);
  int v;
  terminal = true;
  if (pos_.tiles(mover) == 0)
    v = m.score + outBonus(pos_.rackSum(1 - mover));
  else if (pos_.scoreless() >= kScorelessLimit)
    v = m.score + scorelessEnd(pos_.rackSum(mover), pos_.rackSum(1 - mover));
  else {
    terminal = false;
    v = m.score - search(depth - 1, m.score - beta, m.score - alpha, ply + 1);
  }
  pos_.undo(m);
  return v;
}

int Solver::search(int depth, int alpha, int beta, int ply) {
  ++nodes_;
  pv_[ply].clear();
  if (outOfTime()) return 0;
  if (depth == 0 || ply >= kMaxPly) {
    horizon_ = true;
    return eval();
  }
  const std::uint64_t key = pos_.key();
  Entry& slot = table_[key & (table_.size() - 1)];
  std::uint16_t first = kNoMove;
  if (slot.key == key) {
    first = slot.move;
    if (slot.depth >= depth &&
        (slot.bound == kExact || (slot.bound == kLower && slot.value >= beta) ||
         (slot.bound == kUpper && slot.value <= alpha))) {
      if (slot.depth != kExactDepth) horizon_ = true;
      return slot.value;
    }
  }
  const std::vector<EgMove>& ms = moves(moveBuf_[ply]);
  std::vector<std::uint16_t>& idx = orderBuf_[ply];
  order(ms, first, idx);
  const bool outerHorizon = horizon_;
  horizon_ = false;
  const int alpha0 = alpha;
  int best = -kInf;
  std::uint16_t bestMove = kNoMove;
  bool firstTried = true;
  for (std::uint16_t i : idx) {
    bool terminal = false;
    // After the first move, a null window asks only whether a move beats
    // the best so far; the few that do are searched again in full.
    int v = firstTried ? moveValue(ms[i], depth, alpha, beta, ply, terminal)
                  : moveValue(ms[i], depth, alpha, alpha + 1, ply, terminal);
    if (!firstTried && !stop_ && v > alpha && v < beta)
      v = moveValue(ms[i], depth, alpha, beta, ply, terminal);
    firstTried = false;
    if (stop_) return 0;
    if (v <= best) continue;
    best = v;
    bestMove = i;
    if (v > alpha) {
      alpha = v;
      pv_[ply].assign(1, ms[i]);
      if (!terminal) pv_[ply].insert(pv_[ply].end(), pv_[ply + 1].begin(), pv_[ply + 1].end());
      if (alpha >= beta) break;
    }
  }
  const bool subHorizon = horizon_;
  horizon_ = outerHorizon || subHorizon;
  Entry& e = table_[key & (table_.size() - 1)];
  e.key = key;
  e.value = best;
  e.move = bestMove;
  e.depth = static_cast<std::uint8_t>(subHorizon ? std::min(depth, kExactDepth - 1) : kExactDepth);
  e.bound = best <= alpha0 ? kUpper : best >= beta ? kLower : kExact;
  return best;
}

// The principal line, carried on from the table where it stops short of
// the end of the game.
std::vector<EgMove> Solver::lineFrom(const std::vector<EgMove>& pv) {
  std::vector<EgMove> line;
  auto ends = [&](int mover) {
    return pos_.tiles(mover) == 0 || pos_.scoreless() >= kScorelessLimit;
  };
  bool ended = false;
  for (const EgMove& m : pv) {
    const int mover = pos_.toMove();
    pos_.play(m);
    line.push_back(m);
    if ((ended = ends(mover))) break;
  }
  while (!ended && line.size() < kMaxPly) {
    const Entry& e = table_[pos_.key() & (table_.size() - 1)];
    if (e.key != pos_.key() || e.move == kNoMove) break;
    std::vector<EgMove> spare;
    const std::vector<EgMove>& ms = moves(spare);
    if (e.move >= ms.size()) break;
    const EgMove m = ms[e.move];
    const int mover = pos_.toMove();
    pos_.play(m);
    line.push_back(m);
    ended = ends(mover);
  }
  for (auto it = line.rbegin(); it != line.rend(); ++it) pos_.undo(*it);
  return line;
}

EndgameResult Solver::run() {
  EndgameResult result;
  std::vector<EgMove> best;
  for (int depth = 1; depth <= kMaxPly; ++depth) {
    horizon_ = false;
    depth_ = depth;
    const int value = search(depth, -kInf, kInf, 0);
    if (stop_) break;
    result.spread = value;
    result.depth = depth;
    result.exact = !horizon_;
    best = lineFrom(pv_[0]);
    if (result.exact) break;
  }
  result.nodes = nodes_;
  result.ms = std::chrono::duration<double, std::milli>(Clock::now() - start_).count();
  result.moves = best;
  if (!options_.describeLine) return result;
  for (const EgMove& m : best) {
    EndgameMove out;
    out.pass = m.isPass();
    out.score = m.score;
    if (!out.pass) {
      for (const CompleteResult& r : pos_.completeResults())
        if (toEgMove(r, pos_.state().Committed) == m) {
          out.placement = r;
          break;
        }
    }
    pos_.play(m);
    result.line.push_back(std::move(out));
  }
  for (auto it = best.rbegin(); it != best.rend(); ++it) pos_.undo(*it);
  return result;
}

}  // namespace

EndgameResult solveEndgame(const WordList& list, const GameState& state, std::string_view rack,
                           std::string_view opponent, const EndgameOptions& options) {
  EgPosition pos(list, state, rack, opponent);
  EndgameResult result;
  if (pos.tiles(0) == 0 || pos.tiles(1) == 0) {
    // The game is over: whoever has no tiles played out.
    const int sign = pos.tiles(0) == 0 ? 1 : -1;
    result.spread = sign * outBonus(pos.tiles(0) == 0 ? pos.rackSum(1) : pos.rackSum(0));
    result.exact = true;
    return result;
  }
  Solver solver(pos, options);
  return solver.run();
}

}  // namespace tilvan
