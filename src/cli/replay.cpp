#include "cli/replay.h"

#include <charconv>
#include <deque>
#include <functional>
#include <istream>
#include <map>
#include <optional>
#include <ostream>
#include <string_view>

#include "cli/dump.h"
#include "game/handlers.h"

namespace tilvan::cli {
namespace {

// Message boxes become `message:` lines; blank tile dialogs take their
// answers from the queue that `blank` actions fill.
class ReplayPrompts : public Prompts {
 public:
  explicit ReplayPrompts(std::ostream& out) : out_(out) {}
  void message(std::string_view text) override { out_ << "message: " << text << '\n'; }
  std::optional<std::string> askBlankLetter() override {
    if (answers_.empty()) return std::nullopt;
    std::string answer = std::move(answers_.front());
    answers_.pop_front();
    if (answer == "!close") return std::nullopt;
    return answer;
  }
  void queueBlank(std::string text) { answers_.push_back(std::move(text)); }

 private:
  std::ostream& out_;
  std::deque<std::string> answers_;
};

std::optional<int> parseInt(std::string_view s) {
  int v = 0;
  auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  if (ec != std::errc() || ptr != s.data() + s.size()) return std::nullopt;
  return v;
}

// Splits "a b c" into words; any run of spaces or tabs separates.
std::vector<std::string_view> words(std::string_view s) {
  std::vector<std::string_view> out;
  std::size_t i = 0;
  while (i < s.size()) {
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
    const std::size_t b = i;
    while (i < s.size() && s[i] != ' ' && s[i] != '\t') ++i;
    if (i > b) out.push_back(s.substr(b, i - b));
  }
  return out;
}

}  // namespace

int runReplay(std::istream& in, const std::string& scriptName, WordListCache& wordList,
              std::ostream& out, std::ostream& err) {
  Game game(wordList);
  ReplayPrompts prompts(out);
  startUp(game, prompts);

  std::string raw;
  int lineNo = 0;
  while (std::getline(in, raw)) {
    ++lineNo;
    std::string_view line(raw);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const std::size_t first = line.find_first_not_of(" \t");
    if (first == std::string_view::npos || line[first] == '#') continue;
    line.remove_prefix(first);
    const std::size_t sp = line.find(' ');
    const std::string_view action = line.substr(0, sp);
    // TEXT is the rest of the line after one space, kept exactly.
    const std::string_view text = sp == std::string_view::npos ? "" : line.substr(sp + 1);
    // Other actions take words; a trailing '#' comment is allowed there.
    std::string_view rest = text.substr(0, text.find('#'));
    const auto args = words(rest);

    auto fail = [&](const std::string& why) {
      out.flush();
      err << scriptName << ":" << lineNo << ": " << why << '\n';
      return 2;
    };
    auto wantArgs = [&](std::size_t n) { return args.size() == n; };

    if (action == "players") {
      game.form.txtNumberofPlayers.type(text);
      pressNumberOfPlayers(game, prompts);
    } else if (action == "turn") {
      game.form.txtUsersTurn.type(text);
      pressUsersTurn(game, prompts);
    } else if (action == "rack") {
      game.form.txtRack.type(text);
    } else if (action == "newgame") {
      if (!wantArgs(0)) return fail("newgame takes no argument");
      pressNewGame(game, prompts);
    } else if (action == "dump") {
      if (!wantArgs(0)) return fail("dump takes no argument");
      out << "state: " << stateJson(game) << '\n';
    } else if (action == "drop" || action == "place") {
      // drop N X Y: X, Y in twips on the main board; place N R C: on square R, C.
      const auto n = wantArgs(3) ? parseInt(args[0]) : std::nullopt;
      const auto a = wantArgs(3) ? parseInt(args[1]) : std::nullopt;
      const auto b = wantArgs(3) ? parseInt(args[2]) : std::nullopt;
      if (!n || !a || !b || *n < 0 || *n >= kTilePictures)
        return fail(std::string(action) + " takes a tile number 0..151 and two integers");
      if (!game.form.imgTile[*n].Visible) {
        out << "error: tile " << *n << " is hidden\n";
      } else {
        long long x = *a, y = *b;
        if (action == "place") x = 40 + 270LL * *b + 250, y = 40 + 270LL * *a + 250;
        const auto inBoard = [](long long v) { return v >= 0 && v < kBoardSize; };
        if (inBoard(x) && inBoard(y) &&
            dropTargetAt(game, static_cast<int>(x), static_cast<int>(y)) == DropTarget::kBoard)
          dropTile(game, prompts, *n, static_cast<int>(x), static_cast<int>(y));
      }
    } else if (action == "blank") {
      prompts.queueBlank(std::string(text));
    } else if (action == "use") {
      if (!wantArgs(0)) return fail("use takes no argument");
      pressUse(game, prompts);
    } else if (action == "check") {
      if (!wantArgs(0)) return fail("check takes no argument");
      pressCheckWords(game, prompts);
    } else if (action == "clear") {
      if (!wantArgs(0)) return fail("clear takes no argument");
      pressClearLastMove(game, prompts);
    } else if (action == "pass") {
      if (!wantArgs(0)) return fail("pass takes no argument");
      pressPass(game, prompts);
    } else if (action == "redo") {
      if (!wantArgs(0)) return fail("redo takes no argument");
      pressRedo(game, prompts);
    } else if (action == "adjust") {
      const auto m = wantArgs(2) ? parseInt(args[0]) : std::nullopt;
      const auto score = wantArgs(2) ? parseInt(args[1]) : std::nullopt;
      if (!m || !score) return fail("adjust takes a turn number and a score");
      adjustScore(game, prompts, *m - 1, *score);
    } else if (action == "endgame") {
      std::vector<std::string> racks(1);
      for (char c : text) {
        if (c == '/')
          racks.emplace_back();
        else
          racks.back().push_back(c);
      }
      endGame(game, prompts, racks);
    } else if (action == "complete") {
      if (!wantArgs(1) || (args[0] != "on" && args[0] != "off"))
        return fail("complete takes on or off");
      game.form.chkComplete = args[0] == "on";
    } else if (action == "find") {
      if (!wantArgs(0)) return fail("find takes no argument");
      pressFindWords(game, prompts);
    } else if (action == "show") {
      const auto k = wantArgs(1) ? parseInt(args[0]) : std::nullopt;
      if (!k || *k < 1 || *k > kResultSlots) return fail("show takes a result button 1..5");
      pressShowSlot(game, prompts, *k - 1);
    } else {
      return fail("unknown action \"" + std::string(action) + "\"");
    }
  }
  return 0;
}

}  // namespace tilvan::cli
