#include "cli/endgame.h"

#include <array>
#include <cmath>
#include <iostream>
#include <sstream>

#include "cli/find.h"
#include "cli/input.h"
#include "cli/json.h"
#include "cli/printable.h"
#include "ahead/endgame.h"
#include "game/handlers.h"
#include "game/move_score.h"

namespace tilvan::cli {
namespace {

class SilentPrompts : public Prompts {
 public:
  void message(std::string_view) override {}
  std::optional<std::string> askBlankLetter() override { return std::nullopt; }
};

// Why a rack cannot be solved, or "" when it can. `used` counts the tiles
// of each letter already seen (board and earlier racks) and takes this one's.
std::string rackError(const std::string& flag, const std::string& rack,
                      std::array<int, kLetters>& used) {
  if (rack.empty()) return flag + ": the rack is empty, so the game is over";
  if (rack.size() > kMoveSlots) return flag + ": \"" + rack + "\" has more than 7 tiles";
  for (char ch : rack) {
    const int l = ch == '_' ? kBlank : ch >= 'a' && ch <= 'z' ? ch - 'a' : -1;
    if (l < 0) return flag + ": \"" + std::string(1, ch) + "\" is no tile (a-z, '_' a blank)";
    if (++used[l] > kLetterCount[l])
      return flag + ": more \"" + std::string(1, ch) + "\" tiles than the set holds (" +
             std::to_string(kLetterCount[l]) + ")";
  }
  return "";
}

// One turn as a find --json result; `board` is the board before it and
// gets its tiles.
std::string moveJson(const EndgameMove& m, Board& board, const std::array<char, kLetters>& chars) {
  if (m.pass) return "{\"kind\":\"pass\"}";
  const bool down = m.placement.down;
  const std::string fields =
      candidateJsonFields(down, m.placement.cand, letterGridOf(board, chars, down));
  const FormedWord& main = m.placement.cand.Words.front();
  for (std::size_t j = 0; j < main.Text.size(); ++j) {
    const int idx = main.Start + static_cast<int>(j);
    const int h = down ? transposeIndex(idx) : idx;
    if (!board.atH(h).occupied) board.set(h, {true, main.Text[j] - 'a', 0, 0});
  }
  return "{\"kind\":\"move\"," + fields + "}";
}

std::string resultJson(const EndgameResult& r, const GameState& state) {
  Board board = state.Committed;
  std::vector<std::string> line;
  for (const EndgameMove& m : r.line) line.push_back(moveJson(m, board, state.LetterChar));
  std::string out = "{\"best\":" + (line.empty() ? std::string("{\"kind\":\"pass\"}") : line[0]);
  out += ",\"spread\":" + std::to_string(r.spread) + ",\"line\":[";
  for (std::size_t i = 0; i < line.size(); ++i) out += (i ? "," : "") + line[i];
  out += "],\"exact\":" + jsonBool(r.exact) + ",\"nodes\":" + std::to_string(r.nodes);
  return out + ",\"ms\":" + std::to_string(std::llround(r.ms)) + "}";
}

std::string resultText(const EndgameResult& r) {
  std::ostringstream out;
  out << "spread " << (r.spread > 0 ? "+" : "") << r.spread
      << (r.exact ? " (exact)" : " (not proven within the time limit)") << '\n';
  for (std::size_t i = 0; i < r.line.size(); ++i) {
    const EndgameMove& m = r.line[i];
    out << i + 1 << ". " << (i % 2 ? "opponent  " : "to move   ");
    if (m.pass) {
      out << "pass\n";
      continue;
    }
    const FormedWord& main = m.placement.cand.Words.front();
    const bool down = m.placement.down;
    out << m.score << "  " << main.Text << "  " << (down ? "down" : "across") << " from row "
        << (down ? main.Start % kSide : main.Start / kSide) << ", col "
        << (down ? main.Start / kSide : main.Start % kSide) << "  tiles "
        << m.placement.cand.TilesUsed << '\n';
  }
  out << r.nodes << " nodes, depth " << r.depth << ", " << std::llround(r.ms) << " ms\n";
  return out.str();
}

}  // namespace

int runEndgame(const EndgameCliOptions& options, WordListCache& words, std::istream& in,
               std::ostream& out, std::ostream& err) {
  auto fail = [&](const std::string& why) {
    err << "tilvan-cli: " << printable(why) << '\n';
    return 2;
  };
  Grid rows;
  std::string error;
  if (!readBoardFile(options.boardPath, in, rows, error)) return fail(error);
  std::array<int, kLetters> used{};
  for (const std::string& row : rows)
    for (char ch : row)
      if (ch != '.') ++used[ch >= 'a' && ch <= 'z' ? ch - 'a' : kBlank];
  if (auto why = rackError("--rack", options.rack, used); !why.empty()) return fail(why);
  if (auto why = rackError("--opponent", options.opponent, used); !why.empty()) return fail(why);
  if (options.timeMs <= 0) return fail("--time-ms: the time limit must be a positive number");

  Game game(words);
  SilentPrompts prompts;
  startUp(game, prompts);
  layBoard(game.state, rows);
  auto list = words.get();
  if (!list.ok()) return fail(list.error().message());
  EndgameOptions solve;
  solve.timeMs = options.timeMs;
  solve.threads = 2;  // both cores of a small machine: the same value, sooner
  const EndgameResult r =
      solveEndgame(*list.value(), game.state, options.rack, options.opponent, solve);
  out << (options.json ? resultJson(r, game.state) + "\n" : resultText(r));
  return 0;
}

}  // namespace tilvan::cli
