#include "cli/replay.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <deque>
#include <istream>
#include <optional>
#include <ostream>
#include <string_view>
#include <vector>

#include "cli/dump.h"
#include "cli/input.h"
#include "cli/printable.h"
#include "game/handlers.h"
#include "words/lookup.h"

namespace tilvan::cli {
namespace {

// Message boxes become `message:` lines; blank tile dialogs take their
// answers from the queue that `blank` actions fill.
class ReplayPrompts : public Prompts {
 public:
  explicit ReplayPrompts(std::ostream& out) : out_(out) {}
  // What a message or a question quotes from the script is made safe for a
  // terminal, as the error lines are.
  void message(std::string_view text) override {
    out_ << "message: " << printable(text) << '\n';
  }
  std::optional<std::string> askBlankLetter() override {
    if (answers_.empty()) return std::nullopt;
    std::string answer = std::move(answers_.front());
    answers_.pop_front();
    if (answer == "!close") return std::nullopt;
    return answer;
  }
  void queueBlank(std::string text) { answers_.push_back(std::move(text)); }
  // Questions are printed; their answers come from `confirm` actions, and a
  // question with none queued is answered yes.
  bool confirm(std::string_view question) override {
    out_ << "question: " << printable(question) << '\n';
    if (confirmations_.empty()) return true;
    const bool yes = confirmations_.front();
    confirmations_.pop_front();
    return yes;
  }
  void queueConfirm(bool yes) { confirmations_.push_back(yes); }

 private:
  std::ostream& out_;
  std::deque<std::string> answers_;
  std::deque<bool> confirmations_;
};

std::optional<int> parseInt(std::string_view s) {
  int v = 0;
  auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  if (ec != std::errc() || ptr != s.data() + s.size()) return std::nullopt;
  return v;
}

constexpr std::string_view kBlanks = " \t";

// Splits "a b c" into words; any run of spaces or tabs separates.
std::vector<std::string_view> words(std::string_view s) {
  std::vector<std::string_view> out;
  for (std::size_t i = s.find_first_not_of(kBlanks); i != std::string_view::npos;) {
    const std::size_t end = std::min(s.find_first_of(kBlanks, i), s.size());
    out.push_back(s.substr(i, end - i));
    i = s.find_first_not_of(kBlanks, end);
  }
  return out;
}

// One action line: the action's name, TEXT (the rest of the line after one
// space or tab, kept exactly) and the words of TEXT before any '#'.
struct Action {
  std::string_view name, text;
  std::vector<std::string_view> args;
};

// The action on a line; nothing for a blank or comment line.
std::optional<Action> parseLine(std::string_view line) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  const std::size_t first = line.find_first_not_of(kBlanks);
  if (first == std::string_view::npos || line[first] == '#') return std::nullopt;
  line.remove_prefix(first);
  const std::size_t gap = line.find_first_of(kBlanks);
  Action a;
  a.name = line.substr(0, gap);
  a.text = gap == std::string_view::npos ? "" : line.substr(gap + 1);
  a.args = words(a.text.substr(0, a.text.find('#')));
  return a;
}

// A started program that script actions are played against.
class Player {
 public:
  Player(WordListCache& words, std::ostream& out,
         const std::optional<std::filesystem::path>& autosave)
      : game_(words), prompts_(out), out_(out) {
    game_.autosavePath = autosave;
    startUp(game_, prompts_);
  }
  // Plays one action; returns why a malformed one was refused.
  std::optional<std::string> play(const Action& a);

 private:
  std::optional<std::string> dropOrPlace(const Action& a);
  std::optional<std::string> scoreSheet(const Action& a);
  std::optional<std::string> gameFile(const Action& a);
  std::optional<std::string> typing(const Action& a);
  std::optional<std::string> press(const Action& a, void (*handler)(Game&, Prompts&));

