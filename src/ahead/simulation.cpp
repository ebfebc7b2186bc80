#include "ahead/simulation.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include "play/leave.h"
#include "play/shared_reply.h"

namespace tilvan {
namespace {

using Clock = std::chrono::steady_clock;

std::uint64_t roundSeed(std::uint64_t seed, int round) {
  play::Rng mix(seed ^ (0x5851f42d4c957f2dULL * (static_cast<std::uint64_t>(round) + 1)));
  return mix.next();
}

// The opponent's reply to a candidate: shared with the round's other
// candidates while the bag holds tiles (see shared_reply.h), else searched
// afresh.
play::Choice reply(play::Strategy& value, play::SharedReply* shared, const play::Position& start,
                   const play::Choice& c, const play::Position& p) {
  if (!shared || p.bag.empty()) return value.choose(p);
  std::array<int, kSide> laid{};
  const int count =
      c.kind == play::Choice::Kind::kMove ? play::newSquares(start.board, c.move, laid) : 0;
  return shared->replyAfter(p.board, p.premiums, laid.data(), count,
                            static_cast<int>(p.bag.size()), p.reading.get());
}

// What every round starts from: the position with its board read, and the
// reading of the board after each candidate that lays tiles (nullptr for
// the others), the same in every round, as the board does not depend on the
// draw.
struct RoundBase {
  play::Position pos;
  std::vector<std::shared_ptr<const BoardReading>> after;
};

RoundBase roundBase(const play::Engine& engine, const play::Position& pos,
                    const std::vector<play::Choice>& candidates) {
  RoundBase b{pos, {}};
  play::readBoard(*engine.list, b.pos);
  for (const play::Choice& c : candidates) {
    b.after.emplace_back();
    if (c.kind != play::Choice::Kind::kMove) continue;
    play::Position q = b.pos;
    play::playMove(q, c.move);
    b.after.back() = q.reading;
  }
  return b;
}

// One round: every candidate played out on the same draw. Counts the turns
// played. `shared` (nullptr: none) shares the opponent's replies.
std::vector<double> playRound(const play::Engine& engine, play::Strategy& value,
                              play::SharedReply* shared, const RoundBase& round,
                              const std::vector<play::Choice>& candidates, std::uint64_t seed,
                              std::uint64_t& plies) {
  const play::Position& base = round.pos;
  const int me = base.toMove, opp = base.opponent();
  play::Rng rng(seed);
  std::string unseen = base.unseen();
  rng.shuffle(unseen);
  play::Position start = base;
  const std::size_t take = std::min<std::size_t>(unseen.size(), kMoveSlots);
  start.racks[static_cast<std::size_t>(opp)] = play::sortedTiles(unseen.substr(0, take));
  start.bag = unseen.substr(take);
  start.rng = play::Rng(rng.next());
  if (start.bag.empty()) shared = nullptr;
  if (shared)
    shared->setBase(start.board, start.premiums, start.racks[static_cast<std::size_t>(opp)],
                    start.reading.get());
  std::vector<double> out;
  for (std::size_t i = 0; i < candidates.size(); ++i) {
    const play::Choice& c = candidates[i];
    play::Position p = start;
    const auto& after = round.after[i];
    if (after) p.reading.reset();  // the reading after it is known: not followed again
    play::applyChoice(p, c);
    if (after) p.reading = after;
    ++plies;
    for (int turn = 0; turn < 2 && !p.over; ++turn, ++plies) {
      const play::Choice t = turn == 0 ? reply(value, shared, start, c, p) : value.choose(p);
      if (turn == 1) p.reading.reset();  // no search follows the last turn
      play::applyChoice(p, t);
    }
    double v = (p.scores[static_cast<std::size_t>(me)] - base.scores[static_cast<std::size_t>(me)]) -
               (p.scores[static_cast<std::size_t>(opp)] - base.scores[static_cast<std::size_t>(opp)]);
    if (!p.over)
      v += play::leaveValue(*engine.leaves, p.racks[static_cast<std::size_t>(me)],
                            p.bag + p.racks[static_cast<std::size_t>(opp)],
                            static_cast<int>(p.bag.size()));
    out.push_back(v);
  }
  return out;
}

// Running sums over rounds 0..k-1: per candidate, and of the difference of
// every pair (paired by round, so the shared luck cancels).
class Tally {
 public:
  explicit Tally(std::size_t n) : n_(n), sum_(n), sq_(n), dsum_(n * n), dsq_(n * n) {}
  void add(const std::vector<double>& v) {
    ++k_;
    for (std::size_t a = 0; a < n_; ++a) {
      sum_[a] += v[a];
      sq_[a] += v[a] * v[a];
      for (std::size_t b = 0; b < n_; ++b) {
        const double d = v[a] - v[b];
        dsum_[a * n_ + b] += d;
        dsq_[a * n_ + b] += d * d;
      }
    }
  }
  int rounds() const { return k_; }
  double mean(std::size_t a) const { return k_ ? sum_[a] / k_ : 0; }
  // Mean and standard error of a's outcome minus b's.
  double diff(std::size_t a, std::size_t b) const { return k_ ? dsum_[a * n_ + b] / k_ : 0; }
  double diffStdErr(std::size_t a, std::size_t b) const {
    return se(dsum_[a * n_ + b], dsq_[a * n_ + b]);
  }
  double stdErr(std::size_t a) const { return se(sum_[a], sq_[a]); }
  std::size_t leader() const {
    return static_cast<std::size_t>(std::max_element(sum_.begin(), sum_.end()) - sum_.begin());
  }
  // The leader is more than two standard errors of the difference ahead of every other.
  bool separated() const {
    const std::size_t l = leader();
    for (std::size_t b = 0; b < n_; ++b) {
      if (b == l) continue;
      const double s = dsum_[l * n_ + b], q = dsq_[l * n_ + b];
      if (s / k_ <= 2 * se(s, q)) return false;
    }
    return true;
  }

