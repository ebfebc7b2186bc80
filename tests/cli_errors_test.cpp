// tilvan-cli run as a program on hostile inputs: paths that are not regular
// files, endless and huge inputs, unreadable scripts and control bytes. Each
// must end within a few seconds in exit code 2 and one line on stderr.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>

#include "support/test_support.h"

extern char** environ;

namespace tilvan {
namespace {

struct Outcome {
  int code = -1;
  bool timedOut = false;
  std::string out, err;
};

// Drains both pipes until the program closes them, killing it when it is not
// done within `seconds`.
void collect(pid_t pid, int outFd, int errFd, Outcome& o, int seconds) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  pollfd fds[2] = {{outFd, POLLIN, 0}, {errFd, POLLIN, 0}};
  std::string* sinks[2] = {&o.out, &o.err};
  for (int open = 2; open > 0;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0 || ::poll(fds, 2, static_cast<int>(left.count())) == 0) {
      o.timedOut = true;
      ::kill(pid, SIGKILL);
      break;
    }
    for (int k = 0; k < 2; ++k) {
      if (fds[k].fd < 0 || !(fds[k].revents & (POLLIN | POLLHUP | POLLERR))) continue;
      char buf[4096];
      const ssize_t n = ::read(fds[k].fd, buf, sizeof buf);
      if (n > 0) {
        sinks[k]->append(buf, static_cast<std::size_t>(n));
      } else {
        fds[k].fd = -1;
        --open;
      }
    }
  }
}

// Runs `argv` with standard input read from `stdinPath`.
Outcome spawn(const std::vector<std::string>& argv, const std::string& stdinPath, int seconds = 5) {
  int out[2], err[2];
  EXPECT_EQ(::pipe2(out, O_CLOEXEC), 0);
  EXPECT_EQ(::pipe2(err, O_CLOEXEC), 0);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, stdinPath.c_str(), O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, out[1], 1);
  posix_spawn_file_actions_adddup2(&actions, err[1], 2);
  std::vector<char*> args;
  for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  pid_t pid = 0;
  Outcome o;
  const int spawned = ::posix_spawn(&pid, args[0], &actions, nullptr, args.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  ::close(out[1]);
  ::close(err[1]);
  if (spawned == 0) {
    collect(pid, out[0], err[0], o, seconds);
    int status = 0;
    ::waitpid(pid, &status, 0);
    o.code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  }
  ::close(out[0]);
  ::close(err[0]);
  return o;
}

Outcome cli(std::vector<std::string> args, const std::string& stdinPath = "/dev/null") {
  args.insert(args.begin(), TILVAN_CLI);
  return spawn(args, stdinPath);
}

void expectError(const Outcome& o, const std::string& line) {
  EXPECT_FALSE(o.timedOut) << line;
  EXPECT_EQ(o.code, 2) << line;
  EXPECT_EQ(o.err, line);
}

std::string emptyBoard() {
  std::string text;
  for (int r = 0; r < 15; ++r) text += "...............\n";
  return text;
}

class CliErrors : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0); }
  std::string file(const std::string& name, std::string_view text) {
    std::ofstream(dir / name, std::ios::binary) << text;
    return dir / name;
  }

  test::TempFile words{"cat\nat\n"};
  std::filesystem::path dir = words.path().parent_path();
  std::string wordsPath = words.path();
  std::string board = file("board.txt", emptyBoard());
  std::string fifo = dir / "fifo";
};

TEST_F(CliErrors, PathsThatAreNotRegularFilesAreRefusedAtOnce) {
  for (const std::string& path : {fifo, dir.string()}) {
    expectError(cli({"find", "--board", path, "--rack", "cat", "--words", wordsPath}),
                "tilvan-cli: " + path + ": not a regular file\n");
    const std::string badList =
        "tilvan-cli: Cannot read the word list \"" + path + "\": not a regular file\n";
    expectError(cli({"find", "--board", board, "--rack", "cat", "--words", path}), badList);
    expectError(cli({"replay", "--words", path}), badList);
    expectError(cli({"replay", path, "--words", wordsPath}),
                "tilvan-cli: " + path + ": cannot open the script: not a regular file\n");
  }
  expectError(cli({"find", "--board", "/dev/zero", "--rack", "cat", "--words", wordsPath}),
              "tilvan-cli: /dev/zero: not a regular file\n");
  // Standard input is still read for "-".
  const Outcome piped = cli({"find", "--board", "-", "--rack", "cat", "--words", wordsPath}, board);
  EXPECT_EQ(piped.code, 0) << piped.err;
  EXPECT_EQ(piped.out.rfind("1. 10  cat", 0), 0u) << piped.out;
}

TEST_F(CliErrors, ScriptsThatCannotBeOpenedAreErrors) {
  const std::string missing = (dir / "missing.replay").string();
  expectError(cli({"replay", missing, "--words", wordsPath}),
              "tilvan-cli: " + missing + ": cannot open the script: No such file or directory\n");
  const Outcome fine = cli({"replay", file("s.replay", "dump\n"), "--words", wordsPath});
  EXPECT_EQ(fine.code, 0) << fine.err;
}

