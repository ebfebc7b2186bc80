// Generated inputs for the four readers of outside text: board files (with
// the line and column of each fault), replay scripts, word lists and game
// files. Each test runs for a time budget (TILVAN_FUZZ_SECONDS, else 20 s
// in a build with the sanitizers and 5 s in one without) with at least a
// few hundred inputs, seeded by the input's number so that a
// failure names the input that caused it.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <optional>
#include <random>
#include <sstream>

#include "cli/dump.h"
#include "cli/find.h"
#include "cli/printable.h"
#include "cli/replay.h"
#include "finder/find_words.h"
#include "moves/game_file.h"
#include "support/game_gen.h"
#include "support/position_gen.h"
#include "support/test_support.h"

namespace tilvan {
namespace {

// Runs `one(n)` for n = 0, 1, ... until the budget is spent (and at least
// `minimum` times) or a failure; returns how many ran.
template <class One>
int fuzz(int minimum, One one) {
  const char* env = std::getenv("TILVAN_FUZZ_SECONDS");
  const double seconds = env ? std::atof(env) : TILVAN_FUZZ_DEFAULT_SECONDS;
  const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  int n = 0;
  for (; n < minimum || std::chrono::steady_clock::now() < end; ++n) {
    SCOPED_TRACE("input " + std::to_string(n));
    one(n);
    if (::testing::Test::HasFailure()) return n + 1;
  }
  std::cout << n << " inputs\n";
  return n;
}

std::string pick(std::mt19937_64& rng, const std::vector<std::string>& from) {
  return from[std::uniform_int_distribution<std::size_t>(0, from.size() - 1)(rng)];
}

int below(std::mt19937_64& rng, int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); }

// Bytes that readers treat specially, and some that no reader expects.
const std::string kAwkward = std::string(".aAzZ#_\r\n\t ,\"\x1b\x7f\x80\xc3\xff", 19) + '\0';

// Changes `text` a few times: bytes replaced, inserted or removed, lines
// repeated or dropped, the text cut short.
void mutate(std::mt19937_64& rng, std::string& text, int times) {
  for (int t = 0; t < times; ++t) {
    const std::size_t at = text.empty() ? 0 : below(rng, static_cast<int>(text.size()));
    const char byte = below(rng, 3) ? kAwkward[below(rng, static_cast<int>(kAwkward.size()))]
                                    : static_cast<char>(below(rng, 256));
    switch (below(rng, 6)) {
      case 0:
        if (!text.empty()) text[at] = byte;
        break;
      case 1:
        text.insert(text.begin() + static_cast<long>(at), byte);
        break;
      case 2:
        if (!text.empty()) text.erase(at, 1 + below(rng, 3));
        break;
      case 3: {  // a line repeated
        const std::size_t b = text.rfind('\n', at), e = text.find('\n', at);
        const std::size_t from = b == std::string::npos ? 0 : b + 1;
        text.insert(from, text.substr(from, e == std::string::npos ? e : e - from + 1));
        break;
      }
      case 4:
        text.resize(at);
        break;
      default:
        text.insert(at, std::string(below(rng, 40), byte));
    }
  }
}

// Board files --------------------------------------------------------------

// The board file rules, written out plainly: the rows, or where the first
// fault lies ("LINE: ", or "LINE: column COL: " for a square).
struct PlainBoard {
  std::optional<Grid> rows;
  std::string fault;
};
PlainBoard plainBoard(std::string_view text) {
  std::vector<std::string> rows;
  std::array<int, kLetters> used{};
  int lineNo = 0;
  std::stringstream in{std::string(text)};
  for (std::string line; std::getline(in, line);) {
    const std::string at = std::to_string(++lineNo) + ": ";
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    if (line.size() != 15 || rows.size() == 15) return {std::nullopt, at};
    for (std::size_t k = 0; k < line.size(); ++k) {
      const char c = line[k];
      const bool ok = c == '.' ||
                      (c >= 'a' && c <= 'z' && ++used[c - 'a'] <= kLetterCount[c - 'a']) ||
                      (c >= 'A' && c <= 'Z' && ++used[kBlank] <= kLetterCount[kBlank]);
      if (!ok) return {std::nullopt, at + "column " + std::to_string(k + 1) + ": "};
    }
    rows.push_back(line);
  }
  if (rows.size() != 15) return {std::nullopt, std::to_string(lineNo) + ": "};
  Grid grid;
  std::copy(rows.begin(), rows.end(), grid.begin());
  return {grid, ""};
}

std::string boardFile(std::mt19937_64& rng, const Grid& rows) {
  std::string text = below(rng, 2) ? "# a board\n\n" : "";
  for (const auto& r : rows) text += r + (below(rng, 8) ? "\n" : "\r\n");
  if (below(rng, 4) == 0) text += below(rng, 2) ? "# the end\r\n" : "\n";
  return text;
}

TEST(FuzzInput, BoardReader) {
  const std::vector<std::string> words =
      test::plainWords(test::PositionGen(0xB0A4D).wordListText(400));
  test::TempFile list(test::lines(words));
  WordListCache cache(list.path());
  int accepted = 0;
  fuzz(300, [&](int n) {
    test::PositionGen gen(0xB0A4D000 + n);
    std::mt19937_64& rng = gen.rng();
    std::string text =
        boardFile(rng, n % 4 == 0 ? test::emptyRows() : gen.board(words, below(rng, 25)));
    if (n % 10 != 0) mutate(rng, text, 1 + below(rng, 4));
    Grid rows;
    std::string error;
    const bool ok = cli::readBoard(text, rows, error);
    const auto plain = plainBoard(text);
    ASSERT_EQ(ok, plain.rows.has_value()) << cli::printable(text) << "\n" << cli::printable(error);
    if (!ok) {
      ASSERT_EQ(error.rfind(plain.fault, 0), 0u) << cli::printable(error) << "\n" << plain.fault;
      const std::string shown = cli::printable(error);
      ASSERT_EQ(std::count_if(shown.begin(), shown.end(), [](char c) { return c >= 0 && c < 32; }),
                0);
      return;
    }
    ASSERT_EQ(rows, *plain.rows);
    ++accepted;
    if (n % 3 != 0) return;
    // A read board is searched as any other.
    Game game(cache);
    test::RecordingPrompts prompts;
    startUp(game, prompts);
    cli::layBoard(game.state, rows);
    game.form.txtRack.type(gen.rack(below(rng, 8), below(rng, 2), true));
    game.form.chkComplete = n % 2 == 0;
    pressFindWords(game, prompts);
  });
  EXPECT_GT(accepted, 30);
}

// Replay scripts ------------------------------------------------------------

std::vector<std::string> goldenLines() {
  std::vector<std::string> lines;
  const auto dir = std::filesystem::path(TILVAN_TEST_DATA).parent_path() / "replay";
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    if (entry.path().extension() != ".replay") continue;
    std::ifstream in(entry.path());
    for (std::string line; std::getline(in, line);) lines.push_back(line);
  }
  return lines;
}

