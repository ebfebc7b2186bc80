// Negamax with alpha-beta over both sides' placements and passes, a
// transposition table keyed by the board, both racks and the scoreless
// turns, and iterative deepening under a time limit: each depth orders the
// next one's moves through the table, and the first depth that reaches the
// end of every line it needs is exact. (A search without a depth limit
// after a few shallow ones was measured: its poorer order costs far more
// positions than the repeated shallow searches.)
//
// Invariants that keep the value exactly the plain minimax's:
// (1) Every legal move of a node (every placement and the pass) is searched
//     unless alpha-beta proves the rest cannot change the node's value; the
//     order of the moves only changes what is pruned.
// (2) A table entry holds what a search of that very position (the board,
//     both racks, the side to move, the scoreless turns) found: its value
//     when it lay inside the window, else the bound it proved. An entry is
//     used for a cut-off only when its search was at least as deep as the
//     one asked for; entries of a search that hit no depth limit are proven
//     and serve any depth.
// (3) A node's result is proven when no line it rests on met the depth
//     limit or an unproven entry: a cut-off rests on the move that made it
//     alone, a value or an upper bound on every move searched. The root's
//     proven value is exact.
// (4) Helper threads (EndgameOptions::threads) share the table under (2):
//     an entry torn by two threads' writes is not found (endgame_table.h);
//     the first thread, whose result counts, takes their proven entries and
//     moves but none of their unproven cut-offs.
#include "ahead/endgame.h"

#include <algorithm>
#include <array>
#include <bit>
#include <chrono>
#include <ctime>
#include <limits>
#include <memory>
#include <thread>

#include "ahead/endgame_killers.h"
#include "ahead/endgame_position.h"
#include "ahead/endgame_table.h"

namespace tilvan {
namespace {

using Clock = std::chrono::steady_clock;

constexpr int kInf = 1 << 14;      // beyond any spread
constexpr int kMaxPly = EgKillers::kMaxPly;  // more turns than any endgame can take
constexpr int kKillers = EgKillers::kPerPly;
constexpr std::size_t kCacheMoves = std::size_t{1} << 22;  // placements kept, 72 MB

// What one node's loop over its moves keeps.
struct NodeLoop {
  int alpha = 0, beta = 0, best = -kInf;
  EgMove bestMove;
  bool hasBest = false, first = true;
  bool cutUnproven = false;  // the move that cut the node off met the horizon
};

class Solver {
 public:
  // The table may be shared with solvers on other threads.
  Solver(EgPosition& pos, const EndgameOptions& options, EndgameTable& table)
      : pos_(pos), options_(options), table_(table), lists_(kCacheMoves), start_(now()) {}

  // Iterative deepening until the result is exact or the search stops;
  // each depth is put in `depthNow` as it starts.
  EndgameResult run(std::atomic<int>& depthNow);
  // A helper's search: the depth that `depthNow` names, once each, until
  // one is exact or the search stops. Returns the positions searched.
  std::uint64_t help(const std::atomic<int>& depthNow);

 private:
  int search(int depth, int alpha, int beta, int ply);
  bool tryMove(const EgMove& m, int depth, int ply, NodeLoop& node);
  int moveValue(const EgMove& m, int depth, int alpha, int beta, int ply, bool& terminal);
  void remember(std::uint64_t key, int depth, int alpha0, const NodeLoop& node, bool proven,
                std::uint64_t nodesBefore);
  // The moves of a node after those tried before its list; true on a cut-off.
  bool listedMoves(int depth, int ply, NodeLoop& node, const EgMove* ttMove,
                   const EgMove* triedOut);
  std::uint64_t parentKey(int ply) const { return ply > 0 ? keyAt_[ply - 1] : 0; }
  bool outOfTime();
  void describe(EndgameResult& result);
  // The horizon's estimate: the racks' sums (moveValue() values the last
  // depth's moves by it without playing them).
  int eval() const { return pos_.rackSum(1 - pos_.toMove()) - pos_.rackSum(pos_.toMove()); }
  static int tileSum(const EgMove& m) {
    int sum = 0;
    for (int k = 0; k < m.count; ++k)
      if (!((m.blankMask >> k) & 1)) sum += kLetterValue[m.letter[k]];
    return sum;
  }

