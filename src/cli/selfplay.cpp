#include "cli/selfplay.h"

#include "ahead/strategies.h"

#include <unistd.h>

#include <charconv>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <nlohmann/json.hpp>
#include <optional>
#include <sstream>
#include <thread>

#include "cli/json.h"
#include "cli/printable.h"
#include "words/word_list.h"

namespace tilvan::cli {
namespace {

constexpr const char* kHelp =
    "usage: tilvan-cli selfplay --games N [--seed S] [--jobs J] [--shard K/N]\n"
    "                           [--strategies A,B] [--sim-ms MS | --sim-rounds R]\n"
    "                           [--endgame-ms MS] [--record FILE] [--json] [--words FILE]\n"
    "       tilvan-cli selfplay --merge FILE...\n"
    "\n"
    "Plays N games between strategies A and B (score, value, simulate, endgame;\n"
    "default value,score),\n"
    "each bag twice with the seats swapped, and prints A's wins, spread and win rate.\n"
    "\n"
    "  --games N        games to play (pairs of games share a bag)\n"
    "  --seed S         the first pair's seed (default 1); pair i uses S + i\n"
    "  --jobs J         threads (default: all cores); the games do not depend on it\n"
    "  --shard K/N      play only the K-th of N disjoint slices of the pairs\n"
    "  --strategies A,B the two strategies\n"
    "  --sim-ms MS      the simulate strategy's time per turn (default 100)\n"
    "  --sim-rounds R   the simulate strategy's rounds per turn instead of a time\n"
    "                   (reproducible on any machine)\n"
    "  --endgame-ms MS  the endgame strategy's solver time per turn, processor time\n"
    "                   of its thread (default 2000)\n"
    "  --record FILE    write every game's turns, one JSON line per game\n"
    "  --json           print the tally as one JSON object\n"
    "  --merge FILE...  add up the JSON tallies of shards\n"
    "  --words FILE     the word list (default: the installed word-game list)\n"
    "  --leaves FILE    a leave table's text (fit-leaves output) instead of the built-in one\n";

std::string fmt(double v) {
  std::ostringstream s;
  s.precision(6);
  s << v;
  return s.str();
}

std::string kindName(play::TurnLog::Kind k) {
  using K = play::TurnLog::Kind;
  return k == K::kMove ? "move" : k == K::kExchange ? "exchange" : k == K::kPass ? "pass" : "end";
}

std::string tilesJson(const CompleteMove& m, std::uint16_t newTiles) {
  std::string out = "[";
  bool first = true;
  for (int j = 0; j < m.len; ++j) {
    if (!((newTiles >> j) & 1)) continue;
    const int sq = m.square(j);
    if (!first) out += ",";
    first = false;
    out += "{\"row\":" + std::to_string(sq / kSide) + ",\"col\":" + std::to_string(sq % kSide) +
           ",\"letter\":\"" + std::string(1, m.word[static_cast<std::size_t>(j)]) +
           "\",\"blank\":" + jsonBool((m.blanks >> j) & 1) + "}";
  }
  return out + "]";
}

std::string turnJson(const play::TurnLog& t) {
  std::string out = "{\"player\":" + std::to_string(t.player) + ",\"rack\":" +
                    jsonString(t.rack) + ",\"kind\":\"" + kindName(t.kind) +
                    "\",\"score\":" + std::to_string(t.score) + ",\"drawn\":" +
                    jsonString(t.drawn);
  if (t.kind == play::TurnLog::Kind::kMove) out += ",\"tiles\":" + tilesJson(t.move, t.newTiles);
  if (t.kind == play::TurnLog::Kind::kExchange) out += ",\"throw\":" + jsonString(t.thrown);
  if (t.kind != play::TurnLog::Kind::kEnd)
    out += ",\"leave\":" + jsonString(t.keep) + ",\"value\":" + fmt(t.value) +
           ",\"bag\":" + std::to_string(t.bag);
  return out + "}";
}

struct Options {
  play::SelfPlayOptions run;
  std::optional<std::string> record, words, leaves;
  bool json = false;
  std::vector<std::string> merge;
};

bool parseCount(const std::string& s, long& out) {
  const auto r = std::from_chars(s.data(), s.data() + s.size(), out);
  return r.ec == std::errc() && r.ptr == s.data() + s.size() && out >= 0;
}

// The error, or nothing; fills `o`.
std::optional<std::string> parse(const std::vector<std::string>& args, Options& o) {
  o.run.jobs = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  bool gamesGiven = false;
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& a = args[i];
    const bool hasValue = i + 1 < args.size();
    const std::string v = hasValue ? args[i + 1] : "";
    long n = 0;
    if (a == "--merge") {
      o.merge.assign(args.begin() + static_cast<std::ptrdiff_t>(i) + 1, args.end());
      if (o.merge.empty()) return "--merge needs files";
      return std::nullopt;
    }
    if (a == "--json") {
      o.json = true;
      continue;
    }
    if (!hasValue) return a.rfind("--", 0) == 0 ? a + " needs a value" : "unexpected argument \"" + a + "\"";
    ++i;
    if (a == "--games" && parseCount(v, n)) {
      o.run.games = n;
      gamesGiven = true;
    } else if (a == "--seed" && parseCount(v, n)) {
      o.run.seed = static_cast<std::uint64_t>(n);
    } else if (a == "--jobs" && parseCount(v, n) && n >= 1 && n <= 256) {
      o.run.jobs = static_cast<int>(n);
    } else if (a == "--shard") {
      const auto slash = v.find('/');
      long k = 0, m = 0;
      if (slash == std::string::npos || !parseCount(v.substr(0, slash), k) ||
          !parseCount(v.substr(slash + 1), m) || k < 1 || m < 1 || k > m)
        return "--shard needs K/N with 1 <= K <= N";
      o.run.shard = static_cast<int>(k);
      o.run.shards = static_cast<int>(m);
    } else if (a == "--strategies") {
      const auto comma = v.find(',');
      if (comma == std::string::npos) return "--strategies needs A,B";
      o.run.strategies = {v.substr(0, comma), v.substr(comma + 1)};
      for (const std::string& s : o.run.strategies)
        if (!play::makeStrategy(s, {})) return "unknown strategy \"" + s + "\"";
    } else if (a == "--sim-ms" && parseCount(v, n) && n >= 1 && n <= 600000) {
      setSimulationBudget(static_cast<int>(n));
    } else if (a == "--sim-rounds" && parseCount(v, n) && n >= 1 && n <= 1000000) {
      setSimulationBudget(600000, static_cast<int>(n));
    } else if (a == "--endgame-ms" && parseCount(v, n) && n >= 1 && n <= 600000) {
      setEndgameBudget(static_cast<int>(n));
    } else if (a == "--record") {
      o.record = v;
    } else if (a == "--words") {
      o.words = v;
    } else if (a == "--leaves") {
      o.leaves = v;
    } else {
      return "bad argument \"" + a + " " + v + "\"";
    }
  }
  if (!gamesGiven) return "selfplay needs --games N";
  return std::nullopt;
}

// Adds up the tallies in `files`.
int merge(const Options& o, std::ostream& out, std::ostream& err) {
  play::Tally sum;
  std::array<std::string, 2> strategies;
  double seconds = 0;
  for (const std::string& f : o.merge) {
    std::ifstream in(f);
    nlohmann::json j;
    try {
      in >> j;
      const long games = j.at("games").get<long>();
      sum.games += games;
      sum.wins[0] += j.at("wins").at(0).get<long>();
      sum.wins[1] += j.at("wins").at(1).get<long>();
      sum.draws += j.at("draws").get<long>();
      sum.spreadSum += j.at("meanSpread").get<double>() * static_cast<double>(games);
      const double gps = j.at("gamesPerSecond").get<double>();
      if (gps > 0) seconds += games / gps;
      strategies = {j.at("strategies").at(0).get<std::string>(),
                    j.at("strategies").at(1).get<std::string>()};
    } catch (const std::exception&) {
      err << "tilvan-cli: " << printable(f) << ": not a selfplay tally\n";
      return 2;
    }
  }
  sum.gamesPerSecond = seconds > 0 ? sum.games / seconds : 0;
  out << tallyJson(sum, strategies) << '\n';
  return 0;
}

void showProgress(const play::Tally& t, long total, double seconds) {
  std::fprintf(stderr, "\r%ld/%ld games, %.1f games/s, win rate %.3f ", t.games, total,
               seconds > 0 ? t.games / seconds : 0.0, t.winRate());
}

}  // namespace

