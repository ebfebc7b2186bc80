// tilvan-cli: the program's headless front end.
//   tilvan-cli find --board FILE --rack RACK [--complete] [--json] [--words FILE]
//   tilvan-cli replay [SCRIPT] [--words FILE] [--autosave FILE]
//   tilvan-cli endgame --board FILE --rack RACK --opponent RACK [--time-ms N] [--json]
//   tilvan-cli selfplay ... | fit-leaves ...   (see selfplay.h, fit_leaves.h)
#include <csignal>
#include <iostream>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "cli/endgame.h"
#include "cli/find.h"
#include "cli/fit_leaves.h"
#include "cli/input.h"
#include "cli/printable.h"
#include "cli/replay.h"
#include "cli/selfplay.h"
#include "words/word_list.h"

namespace {

constexpr const char* kFindUsage =
    "usage: tilvan-cli find --board FILE --rack RACK [--complete [--rank value [--players N]\n"
    "                       [--simulate MS [--seed S]]]] [--json] [--words FILE]\n";
constexpr const char* kReplayUsage =
    "usage: tilvan-cli replay [SCRIPT] [--words FILE] [--autosave FILE]\n";
constexpr const char* kEndgameUsage =
    "usage: tilvan-cli endgame --board FILE --rack RACK --opponent RACK [--time-ms N] [--json]\n"
    "                          [--words FILE]\n";
constexpr const char* kUsage =
    "usage: tilvan-cli find --board FILE --rack RACK [--complete [--rank value [--players N]]]\n"
    "                       [--json] [--words FILE]\n"
    "       tilvan-cli replay [SCRIPT] [--words FILE] [--autosave FILE]\n"
    "       tilvan-cli endgame --board FILE --rack RACK --opponent RACK [--time-ms N] [--json]\n"
    "                          [--words FILE]\n"
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
    "  --simulate MS  play the ten best by value two turns ahead for MS milliseconds\n"
    "                 and rank them by their simulated value (with --rank value)\n"
    "  --seed S       the simulation's random draws (default 1)\n"
    "  --json         print the results as JSON\n"
    "  --words FILE   the word list (default: the installed word-game list)\n"
    "  --help         show this help\n";
constexpr const char* kReplayHelp =
    "Plays a script of user actions, one a line, against a freshly started game and\n"
    "prints every message as 'message: TEXT' and every dump as 'state: {...}'.\n"
    "'complete on' finds with the complete search; then 'rank value' ranks its\n"
    "results and the exchanges by points plus the value of the tiles kept, and\n"
    "'rank score' (the default) by points alone. 'simulate N' simulates the\n"
    "rack's best turns by value for N rounds (1..10000, seed 1) and shows them\n"
    "best simulated value first, each score label the points, 'sim', the simulated\n"
    "value and its standard error.\n"
    "\n"
    "  SCRIPT         the script file; standard input when absent or '-'\n"
    "  --words FILE   the word list (default: the installed word-game list)\n"
    "  --autosave FILE  write the game to FILE after every change of its record\n"
    "  --help         show this help\n";

constexpr const char* kEndgameHelp =
    "Solves a two-player position with the bag empty: the best line for both sides\n"
    "to the end of the game and its final spread for the side to move.\n"
    "\n"
    "  --board FILE     15 lines of 15 characters, as for find ('-' reads standard input)\n"
    "  --rack RACK      the side to move's tiles, 1 to 7 of a-z and '_' (a blank)\n"
    "  --opponent RACK  the other side's tiles\n"
    "  --time-ms N      stop searching deeper after N milliseconds (default 2000)\n"
    "  --json           print the result as JSON\n"
    "  --words FILE     the word list (default: the installed word-game list)\n"
    "  --help           show this help\n";

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
  std::optional<std::string> opponent, timeMs, simulate, seed;
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
    const bool position = command == "find" || command == "endgame";
    if (a == "--help" && command == "endgame") {
      std::cout << kEndgameUsage << '\n' << kEndgameHelp;
      return 0;
    }
    if (a == "--help" && (command == "find" || command == "replay")) {
      std::cout << (command == "find" ? kFindUsage : kReplayUsage) << '\n'
                << (command == "find" ? kFindHelp : kReplayHelp);
      return 0;
    }
    if (a == "--words") {
      if (!value(out.wordsPath)) return usageError("--words needs a file");
    } else if (command == "replay" && a == "--autosave") {
      if (!value(out.autosave)) return usageError("--autosave needs a file");
    } else if (position && a == "--board") {
      if (!value(out.board)) return usageError("--board needs a file");
    } else if (position && a == "--rack") {
      if (!value(out.rack)) return usageError("--rack needs a rack");
    } else if (command == "endgame" && a == "--opponent") {
      if (!value(out.opponent)) return usageError("--opponent needs a rack");
    } else if (command == "endgame" && a == "--time-ms") {
      if (!value(out.timeMs)) return usageError("--time-ms needs a number");
    } else if (command == "find" && a == "--rank") {
      if (!value(out.rank) || *out.rank != "value") return usageError("--rank needs \"value\"");
    } else if (command == "find" && a == "--players") {
      if (!value(out.players) || out.players->size() != 1 || (*out.players)[0] < '2' ||
          (*out.players)[0] > '4')
        return usageError("--players needs 2, 3 or 4");
    } else if (command == "find" && a == "--simulate") {
      if (!value(out.simulate)) return usageError("--simulate needs milliseconds");
    } else if (command == "find" && a == "--seed") {
      if (!value(out.seed)) return usageError("--seed needs a number");
    } else if (command == "find" && a == "--complete") {
      out.complete = true;
    } else if (position && a == "--json") {
      out.json = true;
    } else if (command == "replay" && !out.script && (a == "-" || a.rfind("--", 0) != 0)) {
      out.script = a;
    } else {
      return usageError("unexpected argument \"" + a + "\"");
    }
  }
  return std::nullopt;
}