// One generated action line: a well-formed action with odd arguments, a
// line of a golden replay, or a changed one.
std::string scriptLine(std::mt19937_64& rng, const std::vector<std::string>& golden) {
  static const std::vector<std::string> kActions = {
      "players", "turn",  "drop",  "place",   "blank",    "rack",     "find", "show",
      "use",     "check", "clear", "newgame", "complete", "dump",     "#",    "",
      "Use",     "dropx", "type",  "lay",     "escape",   "backspace"};
  static const std::vector<std::string> kArgs = {
      "0",          "1",           "2",           "7",  "99",  "151",     "152", "-1",
      "2147483647", "-2147483648", "99999999999", "on", "off", "!close",  "cat", "_",
      "a b",        "1.5",         "0x10",        "+3", "",    "\x1b[2J", {'\0'}};
  if (below(rng, 3) == 0) {
    std::string line = pick(rng, golden);
    if (below(rng, 2)) mutate(rng, line, 1 + below(rng, 2));
    return line;
  }
  const char* gaps[] = {" ", "\t", "  ", " \t"};
  std::string line = (below(rng, 4) == 0 ? gaps[below(rng, 4)] : "") + pick(rng, kActions);
  for (int k = below(rng, 4); k > 0; --k) line += gaps[below(rng, 4)] + pick(rng, kArgs);
  if (below(rng, 6) == 0) line += " # note";
  if (below(rng, 6) == 0) line += "\r";
  return line;
}

// The current folder changed for as long as it lives.
class InFolder {
 public:
  explicit InFolder(const std::filesystem::path& dir) : before_(std::filesystem::current_path()) {
    std::filesystem::current_path(dir);
  }
  ~InFolder() { std::filesystem::current_path(before_); }
  InFolder(const InFolder&) = delete;
  InFolder& operator=(const InFolder&) = delete;

 private:
  std::filesystem::path before_;
};