std::string tallyJson(const play::Tally& t, const std::array<std::string, 2>& strategies) {
  const auto ci = t.ci95();
  return "{\"games\":" + std::to_string(t.games) + ",\"strategies\":[" +
         jsonString(strategies[0]) + "," + jsonString(strategies[1]) + "],\"wins\":[" +
         std::to_string(t.wins[0]) + "," + std::to_string(t.wins[1]) +
         "],\"draws\":" + std::to_string(t.draws) + ",\"meanSpread\":" + fmt(t.meanSpread()) +
         ",\"winRate\":" + fmt(t.winRate()) + ",\"ci95\":[" + fmt(ci[0]) + "," + fmt(ci[1]) +
         "],\"gamesPerSecond\":" + fmt(t.gamesPerSecond) + "}";
}

std::string gameRecordJson(const play::GameLog& g) {
  std::string out = "{\"seed\":" + std::to_string(g.seed) + ",\"strategies\":[" +
                    jsonString(g.strategies[0]) + "," + jsonString(g.strategies[1]) +
                    "],\"racks\":[" + jsonString(g.racks[0]) + "," + jsonString(g.racks[1]) +
                    "],\"turns\":[";
  for (std::size_t i = 0; i < g.turns.size(); ++i) out += (i ? "," : "") + turnJson(g.turns[i]);
  return out + "],\"final\":[" + std::to_string(g.final[0]) + "," +
         std::to_string(g.final[1]) + "]}";
}