// A number of 1 to 9 digits above 0.
bool positiveNumber(const std::string& t, int& out) {
  if (t.empty() || t.size() > 9 || t.find_first_not_of("0123456789") != std::string::npos)
    return false;
  out = std::stoi(t);
  return out > 0;
}

int runEndgameCommand(const Args& a, tilvan::WordListCache& words, std::istream& in) {
  if (!a.board) return usageError("endgame needs --board FILE");
  if (!a.rack) return usageError("endgame needs --rack RACK");
  if (!a.opponent) return usageError("endgame needs --opponent RACK");
  int timeMs = 2000;
  if (a.timeMs && !positiveNumber(*a.timeMs, timeMs))
    return usageError("--time-ms needs a positive number of milliseconds, not \"" + *a.timeMs +
                      "\"");
  return tilvan::cli::runEndgame({*a.board, *a.rack, *a.opponent, timeMs, a.json}, words, in,
                                 std::cout, std::cerr);
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
  const auto& [command, wordsPath, board, rack, script, autosave, rank, players, opponent, timeMs,
               simulate, seed, complete, json] = parsed;
  if (command != "find" && command != "replay" && command != "endgame")
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
    tilvan::cli::FindOptions find{*board, *rack, complete, json, rank.has_value(), playerCount};
    if ((simulate || seed) && !rank) return usageError("--simulate needs --rank value");
    if (simulate && !positiveNumber(*simulate, find.simulateMs))
      return usageError("--simulate needs a positive number of milliseconds, not \"" + *simulate +
                        "\"");
    if (seed) {
      if (seed->empty() || seed->size() > 19 || seed->find_first_not_of("0123456789") != std::string::npos)
        return usageError("--seed needs a number, not \"" + *seed + "\"");
      find.seed = std::stoull(*seed);
    }
    return tilvan::cli::runFind(find, words, stdinStream, std::cout, std::cerr);
  }

  if (command == "endgame") return runEndgameCommand(parsed, words, stdinStream);

  return replayScript(script, words, stdinStream, autosave);
}

}  // namespace

// Whatever goes wrong ends in one line on stderr and exit code 2.
int main(int argc, char** argv) {
  // A write beyond the file size limit fails with its error (reported as any
  // failed save) rather than ending the program.
  std::signal(SIGXFSZ, SIG_IGN);
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