 private:
  double se(double s, double q) const {
    if (k_ < 2) return 0;
    const double m = s / k_;
    return std::sqrt(std::max(0.0, (q - k_ * m * m) / (k_ - 1)) / k_);
  }
  std::size_t n_;
  int k_ = 0;
  std::vector<double> sum_, sq_, dsum_, dsq_;
};

SimResult snapshot(const Tally& t, const std::vector<play::Choice>& candidates) {
  SimResult r;
  r.rounds = t.rounds();
  for (std::size_t a = 0; a < candidates.size(); ++a)
    r.candidates.push_back(
        {candidates[a], t.mean(a), t.stdErr(a), t.rounds(), t.diff(a, 0), t.diffStdErr(a, 0)});
  std::stable_sort(r.candidates.begin(), r.candidates.end(),
                   [](const SimCandidate& a, const SimCandidate& b) { return a.mean > b.mean; });
  return r;
}

}  // namespace

std::vector<play::Choice> simCandidates(const WordList& list, const Board& board,
                                        const std::array<int, kSquares>& premiums,
                                        std::string_view rack, const play::ValueInputs& in,
                                        int count) {
  std::vector<play::Choice> all = play::rankByValue(list, board, premiums, rack, in,
                                                    static_cast<std::size_t>(count));
  if (!all.empty() && all.front().kind == play::Choice::Kind::kPass) return all;
  play::Choice pass;
  pass.keep = std::string(rack);
  pass.leaveValue = pass.value = play::RackLeaves(rack, in).of(0);
  // The pass comes last: its static value (the whole rack as a leave) is
  // no measure beside the others', and the first candidate must stay the
  // best by value.
  if (static_cast<int>(all.size()) >= count) all.resize(static_cast<std::size_t>(count - 1));
  all.push_back(pass);
  return all;
}

SimResult simulate(const play::Engine& engine, const play::Position& pos,
                   const std::vector<play::Choice>& candidates, const SimOptions& options) {
  const auto start = Clock::now();
  if (candidates.empty()) return {};
  const int threads = options.threads > 0 ? options.threads
                                          : std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
  std::mutex mu;
  std::condition_variable done;
  std::map<int, std::pair<std::vector<double>, std::uint64_t>> finished;
  std::atomic<int> next{0};
  std::atomic<bool> stop{false};
  // Every round starts on this board: read it once, and follow each move.
  const RoundBase base = roundBase(engine, pos, candidates);
  auto work = [&] {
    auto value = play::makeStrategy("value", engine);
    std::optional<play::SharedReply> shared;
    if (options.shareReplies) shared.emplace(*engine.list, *engine.leaves);
    while (!stop) {
      const int r = next++;
      if (options.maxRounds > 0 && r >= options.maxRounds) break;
      std::uint64_t plies = 0;
      auto v = playRound(engine, *value, shared ? &*shared : nullptr, base, candidates,
                         roundSeed(options.seed, r), plies);
      std::lock_guard lock(mu);
      finished.emplace(r, std::make_pair(std::move(v), plies));
      done.notify_one();
    }
  };
  std::vector<std::thread> pool;
  for (int t = 0; t < threads; ++t) pool.emplace_back(work);

  Tally tally(candidates.size());
  SimResult result;
  auto lastProgress = start;
  const auto deadline = start + std::chrono::milliseconds(options.timeMs);
  for (bool end = false; !end;) {
    std::unique_lock lock(mu);
    done.wait_until(lock, std::min(deadline, Clock::now() + std::chrono::milliseconds(20)));
    // Count the rounds that follow on from those counted, trying the rule at each.
    for (auto it = finished.find(tally.rounds()); it != finished.end() && !end;
         it = finished.find(tally.rounds())) {
      tally.add(it->second.first);
      result.plies += it->second.second;
      finished.erase(it);
      result.separated = tally.rounds() >= options.minRounds && tally.separated();
      end = result.separated || tally.rounds() == options.maxRounds;
    }
    lock.unlock();
    const auto now = Clock::now();
    end = end || now >= deadline || (options.cancel && *options.cancel);
    if (options.progress && !end && now - lastProgress >= std::chrono::milliseconds(100)) {
      lastProgress = now;
      SimResult s = snapshot(tally, candidates);
      s.plies = result.plies;
      s.ms = std::chrono::duration<double, std::milli>(now - start).count();
      options.progress(s);
    }
  }
  stop = true;
  for (auto& t : pool) t.join();
  SimResult out = snapshot(tally, candidates);
  out.separated = result.separated;
  out.plies = result.plies;
  out.ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
  return out;
}

}  // namespace tilvan