TEST_F(CliErrors, EndlessAndHugeInputsAreBounded) {
  expectError(cli({"find", "--board", "-", "--rack", "cat", "--words", wordsPath}, "/dev/zero"),
              "tilvan-cli: <stdin>: more than 1 MiB\n");
  expectError(cli({"replay", "--words", wordsPath}, "/dev/zero"),
              "<stdin>:1: a line longer than 1 MiB\n");
  // A board file of exactly 1 MiB is read; one byte more is refused.
  std::string padded = emptyBoard();
  padded.insert(0, std::string((1 << 20) - padded.size() - 1, '#') + "\n");
  const Outcome exact =
      cli({"find", "--board", file("b1", padded), "--rack", "x", "--words", wordsPath});
  EXPECT_EQ(exact.code, 0) << exact.err;
  const std::string over = file("b2", padded + "\n");
  expectError(cli({"find", "--board", over, "--rack", "x", "--words", wordsPath}),
              "tilvan-cli: " + over + ": more than 1 MiB\n");
  // A word list of 4 GiB or more (a sparse file) is refused without reading it.
  const std::string huge = file("huge.txt", "");
  ASSERT_EQ(::truncate(huge.c_str(), off_t{1} << 32), 0);
  expectError(cli({"replay", "--words", huge}),
              "tilvan-cli: Cannot read the word list \"" + huge + "\": 4 GiB or more\n");
}

TEST_F(CliErrors, RunningOutOfMemoryIsOneLine) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "AddressSanitizer reserves more address space than the limit allows";
#else
  const std::string big = file("big.txt", "");
  ASSERT_EQ(::truncate(big.c_str(), off_t{3} << 30), 0);  // below the word list bound
  const Outcome o = spawn({"/bin/sh", "-c", "ulimit -v 1048576 && exec \"$0\" \"$@\"", TILVAN_CLI,
                           "replay", "--words", big},
                          "/dev/null");
  expectError(o, "tilvan-cli: out of memory\n");
#endif
}

TEST_F(CliErrors, EchoedControlBytesAreEscaped) {
  expectError(cli({"find", "--board", board, "--rack", "\x1b[31mabcdefg", "--words", wordsPath}),
              "tilvan-cli: --rack: \"\\x1b[31mabcdefg\" has more than 7 tiles\n");
  std::string bad = emptyBoard();
  bad[3] = '\x1b';
  expectError(cli({"find", "--board", file("esc", bad), "--rack", "x", "--words", wordsPath}),
              "tilvan-cli: " + (dir / "esc").string() + ":1: column 4: unknown square \"\\x1b\"\n");
  const std::string odd = (dir / "a\x1b]0;t\x07\rb").string();
  expectError(
      cli({"find", "--board", odd, "--rack", "x", "--words", wordsPath}),
      "tilvan-cli: " + (dir / "a\\x1b]0;t\\x07\\x0db").string() + ": No such file or directory\n");
  expectError(cli({"\x1b[2J"}),
              "tilvan-cli: unknown command \"\\x1b[2J\" (see tilvan-cli --help)\n");
  const std::string script = file("s.replay", std::string("dump\nus\0e\x1b[0m\n", 14));
  expectError(cli({"replay", script, "--words", wordsPath}),
              script + ":2: unknown action \"us\\x00e\\x1b[0m\"\n");
}

// What a message quotes from the script is escaped as the error lines are:
// control bytes, C1 controls and bytes that are no UTF-8.
TEST_F(CliErrors, MessagesQuoteScriptBytesEscaped) {
  std::string c1;
  for (int b = 0x80; b <= 0x9f; ++b) c1 += std::string("\xc2") + static_cast<char>(b);
  const std::string script = file(
      "m.replay", std::string("load /tmp/x\x1b[31m\nload /tmp/\xc3\nload /tmp/") + c1 +
                      "\nplayers 2\nturn 1\nendgame q/" + std::string(1, '\0') + "\n");
  const Outcome o = cli({"replay", script, "--words", wordsPath});
  EXPECT_EQ(o.code, 0) << o.err;
  std::string escaped;
  for (int b = 0x80; b <= 0x9f; ++b) {
    char hex[16];
    std::snprintf(hex, sizeof hex, "\\xc2\\x%02x", b);
    escaped += hex;
  }
  for (const std::string& quoted : {std::string("\"/tmp/x\\x1b[31m\""),
                                    std::string("\"/tmp/\\xc3\""), "\"/tmp/" + escaped + "\"",
                                    std::string("\"\\x00\" is not a tile")})
    EXPECT_NE(o.out.find(quoted), std::string::npos) << quoted << "\n" << o.out;
  for (char c : o.out) {
    const auto b = static_cast<unsigned char>(c);
    EXPECT_TRUE(b == '\n' || (b >= 0x20 && b < 0x7f)) << int(b);
  }
}

// Over the file size limit the autosave fails as any failed save: said
// once, the program goes on to its end, no temporary file is left.
TEST_F(CliErrors, AFileSizeLimitFailsTheAutosaveOnly) {
  std::string text = "players 2\nturn 1\n";
  for (int k = 0; k < 60; ++k) text += "pass\n";
  text += "dump\n";
  const std::string script = file("passes.replay", text);
  std::filesystem::create_directory(dir / "state");
  const std::string autosave = dir / "state" / "autosave.json";
  const Outcome o =
      spawn({"/bin/sh", "-c", "ulimit -f 1 && exec \"$0\" replay \"$1\" --words \"$2\" --autosave \"$3\"",
             TILVAN_CLI, script, wordsPath, autosave},
            "/dev/null", 20);
  EXPECT_EQ(o.code, 0) << o.err;
  std::size_t said = 0;
  for (std::size_t at = 0; (at = o.out.find("could not be saved", at)) != std::string::npos; ++at)
    ++said;
  EXPECT_EQ(said, 1u) << o.out;
  EXPECT_NE(o.out.find("state: "), std::string::npos);
  for (const auto& e : std::filesystem::directory_iterator(dir / "state"))
    EXPECT_EQ(e.path().filename(), "autosave.json");
}

}  // namespace
}  // namespace tilvan