TEST(FuzzInput, ScriptReader) {
  const std::vector<std::string> golden = goldenLines();
  ASSERT_GT(golden.size(), 100u);
  WordListCache cache(std::filesystem::path(TILVAN_TEST_DATA) / "words.txt");
  // The scripts save and open games by relative names: in a folder of their own.
  const test::TempFile scratch("");
  const InFolder here(scratch.path().parent_path());
  fuzz(300, [&](int n) {
    std::mt19937_64 rng(0x5C417000 + n);
    std::string script;
    const int lines = 1 + below(rng, 40);
    for (int k = 0; k < lines; ++k) script += scriptLine(rng, golden) + "\n";
    if (n % 50 == 7) script.insert(below(rng, static_cast<int>(script.size())), (1 << 20) + 1, 'x');
    if (n % 5 == 0) mutate(rng, script, 1 + below(rng, 3));
    std::istringstream in(script);
    std::ostringstream out, err;
    const int code = cli::runReplay(in, "s.replay", cache, out, err);
    ASSERT_TRUE(code == 0 || code == 2) << code;
    const std::string e = err.str();
    if (code == 0) {
      ASSERT_EQ(e, "");
    } else {
      ASSERT_EQ(e.rfind("s.replay:", 0), 0u) << e;
      ASSERT_EQ(e.find('\n'), e.size() - 1) << e;
      ASSERT_EQ(std::count_if(e.begin(), e.end(), [](char c) { return c >= 0 && c < 32; }), 1) << e;
    }
    std::istringstream printed(out.str());
    for (std::string line; std::getline(printed, line);)
      ASSERT_TRUE(line.rfind("message: ", 0) == 0 || line.rfind("state: {", 0) == 0 ||
                  line.rfind("error: tile ", 0) == 0 || line.rfind("question: ", 0) == 0 ||
                  line.rfind("lookup: ", 0) == 0)
          << cli::printable(line);
  });
}

// Word lists ----------------------------------------------------------------

// The record rules as a machine that takes one byte at a time.
std::vector<std::string> plainRecords(std::string_view bytes) {
  enum { kStart, kField, kQuoted, kAfterQuote } state = kStart;
  std::vector<std::string> out;
  std::string field;
  bool pending = false, afterCR = false;  // bytes taken since the last record
  for (char c : bytes) {
    if (afterCR && c == '\n') {
      afterCR = false;
      continue;
    }
    afterCR = c == '\r' && state != kQuoted;  // a CR that ends a record
    pending = true;
    const bool ends = c == ',' || c == '\n' || c == '\r';
    if (state == kQuoted) {
      if (c == '"')
        state = kAfterQuote;
      else
        field += c;
    } else if (ends) {
      out.push_back(std::exchange(field, {}));
      state = kStart;
      pending = false;
    } else if (state == kStart && c == ' ') {
    } else if (state == kStart && c == '"') {
      state = kQuoted;
    } else if (state != kAfterQuote) {
      state = kField;
      field += c;
    }
  }
  if (pending) out.push_back(field);
  return out;
}

std::vector<std::string> recordsOf(const WordList& list) {
  std::vector<std::string> out;
  for (std::size_t i = 0; i < list.size(); ++i) out.emplace_back(list[i]);
  return out;
}

std::string listText(std::mt19937_64& rng) {
  std::string text;
  const int n = below(rng, 300);
  const std::string alphabet = std::string("ab z,\"\r\n \xe9", 10) + '\0';
  for (int i = 0; i < n; ++i) text += alphabet[below(rng, static_cast<int>(alphabet.size()))];
  return text;
}

TEST(FuzzInput, WordListReader) {
  test::TempFile file("");
  WordListCache cache(file.path());
  std::size_t lastSize = 0;
  fuzz(2000, [&](int n) {
    std::mt19937_64 rng(0x3041D000 + n);
    std::string text = listText(rng);
    if (n % 3 == 0) mutate(rng, text, 1 + below(rng, 4));
    const std::vector<std::string> expected = plainRecords(text);
    ASSERT_EQ(recordsOf(WordList::parse(text)), expected) << cli::printable(text);
    if (n % 4 != 0) return;
    // The cache follows the file through rewrites, and through its being
    // replaced by a folder or a pipe and back.
    std::filesystem::remove_all(file.path());
    if (n % 40 == 4) {
      ASSERT_TRUE(n % 80 == 4 ? std::filesystem::create_directory(file.path())
                              : ::mkfifo(file.path().c_str(), 0600) == 0);
      const auto r = cache.get();
      ASSERT_FALSE(r.ok());
      ASSERT_EQ(r.error().reason, "not a regular file");
      std::filesystem::remove_all(file.path());
    }
    if (text.size() == lastSize) text += ',';  // a new size, however quick the rewrite
    lastSize = text.size();
    file.write(text);
    const auto got = cache.get();
    ASSERT_TRUE(got.ok()) << got.error().message();
    ASSERT_EQ(recordsOf(*got.value()), plainRecords(text)) << cli::printable(text);
  });
}

