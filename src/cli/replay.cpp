#include "cli/replay.h"

#include <charconv>
#include <deque>
#include <functional>
#include <istream>
#include <map>
#include <optional>
#include <ostream>
#include <set>
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

// Actions whose handlers are not part of this build yet.
const std::set<std::string_view> kNotYet = {"drop", "place", "blank", "use",  "check",
                                            "clear", "find", "show", "complete"};

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
    } else if (kNotYet.count(action)) {
      out << "error: not available yet\n";
    } else {
      return fail("unknown action \"" + std::string(action) + "\"");
    }
  }
  return 0;
}

}  // namespace tilvan::cli