  EgPosition& pos_;
  EndgameOptions options_;
  EndgameTable& table_;
  MoveLists lists_;
  std::array<std::vector<EgMove>, kMaxPly + 1> pv_;
  std::array<std::vector<EgMove>, kMaxPly + 1> moveBuf_;
  std::array<const std::vector<EgMove>*, kMaxPly + 1> listAt_{};  // the list of each node's moves
  EgKillers killers_;
  std::array<std::uint64_t, kMaxPly + 1> keyAt_{};  // each searched node's key
  double now() const;  // ms, on the clock that options_.cpuTime names
  double start_;
  std::uint64_t nodes_ = 0;
  bool horizon_ = false, stop_ = false, firstDepth_ = true;
  bool helper_ = false;  // help() sets it
};

double Solver::now() const {
  if (options_.cpuTime) {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
  }
  return std::chrono::duration<double, std::milli>(Clock::now().time_since_epoch()).count();
}

bool Solver::outOfTime() {
  if (stop_) return true;
  if (options_.cancel && options_.cancel->load(std::memory_order_relaxed)) return stop_ = true;
  if (firstDepth_) return false;  // the first depth always completes: the answer of last resort
  if (options_.maxNodes && nodes_ >= options_.maxNodes) stop_ = true;
  if ((nodes_ & 255) == 0 && now() - start_ >= options_.timeMs)  // a clock read costs a call
    stop_ = true;
  return stop_;
}

// The value of playing m for the side to move; `terminal` when it ends the
// game. A move that ends the game, and any move at the last depth (whose
// value is the score and the racks' sums), are valued without being played.
int Solver::moveValue(const EgMove& m, int depth, int alpha, int beta, int ply, bool& terminal) {
  const int mover = pos_.toMove();
  terminal = true;
  if (m.count == pos_.tiles(mover)) return m.score + outBonus(pos_.rackSum(1 - mover));
  const int left = pos_.rackSum(mover) - tileSum(m), other = pos_.rackSum(1 - mover);
  if (m.score == 0 && pos_.scoreless() + 1 >= kScorelessLimit)
    return scorelessEnd(left, other);
  terminal = false;
  if (depth == 1) {  // what search() gives at depth 0: eval() after the move
    ++nodes_;
    pv_[ply + 1].clear();
    horizon_ = true;
    return outOfTime() ? 0 : m.score - (left - other);
  }
  pos_.play(m);
  const int v = m.score - search(depth - 1, m.score - beta, m.score - alpha, ply + 1);
  pos_.undo(m);
  return v;
}

// Searches move m of a node; true when it cuts the node off.
bool Solver::tryMove(const EgMove& m, int depth, int ply, NodeLoop& node) {
  bool terminal = false;
  const bool horizonBefore = horizon_;
  horizon_ = false;
  // After the first move, a null window asks only whether a move beats the
  // best so far; the few that do are searched again in full.
  int v = node.first ? moveValue(m, depth, node.alpha, node.beta, ply, terminal)
                     : moveValue(m, depth, node.alpha, node.alpha + 1, ply, terminal);
  if (!node.first && !terminal && !stop_ && v > node.alpha && v < node.beta)
    v = moveValue(m, depth, node.alpha, node.beta, ply, terminal);
  node.first = false;
  const bool moveUnproven = horizon_;
  horizon_ = horizonBefore || moveUnproven;
  if (stop_ || v <= node.best) return stop_;
  node.best = v;
  node.bestMove = m;
  node.hasBest = true;
  if (v <= node.alpha) return false;
  node.alpha = v;
  pv_[ply].assign(1, m);
  if (!terminal) pv_[ply].insert(pv_[ply].end(), pv_[ply + 1].begin(), pv_[ply + 1].end());
  if (v < node.beta) return false;
  node.cutUnproven = moveUnproven;
  if (!m.isPass()) killers_.add(pos_, ply, parentKey(ply), m, terminal);
  return true;
}

void Solver::remember(std::uint64_t key, int depth, int alpha0, const NodeLoop& node, bool proven,
                      std::uint64_t nodesBefore) {
  TableEntry e;
  e.key = key;
  e.value = static_cast<std::int16_t>(node.best);
  e.depth = static_cast<std::uint8_t>(proven ? kProvenDepth : std::min(depth, kProvenDepth - 1));
  e.bound = node.best <= alpha0 ? Bound::kUpper : node.best >= node.beta ? Bound::kLower
                                                                         : Bound::kExact;
  e.work = static_cast<std::uint8_t>(std::bit_width(nodes_ - nodesBefore));
  e.byHelper = helper_;
  e.hasMove = node.hasBest;
  e.move = node.bestMove;
  table_.store(e);
}

int Solver::search(int depth, int alpha, int beta, int ply) {
  ++nodes_;
  pv_[ply].clear();
  listAt_[ply] = nullptr;
  if (outOfTime()) return 0;
  if (depth == 0 || ply >= kMaxPly) {
    horizon_ = true;
    return eval();
  }
  const std::uint64_t key = pos_.key(), nodesBefore = nodes_;
  keyAt_[ply] = key;
  EgMove ttMove;
  bool hasTtMove = false;
  if (TableEntry e; table_.find(key, e)) {
    // The first thread takes no unproven cut-off from a helper's entry: a
    // helper's bound from a search with another window may rest on the
    // horizon where its own search would have proven the position.
    const bool usable = e.depth == kProvenDepth || helper_ || !e.byHelper;
    if (usable && e.depth >= depth &&
        (e.bound == Bound::kExact || (e.bound == Bound::kLower && e.value >= beta) ||
         (e.bound == Bound::kUpper && e.value <= alpha))) {
      if (e.depth != kProvenDepth) horizon_ = true;
      return e.value;
    }
    hasTtMove = e.hasMove;
    ttMove = e.move;
  }
  const bool outerHorizon = horizon_;
  horizon_ = false;
  NodeLoop node;
  node.alpha = alpha;
  node.beta = beta;
  // The last move that played out and cut a node at this ply off, when it
  // stands here (EgKillers::stands), and the table's move come first,
  // before the moves are listed: they often cut the node off without them.
  // The move that plays out first: its cut-off is proven.
  const EgKillers::Killer& out = killers_.playingOutAt(ply);
  const bool triedOut = !(hasTtMove && out.move == ttMove) &&
                        out.move.count == pos_.tiles(pos_.toMove()) &&
                        EgKillers::stands(pos_, out, ply, parentKey(ply));
  const EgMove outMove = out.move;
  bool cut = triedOut && tryMove(outMove, depth, ply, node);
  if (!cut && !stop_ && hasTtMove) cut = tryMove(ttMove, depth, ply, node);
  if (!cut && !stop_)
    cut = listedMoves(depth, ply, node, hasTtMove ? &ttMove : nullptr, triedOut ? &outMove : nullptr);
  if (stop_) return 0;
  // A cut-off's bound rests on the move that made it alone; a value or an
  // upper bound on every move searched.
  const bool proven = cut ? !node.cutUnproven : !horizon_;
  horizon_ = outerHorizon || !proven;
  remember(key, depth, alpha, node, proven, nodesBefore);
  return node.best;
}

bool Solver::listedMoves(int depth, int ply, NodeLoop& node, const EgMove* ttMove,
                         const EgMove* triedOut) {
  const std::vector<EgMove>& ms =
      lists_.of(pos_, moveBuf_[ply], ply >= 2 ? listAt_[ply - 2] : nullptr);
  listAt_[ply] = &ms;
  const int tiles = pos_.tiles(pos_.toMove());
  const std::array<EgKillers::Killer, kKillers> plyKillers = killers_.at(ply);
  std::array<const EgMove*, kKillers> killers{};
  for (int k = 0; k < kKillers; ++k) {
    const EgMove& km = plyKillers[k].move;
    if (km.isPass() || (ttMove && km == *ttMove)) continue;
    if (auto it = std::find(ms.begin(), ms.end(), km); it != ms.end()) killers[k] = &*it;
  }
  auto skip = [&](const EgMove& m) {
    return (ttMove && m == *ttMove) || &m == killers[0] || &m == killers[1] ||
           (triedOut && m == *triedOut);
  };
  // Moves that play out are valued without a search: they come first.
  bool cut = false;
  std::size_t i = 0;
  for (; !cut && i < ms.size() && ms[i].count == tiles; ++i)
    if (!skip(ms[i])) cut = tryMove(ms[i], depth, ply, node);
  for (int k = 0; !cut && k < kKillers; ++k)
    if (killers[k]) cut = tryMove(*killers[k], depth, ply, node);
  for (; !cut && i < ms.size(); ++i)
    if (!skip(ms[i])) cut = tryMove(ms[i], depth, ply, node);
  return cut;
}

void Solver::describe(EndgameResult& result) {
  for (const EgMove& m : result.moves) {
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
  for (auto it = result.moves.rbegin(); it != result.moves.rend(); ++it) pos_.undo(*it);
}

EndgameResult Solver::run(std::atomic<int>& depthNow) {
  EndgameResult result;
  for (int depth = 1; depth < kProvenDepth; ++depth) {
    depthNow = depth;
    horizon_ = false;
    const int value = search(depth, -kInf, kInf, 0);
    firstDepth_ = false;
    if (stop_) break;
    result.spread = value;
    result.depth = depth;
    result.exact = !horizon_;
    result.moves = principalLine(pos_, table_, pv_[0]);
    if (result.exact) break;
  }
  result.nodes = nodes_;
  result.lists = lists_.made();
  result.listsFromBefore = lists_.madeFromBefore();
  result.ms = now() - start_;
  if (options_.describeLine) describe(result);
  return result;
}

std::uint64_t Solver::help(const std::atomic<int>& depthNow) {
  helper_ = true;
  for (int done = 0; !outOfTime();) {
    const int depth = depthNow.load();
    if (depth == done) {
      std::this_thread::sleep_for(std::chrono::microseconds(200));
      continue;
    }
    horizon_ = false;
    search(depth, -kInf, kInf, 0);
    if (!stop_ && !horizon_) break;  // proven: the table's root entry says so
    done = depth;
  }
  return nodes_;
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
  EndgameTable table(options.tableBits);
  // Helpers search the depth this thread searches on their own threads and
  // share the table, so that each finds more of it searched; only this
  // thread's result counts, and helpers stop when it is found. (Helpers a
  // depth ahead were tried: this thread then meets their entries of the
  // deeper search, unproven, and cannot prove its own depth.)
  std::atomic<int> depthNow{0};
  std::atomic<bool> helpersStop{false};
  EndgameOptions helping = options;
  helping.timeMs = std::numeric_limits<int>::max();
  helping.maxNodes = 0;
  helping.describeLine = false;
  helping.cancel = &helpersStop;
  std::vector<std::unique_ptr<EgPosition>> helperPositions;
  std::vector<std::thread> helpers;
  std::vector<std::uint64_t> helperNodes(static_cast<std::size_t>(std::max(options.threads - 1, 0)));
  for (std::size_t k = 0; k < helperNodes.size(); ++k) {
    helperPositions.push_back(std::make_unique<EgPosition>(list, state, rack, opponent));
    helpers.emplace_back([&, k, p = helperPositions.back().get()] {
      Solver helper(*p, helping, table);
      helperNodes[k] = helper.help(depthNow);
    });
  }
  Solver solver(pos, options, table);
  result = solver.run(depthNow);
  helpersStop = true;
  for (std::size_t k = 0; k < helpers.size(); ++k) {
    helpers[k].join();
    result.nodes += helperNodes[k];
  }
  return result;
}

}  // namespace tilvan
