#include "cli/find.h"

#include <fstream>
#include <iostream>
#include <sstream>
#include <vector>

#include "cli/input.h"
#include "cli/json.h"
#include "cli/printable.h"
#include "finder/placement_search.h"
#include "game/handlers.h"

namespace tilvan::cli {
namespace {

class QuietPrompts : public Prompts {
 public:
  void message(std::string_view text) override { messages.emplace_back(text); }
  std::optional<std::string> askBlankLetter() override { return std::nullopt; }
  std::vector<std::string> messages;
};

// One result slot: which set holds it and the candidate.
struct SlotView {
  bool down = false;
  const Candidate* cand = nullptr;
  const LetterGrid* grid = nullptr;
};

std::vector<SlotView> filledSlots(const FinderState& f) {
  std::vector<SlotView> out;
  for (int k = 0; k < kResultSlots; ++k) {
    for (bool down : {true, false}) {
      const auto& slot = down ? f.SlotV : f.SlotH;
      const auto& rank = down ? f.SlotRankV : f.SlotRankH;
      const CandidateSet& set = down ? f.V : f.H;
      if (slot[k] != k + 1 || rank[k] < 0 || rank[k] >= static_cast<int>(set.RankedCand.size()))
        continue;
      const int c = set.RankedCand[rank[k]];
      if (c < 0 || c >= static_cast<int>(set.Cands.size()) || set.Cands[c].Words.empty()) continue;
      out.push_back({down, &set.Cands[c], down ? &f.BoardCharV : &f.BoardCharH});
      break;
    }
  }
  return out;
}

// Row and column of square `index` of a set's numbering.
int rowOf(bool down, int index) { return down ? index % kSide : index / kSide; }
int colOf(bool down, int index) { return down ? index / kSide : index % kSide; }

std::string place(bool down, int index) {
  return "\"row\":" + std::to_string(rowOf(down, index)) +
         ",\"col\":" + std::to_string(colOf(down, index));
}

}  // namespace

bool readBoardFile(const std::string& path, std::istream& in, Grid& rows, std::string& error) {
  const std::string name = path == "-" ? "<stdin>" : path;
  auto bytes =
      path == "-" ? readAll(in, name, kMaxBoardBytes) : readFileBytes(path, kMaxBoardBytes);
  if (!bytes.ok()) {
    error = name + ": " + bytes.error().reason;
    return false;
  }
  if (readBoard(bytes.value(), rows, error)) return true;
  error = name + ":" + error;
  return false;
}

bool readBoard(std::string_view text, Grid& rows, std::string& error) {
  int count = 0, lineNo = 0, blanks = 0;
  std::array<int, kLetters> used{};
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(pos, end - pos);
    pos = end + 1;
    ++lineNo;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line[0] == '#') continue;
    if (count == kSide) {
      error = std::to_string(lineNo) + ": more than 15 rows";
      return false;
    }
    if (line.size() != kSide) {
      error = std::to_string(lineNo) + ": a row must have 15 squares, this one has " +
              std::to_string(line.size());
      return false;
    }
    for (std::size_t c = 0; c < line.size(); ++c) {
      const char ch = line[c];
      const auto where = std::to_string(lineNo) + ": column " + std::to_string(c + 1) + ": ";
      if (ch == '.') continue;
      if (ch >= 'a' && ch <= 'z') {
        if (++used[ch - 'a'] > kLetterCount[ch - 'a']) {
          error = where + "more \"" + std::string(1, ch) + "\" tiles than the set holds (" +
                  std::to_string(kLetterCount[ch - 'a']) + ")";
          return false;
        }
      } else if (ch >= 'A' && ch <= 'Z') {
        if (++blanks > kLetterCount[kBlank]) {
          error = where + "more than two blanks";
          return false;
        }
      } else {
        error = where + "unknown square \"" + std::string(1, ch) + "\"";
        return false;
      }
    }
    rows[count++] = std::string(line);
  }
  if (count != kSide) {
    error =
        std::to_string(lineNo) + ": the board ends after row " + std::to_string(count) + " of 15";
    return false;
  }
  return true;
}

