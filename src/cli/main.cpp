// tilvan-cli: the program's headless front end.
//   tilvan-cli find --board FILE --rack RACK [--complete] [--json] [--words FILE]
//   tilvan-cli replay [SCRIPT] [--words FILE] [--autosave FILE]
//   tilvan-cli selfplay ... | fit-leaves ...   (see selfplay.h, fit_leaves.h)
#include <iostream>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "cli/find.h"
#include "cli/fit_leaves.h"
#include "cli/input.h"
#include "cli/printable.h"
#include "cli/replay.h"
#include "cli/selfplay.h"
#include "words/word_list.h"

namespace {

constexpr const char* kFindUsage =
    "usage: tilvan-cli find --board FILE --rack RACK [--complete [--rank value [--players N]]]\n"
    "                       [--json] [--words FILE]\n";
constexpr const char* kReplayUsage =
    "usage: tilvan-cli replay [SCRIPT] [--words FILE] [--autosave FILE]\n";
constexpr const char* kUsage =
    "usage: tilvan-cli find --board FILE --rack RACK [--complete [--rank value [--players N]]]\n"
    "                       [--json] [--words FILE]\n"
    "       tilvan-cli replay [SCRIPT] [--words FILE] [--autosave FILE]\n"
    "       tilvan-cli selfplay --games N [--seed S] [--jobs J] [--shard K/N] [--strategies A,B]\n"
    "                           [--record FILE] [--json] [--words FILE] [--leaves TABLE]\n"
    "       tilvan-cli selfplay --merge FILE...\n"
    "       tilvan-cli fit-leaves RECORD... [--min-count N] [--min-bag N] [--ridge X]\n"
    "                                       [--bootstrap TABLE]\n"
    "       tilvan-cli --help | --version\n";

constexpr const char* kFindHelp =
    "Analyses one board position and prints the five best placements for a rack.\n"
    "\n"
    "  --board FILE   15 lines of 15 characters: '.' empty, a-z a tile, A-Z a blank\n"
    "                 laid as that letter ('-' reads standard input)\n"
    "  --rack RACK    the rack as typed, at most 7 characters; '_' is a blank\n"
    "  --complete     find every legal placement, not only the classic ones\n"
    "  --rank value   rank placements and exchanges by points plus the value of the\n"
    "                 tiles kept (with --complete)\n"
    "  --players N    players in the game, 2 to 4 (default 2), for the tiles in the bag\n"
    "  --json         print the results as JSON\n"
    "  --words FILE   the word list (default: the installed word-game list)\n"
    "  --help         show this help\n";
constexpr const char* kReplayHelp =
    "Plays a script of user actions, one a line, against a freshly started game and\n"
    "prints every message as 'message: TEXT' and every dump as 'state: {...}'.\n"
    "'complete on' finds with the complete search; then 'rank value' ranks its\n"
    "results and the exchanges by points plus the value of the tiles kept, and\n"
    "'rank score' (the default) by points alone.\n"
    "\n"
    "  SCRIPT         the script file; standard input when absent or '-'\n"
    "  --words FILE   the word list (default: the installed word-game list)\n"
    "  --autosave FILE  write the game to FILE after every change of its record\n"
    "  --help         show this help\n";

// Every error is one line on stderr and exit code 2.
int usageError(const std::string& why) {
  std::cerr << "tilvan-cli: " << tilvan::cli::printable(why) << " (see tilvan-cli --help)\n";
  return 2;
}

// Plays the script named on the command line, standard input for none or "-".
int replayScript(const std::optional<std::string>& script, tilvan::WordListCache& words,
                 std::istream& stdinStream, const std::optional<std::string>& autosave) {
  std::optional<std::filesystem::path> autosavePath;
  if (autosave) autosavePath = *autosave;
  if (!script || *script == "-")
    return tilvan::cli::runReplay(stdinStream, "<stdin>", words, std::cout, std::cerr,
                                  autosavePath);
  auto input = tilvan::cli::openInput(*script);
  if (!input.ok()) {
    const std::string why = *script + ": cannot open the script: " + input.error().reason;
    std::cerr << "tilvan-cli: " << tilvan::cli::printable(why) << '\n';
    return 2;
  }
  std::istream in(input.value().get());
  return tilvan::cli::runReplay(in, *script, words, std::cout, std::cerr, autosavePath);
}

// What the command line asks for.
struct Args {
  std::string command;
  std::optional<std::string> wordsPath, board, rack, script, autosave, rank, players;
  bool complete = false, json = false;
};

// Reads the arguments after the command; the exit code when the program
// ends here (a help asked for, or a bad argument).
std::optional<int> parseArgs(const std::vector<std::string>& args, Args& out) {
  const std::string& command = out.command;
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto value = [&](std::optional<std::string>& slot) {
      if (i + 1 >= args.size()) return false;
      slot = args[++i];
      return true;
    };
    if (a == "--help" && (command == "find" || command == "replay")) {
      std::cout << (command == "find" ? kFindUsage : kReplayUsage) << '\n'
                << (command == "find" ? kFindHelp : kReplayHelp);
      return 0;
    }
    if (a == "--words") {
      if (!value(out.wordsPath)) return usageError("--words needs a file");
    } else if (command == "replay" && a == "--autosave") {
      if (!value(out.autosave)) return usageError("--autosave needs a file");
    } else if (command == "find" && a == "--board") {
      if (!value(out.board)) return usageError("--board needs a file");
    } else if (command == "find" && a == "--rack") {
      if (!value(out.rack)) return usageError("--rack needs a rack");
    } else if (command == "find" && a == "--rank") {
      if (!value(out.rank) || *out.rank != "value") return usageError("--rank needs \"value\"");
    } else if (command == "find" && a == "--players") {
      if (!value(out.players) || out.players->size() != 1 || (*out.players)[0] < '2' ||
          (*out.players)[0] > '4')
        return usageError("--players needs 2, 3 or 4");
    } else if (command == "find" && a == "--complete") {
      out.complete = true;
    } else if (command == "find" && a == "--json") {
      out.json = true;
    } else if (command == "replay" && !out.script && (a == "-" || a.rfind("--", 0) != 0)) {
      out.script = a;
    } else {
      return usageError("unexpected argument \"" + a + "\"");
    }
  }
  return std::nullopt;
}