// Game files ----------------------------------------------------------------

using Json = nlohmann::ordered_json;

// Every object and array of a JSON document.
void containers(Json& j, std::vector<Json*>& out) {
  if (!j.is_structured()) return;
  out.push_back(&j);
  for (Json& child : j) containers(child, out);
}

// The first 12 are the numbers that changeNumber writes.
// clang-format off
const Json kOddValues[] = {0, -1, 1, 2, 3, 4, 5, 7, 14, 15, 98, 99, 100, 1 << 30, -100000, 1.5,
                           "a", "Z", "", "move", "pass", "end", true, nullptr, Json::array(),
                           Json::object()};
// clang-format on

// Changes the document: a field deleted or given an odd value, an element
// of a list repeated, dropped or swapped with another.
void mutateJson(std::mt19937_64& rng, Json& doc, int times) {
  for (int t = 0; t < times; ++t) {
    std::vector<Json*> all;
    containers(doc, all);
    Json& c = *all[below(rng, static_cast<int>(all.size()))];
    if (c.empty()) continue;
    const int at = below(rng, static_cast<int>(c.size()));
    const Json odd = kOddValues[below(rng, std::size(kOddValues))];
    if (c.is_object()) {
      auto it = std::next(c.begin(), at);
      if (below(rng, 2))
        c.erase(it.key());
      else
        *it = odd;
    } else if (const int other = below(rng, static_cast<int>(c.size())); below(rng, 3) == 0) {
      c.insert(c.begin() + at, c[other]);
    } else if (below(rng, 2)) {
      c.erase(static_cast<std::size_t>(at));
    } else {
      std::swap(c[at], c[other]);
    }
  }
}

// A number in the text replaced by another.
void changeNumber(std::mt19937_64& rng, std::string& text) {
  std::size_t at = text.find_first_of("0123456789", below(rng, static_cast<int>(text.size())));
  if (at == std::string::npos) return;
  const std::size_t end = text.find_first_not_of("0123456789", at);
  text.replace(at, end - at, kOddValues[below(rng, 12)].dump());
}

// The shapes of hostile files: nesting without end in a field, a turn of the
// end of the game (or a pass) put anywhere with any score, a correction or a
// total beyond what a file holds.
void hostileShape(std::mt19937_64& rng, Json& doc, std::string& nest) {
  static const long long kScores[] = {0,       -1,      20,         -20,        100000,
                                      -100000, 100001,  2147483647, 4294967313, -2147483648LL};
  const long long score = kScores[below(rng, std::size(kScores))];
  Json& turns = doc[below(rng, 3) == 0 ? "takenBack" : "turns"];
  if (!turns.is_array()) turns = Json::array();
  const int players = doc["players"].get<int>();
  switch (below(rng, 4)) {
    case 0: {
      const int depth = below(rng, 2) ? below(rng, 40) : below(rng, 200000);
      nest = std::string(static_cast<std::size_t>(depth), '[') +
             std::string(static_cast<std::size_t>(depth), ']');
      doc[below(rng, 2) ? "deep" : "turns"] = "@nest@";
      break;
    }
    case 1: {
      Json turn = {{"kind", below(rng, 3) ? "end" : "pass"}, {"player", 1 + below(rng, players)}};
      if (below(rng, 4)) turn["score"] = score;
      for (int k = below(rng, players + 1); k >= 0; --k) {
        turns.insert(turns.begin() + below(rng, static_cast<int>(turns.size()) + 1), turn);
        turn["player"] = 1 + below(rng, players);
      }
      break;
    }
    case 2:
      if (!turns.empty()) turns[below(rng, static_cast<int>(turns.size()))]["corrected"] = score;
      break;
    default:
      if (doc["totals"].is_array() && !doc["totals"].empty())
        doc["totals"][below(rng, static_cast<int>(doc["totals"].size()))] = score;
  }
}

