#include "ahead/strategies.h"

#include "ahead/endgame.h"
#include "ahead/simulation.h"
#include "game/rules.h"
#include "play/strategy.h"

namespace tilvan {
namespace {

std::atomic<int> simMs{100};
std::atomic<int> simRounds{0};
std::atomic<int> endgameMs{2000};
constexpr int kMinRoundsToOverrule = 8;

// A seed for a turn's simulation from the position alone, so that a game
// does not depend on the thread that plays it.
std::uint64_t positionSeed(const play::Position& pos) {
  std::uint64_t h = 0x6a09e667f3bcc909ULL;
  auto mix = [&](std::uint64_t v) { h = (h ^ v) * 0x100000001b3ULL; };
  for (char c : pos.rack()) mix(static_cast<unsigned char>(c));
  for (char c : pos.bag) mix(static_cast<unsigned char>(c));
  mix(static_cast<std::uint64_t>(pos.scores[0]) << 32 | static_cast<std::uint32_t>(pos.scores[1]));
  return h;
}

class SimulateStrategy : public play::Strategy {
 public:
  explicit SimulateStrategy(const play::Engine& e) : e_(e) {}
  std::string_view name() const override { return "simulate"; }
  play::Choice choose(const play::Position& pos) override {
    auto cands =
        simCandidates(*e_.list, pos.board, pos.premiums, pos.rack(), play::valueInputs(e_, pos), 10);
    if (cands.size() <= 1) return cands.empty() ? play::Choice{} : cands.front();
    SimOptions o;
    o.timeMs = simRounds > 0 ? 600000 : simMs.load();
    o.maxRounds = simRounds;
    o.threads = 1;  // self-play runs its games on every core already
    o.seed = positionSeed(pos);
    // The simulation overrules the static value only when its leader is
    // ahead of value's own choice by more than two standard errors, measured
    // over enough rounds for the standard error to mean something.
    const SimResult r = simulate(e_, pos, cands, o);
    const SimCandidate& leader = r.candidates.front();
    return r.rounds >= kMinRoundsToOverrule && leader.lead > 2 * leader.leadStdErr ? leader.choice
                                                                                   : cands.front();
  }

 private:
  play::Engine e_;
  std::vector<CompleteMove> moves_;
};

// The board of a self-play position as the solver reads it.
GameState stateOf(const play::Position& pos) {
  GameState s;
  for (int l = 0; l < kLetters; ++l) {
    s.LetterChar[l] = letterChar(l);
    s.LetterValue[l] = kLetterValue[l];
  }
  s.Committed = pos.board;
  s.SquareBonus = pos.premiums;
  return s;
}

class EndgameStrategy : public play::Strategy {
 public:
  explicit EndgameStrategy(const play::Engine& e) : e_(e), value_(play::makeStrategy("value", e)) {}
  std::string_view name() const override { return "endgame"; }
  play::Choice choose(const play::Position& pos) override {
    if (!pos.bag.empty()) return value_->choose(pos);
    EndgameOptions o;
    o.describeLine = false;
    o.timeMs = endgameMs;
    o.cpuTime = true;  // the thread's own time: a game does not depend on the machine's load
    const EndgameResult r = solveEndgame(*e_.list, stateOf(pos), pos.rack(),
                                         pos.racks[static_cast<std::size_t>(pos.opponent())], o);
    ++endgameTally().solved;
    endgameTally().exact += r.exact;
    play::Choice c;
    c.keep = pos.rack();
    if (r.moves.empty() || r.moves.front().isPass()) return c;
    play::legalMoves(*e_.list, pos, moves_);
    for (const CompleteMove& m : moves_) {
      if (toEgMove(m, pos.board) != r.moves.front()) continue;
      c.kind = play::Choice::Kind::kMove;
      c.move = m;
      c.score = m.score;
      c.keep = play::leaveAfter(pos, m);
      break;
    }
    return c;
  }

 private:
  play::Engine e_;
  std::unique_ptr<play::Strategy> value_;
  std::vector<CompleteMove> moves_;
};

}  // namespace

void setSimulationBudget(int ms, int rounds) {
  simMs = ms;
  simRounds = rounds;
}

void setEndgameBudget(int ms) { endgameMs = ms; }

EndgameTally& endgameTally() {
  static EndgameTally t;
  return t;
}

void registerLookaheadStrategies() {
  play::registerStrategy("simulate", [](const play::Engine& e) {
    return std::unique_ptr<play::Strategy>(new SimulateStrategy(e));
  });
  play::registerStrategy("endgame", [](const play::Engine& e) {
    return std::unique_ptr<play::Strategy>(new EndgameStrategy(e));
  });
}

}  // namespace tilvan
