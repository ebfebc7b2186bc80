// Autosave against a crash: tilvan-cli plays a long game with --autosave
// and is killed (SIGKILL) at random instants, hundreds of times. The file
// left behind always loads, holds every turn whose dump was printed before
// the kill, and is the start of the whole game; no half-written file takes
// its name.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <random>
#include <regex>
#include <thread>

#include "moves/game_file.h"
#include "support/game_gen.h"

namespace tilvan {
namespace {

// tilvan-cli replay SCRIPT --words WORDS --autosave FILE, its output read
// line by line; killed after `dumps` state lines (and `delay` more), or run
// to its end when `dumps` is negative. Returns the state lines seen.
int runAndKill(const std::vector<std::string>& argv, int dumps, std::chrono::microseconds delay) {
  int out[2];
  if (::pipe2(out, O_CLOEXEC) != 0) return -1;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, out[1], 1);
  std::vector<char*> args;
  for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  pid_t pid = 0;
  const int spawned = ::posix_spawn(&pid, args[0], &actions, nullptr, args.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  ::close(out[1]);
  int seen = 0;
  if (spawned == 0) {
    std::string pending;
    char buffer[4096];
    while (seen != dumps) {
      const ssize_t n = ::read(out[0], buffer, sizeof buffer);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) break;
      pending.append(buffer, static_cast<std::size_t>(n));
      for (std::size_t end; seen != dumps && (end = pending.find('\n')) != std::string::npos;) {
        seen += pending.compare(0, 7, "state: ") == 0;
        pending.erase(0, end + 1);
      }
    }
    std::this_thread::sleep_for(delay);
    ::kill(pid, SIGKILL);
    int status = 0;
    ::waitpid(pid, &status, 0);
  }
  ::close(out[0]);
  return spawned == 0 ? seen : -1;
}

TEST(AutosaveCrash, KilledAtRandomTheFileHoldsEveryTurnSavedBeforeTheKill) {
  WordListCache defaultList(TILVAN_DEFAULT_WORD_LIST);
  const auto list = defaultList.get();
  ASSERT_TRUE(list.ok());
  test::StartedGame g(std::string_view{});
  g.setPlayers(2, 1);
  std::mt19937 gen(0xA5);
  const auto game =
      test::playGeneratedGame(g, *list.value(), gen, {.steps = 40, .extras = false, .dumps = true});
  const std::vector<Turn>& whole = g.game.state.Turns;
  ASSERT_GE(whole.size(), 30u);

  test::TempFile words(test::lines(game.words), "words.txt");
  const std::filesystem::path dir = words.path().parent_path();
  const std::filesystem::path script = dir / "game.replay", saved = dir / "game.json";
  std::ofstream(script) << "players 2\nturn 1\n" << game.script;
  const std::vector<std::string> argv = {TILVAN_CLI,   "replay",     script, "--words",
                                         words.path(), "--autosave", saved};
  // The whole run first: every turn dumped and saved.
  const int dumps = runAndKill(argv, -1, {});
  ASSERT_EQ(dumps, static_cast<int>(whole.size()));
  WordListCache cache(words.path());

  std::mt19937 rng(0xC0FFEE);
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(40);
  int runs = 0, missing = 0;
  for (; runs < 100 || (runs < 600 && std::chrono::steady_clock::now() < end); ++runs) {
    SCOPED_TRACE("run " + std::to_string(runs));
    if (runs % 4 == 0) std::filesystem::remove(saved);  // else the last run's file is replaced
    // One run in ten or so is killed before its first dump.
    const int target = std::max(0, std::uniform_int_distribution<int>(-dumps / 8, dumps)(rng));
    const int delay = std::uniform_int_distribution<int>(0, runs % 3 == 0 ? 5000 : 300)(rng);
    const int seen = runAndKill(argv, target, std::chrono::microseconds(delay));
    ASSERT_GE(seen, 0);
    if (!std::filesystem::exists(saved)) {
      ASSERT_EQ(seen, 0) << "no file after a save was seen";
      ++missing;
      continue;
    }
    const auto parsed = parseGameFile(test::readFile(saved));
    ASSERT_TRUE(parsed.ok()) << parsed.error().reason;
    const std::vector<Turn>& turns = parsed.value().turns;
    ASSERT_GE(static_cast<int>(turns.size()), seen);
    ASSERT_LE(turns.size(), whole.size());
    Game loaded(cache);
    ASSERT_EQ(restoreGame(loaded, parsed.value()), std::nullopt);
    // The file holds what a turn lays and scores; playing it finds the rest.
    ASSERT_TRUE(std::equal(turns.begin(), turns.end(), whole.begin(), [](auto& a, auto& b) {
      return std::tie(a.kind, a.player, a.tiles, a.score) ==
             std::tie(b.kind, b.player, b.tiles, b.score);
    }));
    ASSERT_TRUE(std::equal(loaded.state.Turns.begin(), loaded.state.Turns.end(), whole.begin()));
  }
  // What else lies in the folder: only the temporary files of killed runs.
  const std::regex temporary(R"(\.game\.json\.tmp[0-9]+)");
  int leftovers = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    const std::string name = entry.path().filename().string();
    if (name == "words.txt" || name == "game.replay" || name == "game.json") continue;
    EXPECT_TRUE(std::regex_match(name, temporary)) << name;
    ++leftovers;
  }
  std::cout << runs << " runs killed, " << missing << " before the first save, " << leftovers
            << " temporary files left\n";
}

// A temporary file left by a killed run, even one of the same process
// number, does not stop the next save nor end up in it.
TEST(AutosaveCrash, ALeftoverTemporaryFileIsWrittenOver) {
  test::TempFile file("old", "game.json");
  const std::filesystem::path leftover =
      file.path().parent_path() / (".game.json.tmp" + std::to_string(::getpid()));
  std::ofstream(leftover) << std::string(5000, 'x');
  EXPECT_EQ(writeFileAtomically(file.path(), "new\n"), std::nullopt);
  EXPECT_EQ(test::readFile(file.path()), "new\n");
  EXPECT_FALSE(std::filesystem::exists(leftover));
}

}  // namespace
}  // namespace tilvan