// The first way a loaded game breaks the rules or differs from the file it
// was loaded from, or "".
std::string brokenLoad(const Game& game, const SavedGame& file) {
  const GameState& s = game.state;
  if (s.Turns.size() != file.turns.size()) return "it has another number of turns";
  for (std::size_t i = 0; i < s.Turns.size(); ++i) {
    const Turn &t = s.Turns[i], &f = file.turns[i];
    if (t.kind != f.kind || t.player != f.player || t.corrected != f.corrected ||
        (t.kind != TurnKind::kMove && t.score != f.score))
      return "turn " + std::to_string(i + 1) + " differs from the file";
  }
  std::size_t ends = 0;
  for (std::size_t i = 0; i < s.Turns.size(); ++i)
    if (s.Turns[i].kind == TurnKind::kEnd) {
      if (s.Turns[i].player != static_cast<int>(ends)) return "an end of the game out of order";
      ++ends;
    } else if (ends > 0) {
      return "a turn after the end of the game";
    }
  if (ends == 1 || ends > static_cast<std::size_t>(kPlayers)) return "an end of one player";
  if (!Json::accept(cli::stateJson(game))) return "its dump is not JSON";
  int tiles = 0;
  for (const Turn& t : s.Turns)
    for (const TurnTile& x : t.tiles) {
      const BoardSquare& sq = s.Committed.atH(hIndex(x.row, x.col));
      if (!sq.occupied || sq.letter != x.letter - 'a' ||
          (!x.blank && sq.tile != x.tile) ||  // a blank shows as a picture of its letter
          (sq.value == 0) != (x.blank || kLetterValue[x.letter - 'a'] == 0))
        return "a tile of the record is not on the board";
      ++tiles;
    }
  if (tiles != s.LockedCount || s.MoveTileCount != 0) return "the board has other tiles";
  const auto again = parseGameFile(gameFileText(game));
  if (!again.ok() || again.value().turns.size() != s.Turns.size()) return "it saves differently";
  return "";
}

TEST(FuzzInput, GameFileReader) {
  WordListCache cache(TILVAN_DEFAULT_WORD_LIST);
  const auto list = cache.get();
  ASSERT_TRUE(list.ok());
  // Real saved games, and the game that every load is tried on.
  std::vector<std::string> saved;
  std::mt19937 gen(0x6A3E);
  for (int n = 0; n < 16; ++n) {
    test::StartedGame g(std::string_view{});
    g.setPlayers(2 + n % 3, 1);
    test::playGeneratedGame(g, *list.value(), gen, {.steps = 6 + n});
    saved.push_back(gameFileText(g.game));
  }
  test::StartedGame target(std::string_view{});
  target.setPlayers(3, 2);
  test::playGeneratedGame(target, *list.value(), gen, {.steps = 8});
  const GameState state = target.game.state;
  const Form form = target.game.form;
  int loaded = 0;
  const int runs = fuzz(300, [&](int n) {
    std::mt19937_64 rng(0x6A3E000 + n);
    std::string text = pick(rng, saved);
    std::string nest;
    switch (n % 6) {
      case 0:
        mutate(rng, text, 1 + below(rng, 3));
        break;
      case 1: {  // a piece of another game
        const std::string other = pick(rng, saved);
        const std::size_t from = below(rng, static_cast<int>(other.size()));
        text.replace(below(rng, static_cast<int>(text.size())), below(rng, 200),
                     other.substr(from, below(rng, 400)));
        break;
      }
      case 2:
        for (int k = below(rng, 3); k >= 0; --k) changeNumber(rng, text);
        break;
      case 3: {
        Json doc = Json::parse(text);
        hostileShape(rng, doc, nest);
        text = doc.dump(below(rng, 2) ? 1 : -1);
        if (const auto at = text.find("\"@nest@\""); at != std::string::npos)
          text.replace(at, 8, nest);
        break;
      }
      default: {
        Json doc = Json::parse(text);
        mutateJson(rng, doc, 1 + below(rng, 3));
        text = doc.dump(below(rng, 2) ? 1 : -1);
      }
    }
    const auto parsed = parseGameFile(text);
    if (!parsed.ok()) return;
    const auto why = restoreGame(target.game, parsed.value());
    if (why) {
      ASSERT_TRUE(target.game.state == state && target.game.form == form) << *why << "\n" << text;
      return;
    }
    ++loaded;
    ASSERT_EQ(brokenLoad(target.game, parsed.value()), "") << text;
    target.game.state = state;
    target.game.form = form;
  });
  std::cout << loaded << " of " << runs << " changed game files loaded\n";
}

}  // namespace
}  // namespace tilvan