int runSelfPlayCommand(const std::vector<std::string>& args, std::ostream& out,
                       std::ostream& err) {
  for (const std::string& a : args)
    if (a == "--help") return out << kHelp, 0;
  registerLookaheadStrategies();
  Options o;
  if (auto why = parse(args, o)) {
    err << "tilvan-cli: " << printable(*why) << " (see tilvan-cli selfplay --help)\n";
    return 2;
  }
  if (!o.merge.empty()) return merge(o, out, err);
  WordListCache words(o.words ? std::filesystem::path(*o.words) : defaultWordListPath());
  auto list = words.get();
  if (!list.ok()) {
    err << "tilvan-cli: " << printable(list.error().message()) << '\n';
    return 2;
  }
  std::ofstream record;
  if (o.record && !(record.open(*o.record), record)) {
    err << "tilvan-cli: " << printable(*o.record) << ": cannot write the record\n";
    return 2;
  }
  play::LeaveTable table = play::LeaveTable::builtIn();
  if (o.leaves) {
    std::ifstream in(*o.leaves);
    std::stringstream text;
    text << in.rdbuf();
    table = play::LeaveTable{};
    std::string why;
    if (!in || !play::LeaveTable::parse(text.str(), table, why)) {
      err << "tilvan-cli: " << printable(*o.leaves) << ": not a leave table " << why << '\n';
      return 2;
    }
  }
  const play::Engine engine{list.value().get(), &table};
  o.run.keepLogs = o.record.has_value();
  const auto start = std::chrono::steady_clock::now();
  if (isatty(2))
    o.run.progress = [&](const play::Tally& t) {
      if (t.games % 20 == 0 || t.games == o.run.games)
        showProgress(t, o.run.games,
                     std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    };
  const play::SelfPlayRun run = play::runSelfPlay(engine, o.run);
  if (isatty(2)) std::fprintf(stderr, "\n");
  for (const play::GameLog& g : run.logs) record << gameRecordJson(g) << '\n';
  if (o.record && !record.flush()) {
    err << "tilvan-cli: " << printable(*o.record) << ": cannot write the record\n";
    return 2;
  }
  if (const EndgameTally& e = endgameTally(); e.solved > 0)
    err << "endgames solved exactly: " << e.exact << " of " << e.solved << '\n';
  if (o.json) {
    out << tallyJson(run.tally, o.run.strategies) << '\n';
  } else {
    const auto ci = run.tally.ci95();
    out << run.tally.games << " games, " << o.run.strategies[0] << " against "
        << o.run.strategies[1] << ": wins " << run.tally.wins[0] << "-" << run.tally.wins[1]
        << ", draws " << run.tally.draws << ", win rate " << fmt(run.tally.winRate()) << " ["
        << fmt(ci[0]) << ", " << fmt(ci[1]) << "], mean spread " << fmt(run.tally.meanSpread())
        << ", " << fmt(run.tally.gamesPerSecond) << " games/s\n";
  }
  return 0;
}

}  // namespace tilvan::cli