int run(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty()) return usageError("no command given");
  if (args[0] == "--help" || args[0] == "-h") {
    std::cout << kUsage;
    return 0;
  }
  if (args[0] == "--version") {
    std::cout << "tilvan-cli " << TILVAN_VERSION << '\n';
    return 0;
  }
  if (args[0] == "selfplay") return tilvan::cli::runSelfPlayCommand(args, std::cout, std::cerr);
  if (args[0] == "fit-leaves") return tilvan::cli::runFitLeaves(args, std::cout, std::cerr);
  Args parsed;
  parsed.command = args[0];
  if (auto exit = parseArgs(args, parsed)) return *exit;
  const auto& [command, wordsPath, board, rack, script, autosave, rank, players, complete, json] =
      parsed;
  if (command != "find" && command != "replay")
    return usageError("unknown command \"" + command + "\"");

  tilvan::WordListCache words(wordsPath ? std::filesystem::path(*wordsPath)
                                        : tilvan::defaultWordListPath());
  if (auto list = words.get(); !list.ok()) {
    std::cerr << "tilvan-cli: " << tilvan::cli::printable(list.error().message()) << '\n';
    return 2;
  }

  // Standard input is read through a buffer that reports read errors.
  tilvan::cli::FdInput stdinBuffer(0, false);
  std::istream stdinStream(&stdinBuffer);
  if (command == "find") {
    if (!board) return usageError("find needs --board FILE");
    if (!rack) return usageError("find needs --rack RACK");
    if (rank && !complete) return usageError("--rank value needs --complete");
    const int playerCount = players ? (*players)[0] - '0' : 2;
    return tilvan::cli::runFind({*board, *rack, complete, json, rank.has_value(), playerCount},
                                words, stdinStream, std::cout, std::cerr);
  }

  return replayScript(script, words, stdinStream, autosave);
}

}  // namespace

// Whatever goes wrong ends in one line on stderr and exit code 2.
int main(int argc, char** argv) {
  try {
    return run(argc, argv);
  } catch (const std::bad_alloc&) {
    std::cout.flush();
    std::cerr << "tilvan-cli: out of memory\n";
  } catch (const std::exception& e) {
    std::cout.flush();
    std::cerr << "tilvan-cli: " << tilvan::cli::printable(e.what()) << '\n';
  } catch (...) {
    std::cout.flush();
    std::cerr << "tilvan-cli: an unknown error\n";
  }
  return 2;
}