  Game game_;
  ReplayPrompts prompts_;
  std::ostream& out_;
};

std::optional<std::string> Player::press(const Action& a, void (*handler)(Game&, Prompts&)) {
  if (!a.args.empty()) return std::string(a.name) + " takes no argument";
  handler(game_, prompts_);
  return std::nullopt;
}

// drop N X Y: X, Y in twips on the main board; place N R C: on square R, C.
std::optional<std::string> Player::dropOrPlace(const Action& a) {
  const bool three = a.args.size() == 3;
  const auto n = three ? parseInt(a.args[0]) : std::nullopt;
  const auto first = three ? parseInt(a.args[1]) : std::nullopt;
  const auto second = three ? parseInt(a.args[2]) : std::nullopt;
  if (!n || !first || !second || *n < 0 || *n >= kTilePictures)
    return std::string(a.name) + " takes a tile number 0..151 and two integers";
  if (!game_.form.imgTile[*n].Visible) {
    out_ << "error: tile " << *n << " is hidden\n";
    return std::nullopt;
  }
  long long x = *first, y = *second;
  if (a.name == "place") x = 40 + 270LL * *second + 250, y = 40 + 270LL * *first + 250;
  const auto inBoard = [](long long v) { return v >= 0 && v < kBoardSize; };
  if (inBoard(x) && inBoard(y) &&
      dropTargetAt(game_, static_cast<int>(x), static_cast<int>(y)) == DropTarget::kBoard)
    dropTile(game_, prompts_, *n, static_cast<int>(x), static_cast<int>(y));
  return std::nullopt;
}

// The score sheet's actions: pass, redo, adjust M SCORE, endgame TEXT.
std::optional<std::string> Player::scoreSheet(const Action& a) {
  if (a.name == "pass" || a.name == "redo")
    return press(a, a.name == "pass" ? pressPass : pressRedo);
  if (a.name == "adjust") {
    const auto m = a.args.size() == 2 ? parseInt(a.args[0]) : std::nullopt;
    const auto score = a.args.size() == 2 ? parseInt(a.args[1]) : std::nullopt;
    if (!m || !score) return "adjust takes a turn number and a score";
    adjustScore(game_, prompts_, *m - 1, *score);
    return std::nullopt;
  }
  // endgame: the racks of players 1, 2, ... separated by '/'.
  std::vector<std::string> racks(1);
  for (char c : a.text) {
    if (c == '/')
      racks.emplace_back();
    else
      racks.back().push_back(c);
  }
  endGame(game_, prompts_, racks);
  return std::nullopt;
}

// save FILE, load FILE, confirm yes|no.
std::optional<std::string> Player::gameFile(const Action& a) {
  if (a.name == "confirm") {
    if (a.args.size() != 1 || (a.args[0] != "yes" && a.args[0] != "no"))
      return "confirm takes yes or no";
    prompts_.queueConfirm(a.args[0] == "yes");
    return std::nullopt;
  }
  if (a.text.empty()) return std::string(a.name) + " takes a file";
  const std::filesystem::path path(std::string(a.text));
  if (a.name == "save")
    saveGame(game_, prompts_, path);
  else
    openGame(game_, prompts_, path);
  return std::nullopt;
}

// Typing on the main board and laying results: type R C across|down TEXT,
// backspace, escape, lay K, arrow up|down|left|right.
std::optional<std::string> Player::typing(const Action& a) {
  if (a.name == "backspace" || a.name == "escape")
    return press(a, a.name == "backspace" ? pressBackspace : pressEscape);
  if (a.name == "arrow") {
    static constexpr std::pair<std::string_view, std::array<int, 2>> kArrows[] = {
        {"up", {-1, 0}}, {"down", {1, 0}}, {"left", {0, -1}}, {"right", {0, 1}}};
    for (const auto& [word, step] : kArrows)
      if (a.args.size() == 1 && a.args[0] == word) {
        pressArrow(game_, prompts_, step[0], step[1]);
        return std::nullopt;
      }
    return "arrow takes up, down, left or right";
  }
  if (a.name == "lay") {
    const auto k = a.args.size() == 1 ? parseInt(a.args[0]) : std::nullopt;
    if (!k || *k < 1 || *k > kResultSlots) return "lay takes a result button 1..5";
    layResult(game_, prompts_, *k - 1);
    return std::nullopt;
  }
  const bool four = a.args.size() == 4;
  const auto row = four ? parseInt(a.args[0]) : std::nullopt;
  const auto col = four ? parseInt(a.args[1]) : std::nullopt;
  const bool across = four && a.args[2] == "across", down = four && a.args[2] == "down";
  if (!row || !col || *row < 0 || *row >= kSide || *col < 0 || *col >= kSide || !(across || down))
    return "type takes a row and a column 0..14, across or down, and the letters";
  Cursor& cursor = game_.form.cursor;
  clickMainSquare(game_, prompts_, *row, *col);
  // An occupied square takes no click; the typing starts there all the same
  // and types over its letter or skips it.
  if (!cursor.Visible || cursor.Row != *row || cursor.Col != *col)
    cursor = {*row, *col, cursor.Down, true};
  if (cursor.Down != down) pressTab(game_, prompts_);
  for (char ch : a.args[3]) typeCharacter(game_, prompts_, ch);
  return std::nullopt;
}

std::optional<std::string> Player::play(const Action& a) {
  const std::string_view name = a.name;
  if (name == "players" || name == "turn") {
    (name == "players" ? game_.form.txtNumberofPlayers : game_.form.txtUsersTurn).type(a.text);
    (name == "players" ? pressNumberOfPlayers : pressUsersTurn)(game_, prompts_);
  } else if (name == "rack") {
    game_.form.txtRack.type(a.text);
  } else if (name == "blank") {
    prompts_.queueBlank(std::string(a.text));
  } else if (name == "newgame") {
    return press(a, pressNewGame);
  } else if (name == "dump") {
    if (!a.args.empty()) return "dump takes no argument";
    out_ << "state: " << stateJson(game_) << '\n';
  } else if (name == "drop" || name == "place") {
    return dropOrPlace(a);
  } else if (name == "use" || name == "check" || name == "clear" || name == "find") {
    return press(a, name == "use"     ? pressUse
                    : name == "check" ? pressCheckWords
                    : name == "clear" ? pressClearLastMove
                                      : pressFindWordsToTheEnd);
  } else if (name == "pass" || name == "redo" || name == "adjust" || name == "endgame") {
    return scoreSheet(a);
  } else if (name == "save" || name == "load" || name == "confirm") {
    return gameFile(a);
  } else if (name == "type" || name == "backspace" || name == "escape" || name == "lay" ||
             name == "arrow") {
    return typing(a);
  } else if (name == "complete") {
    if (a.args.size() != 1 || (a.args[0] != "on" && a.args[0] != "off"))
      return "complete takes on or off";
    game_.form.chkComplete = a.args[0] == "on";
  } else if (name == "rank") {
    if (a.args.size() != 1 || (a.args[0] != "value" && a.args[0] != "score"))
      return "rank takes value or score";
    game_.form.chkValue = a.args[0] == "value";
  } else if (name == "simulate") {
    const auto rounds = a.args.size() == 1 ? parseInt(a.args[0]) : std::nullopt;
    if (!rounds || *rounds < 1 || *rounds > 10000) return "simulate takes a number of rounds 1..10000";
    pressSimulate(game_, prompts_, *rounds, 1);
  } else if (name == "lookup") {
    // The list was read at the start; one whose file has since changed and
    // cannot be read answers "no", as this line only says yes or no.
    const bool found = lookUpWord(game_, std::string(a.text)).value_or(false);
    out_ << "lookup: " << printable(a.text) << ' ' << (found ? "yes" : "no") << '\n';
  } else if (name == "show") {
    const auto k = a.args.size() == 1 ? parseInt(a.args[0]) : std::nullopt;
    if (!k || *k < 1 || *k > kResultSlots) return "show takes a result button 1..5";
    pressShowSlot(game_, prompts_, *k - 1);
  } else {
    return "unknown action \"" + std::string(name) + "\"";
  }
  return std::nullopt;
}

}  // namespace

int runReplay(std::istream& in, const std::string& scriptName, WordListCache& wordList,
              std::ostream& out, std::ostream& err,
              const std::optional<std::filesystem::path>& autosave) {
  Player player(wordList, out, autosave);
  LineReader reader(in, kMaxLineBytes);
  std::string raw;
  int lineNo = 0;
  auto fail = [&](const std::string& why) {
    out.flush();
    err << printable(scriptName + ":" + std::to_string(lineNo) + ": " + why) << '\n';
    return 2;
  };
  for (;;) {
    const LineReader::Status status = reader.next(raw);
    if (status == LineReader::Status::kEnd) return 0;
    ++lineNo;
    if (status == LineReader::Status::kTooLong) return fail("a line longer than 1 MiB");
    if (status == LineReader::Status::kError)
      return fail("cannot read the script: " + reader.error());
    if (const auto action = parseLine(raw))
      if (auto why = player.play(*action)) return fail(*why);
  }
}

}  // namespace tilvan::cli