void layBoard(GameState& state, const Grid& rows) {
  std::array<int, kLetters> nextTile{};
  for (int L = 0; L < kLetters; ++L) nextTile[L] = letterEnd(L) - kLetterCount[L];
  int blanks = 0;
  bool any = false;
  for (int r = 0; r < kSide; ++r) {
    for (int c = 0; c < kSide; ++c) {
      const char ch = rows[r][c];
      if (ch == '.') continue;
      const bool blank = ch >= 'A' && ch <= 'Z';
      const int letter = blank ? ch - 'A' : ch - 'a';
      const int tile = blank
                           ? blankLetterPicture(blanks++ == 0 ? kFirstBlank : kSecondBlank, letter)
                           : nextTile[letter]++;
      state.Committed.set(hIndex(r, c), {true, letter, state.TileValue[tile], tile});
      state.SquareBonus[hIndex(r, c)] = kPlain;
      any = true;
    }
  }
  state.MoveNumber = any ? 1 : 0;
}

std::string candidateJsonFields(bool down, const Candidate& c, const LetterGrid& grid) {
  const FormedWord& main = c.Words[0];
  std::string out = "\"score\":" + std::to_string(c.Total);
  out += ",\"direction\":" + std::string(down ? "\"down\"" : "\"across\"");
  out += "," + place(down, main.Start) + ",\"word\":" + jsonString(main.Text);
  out += ",\"words\":" + jsonArray(c.Words, [&](const FormedWord& w) {
           // A cross-word runs across the main word's direction, its start
           // in the same numbering.
           return "{\"text\":" + jsonString(w.Text) + "," + place(down, w.Start) +
                  ",\"score\":" + std::to_string(w.Score) + "}";
         });
  out += ",\"tiles\":[";
  bool first = true;
  for (std::size_t j = 0; j < main.Text.size(); ++j) {
    const int q = main.Start + static_cast<int>(j);
    if (q < 0 || q >= kSquares || grid[q]) continue;
    if (!first) out += ",";
    first = false;
    const bool blank = j < c.TilesUsed.size() && c.TilesUsed[j] == '_';
    out += "{" + place(down, q) +
           ",\"letter\":" + jsonString(std::string_view(main.Text).substr(j, 1)) +
           ",\"blank\":" + jsonBool(blank) + "}";
  }
  return out + "]";
}

std::string candidateLine(bool down, const Candidate& c) {
  const FormedWord& main = c.Words[0];
  std::ostringstream out;
  out << c.Total << "  " << main.Text << "  " << (down ? "down" : "across") << " from row "
      << rowOf(down, main.Start) << ", col " << colOf(down, main.Start) << "  tiles "
      << c.TilesUsed << '\n';
  for (std::size_t w = 1; w < c.Words.size(); ++w)
    out << "     + " << c.Words[w].Text << " " << c.Words[w].Score << '\n';
  return out.str();
}

std::string resultsJson(const Game& game) {
  std::string out = "{\"results\":[";
  int slot = 0;
  for (const SlotView& s : filledSlots(game.state.Finder)) {
    if (slot) out += ",";
    out += "{\"slot\":" + std::to_string(++slot) + "," +
           candidateJsonFields(s.down, *s.cand, *s.grid) + "}";
  }
  return out + "]}";
}

namespace {

std::string table(const Game& game) {
  std::ostringstream out;
  const auto slots = filledSlots(game.state.Finder);
  if (slots.empty()) return "no placement found\n";
  int k = 0;
  for (const SlotView& s : slots) out << ++k << ". " << candidateLine(s.down, *s.cand);
  return out.str();
}

}  // namespace

int runFind(const FindOptions& options, WordListCache& words, std::istream& in, std::ostream& out,
            std::ostream& err) {
  auto fail = [&](const std::string& why) {
    err << "tilvan-cli: " << printable(why) << '\n';
    return 2;
  };
  Grid rows;
  std::string error;
  if (!readBoardFile(options.boardPath, in, rows, error)) return fail(error);
  if (options.rack.size() > kMoveSlots)
    return fail("--rack: \"" + options.rack + "\" has more than 7 tiles");

  Game game(words);
  QuietPrompts prompts;
  startUp(game, prompts);
  prompts.messages.clear();
  layBoard(game.state, rows);
  game.form.txtRack.type(options.rack);
  game.form.chkComplete = options.complete;
  pressFindWords(game, prompts);
  if (!prompts.messages.empty()) return fail(prompts.messages.front());
  if (options.rankValue) {
    const auto list = words.get();
    if (!list.ok()) return fail(list.error().message());
    if (options.simulateMs > 0)
      out << simulatedResults(game.state, *list.value(), options.rack,
                              {options.simulateMs, options.seed, options.players}, options.json);
    else
      out << valueResults(game.state, *list.value(), options.rack, options.players, options.json);
    return 0;
  }
  out << (options.json ? resultsJson(game) + "\n" : table(game));
  return 0;
}

}  // namespace tilvan::cli
