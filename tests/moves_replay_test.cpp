// The replay actions that lay, commit, check and take back moves: malformed
// lines end the replay with one error naming the script and line.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/replay.h"
#include "support/test_support.h"

namespace tilvan {
namespace {

TEST(MovesReplay, MalformedLinesStopWithTheirLine) {
  test::TempFile words("cat\n");
  WordListCache cache(words.path());
  for (const char* bad : {"drop 152 1 1", "drop -1 1 1", "drop 5 1", "drop x 1 1", "drop 5 1.5 1",
                          "place 5 1 1 1", "place 5 a 1", "use now", "check 1", "clear x"}) {
    std::istringstream in(std::string("players 2\n\n") + bad + "\ndump\n");
    std::ostringstream out, err;
    EXPECT_EQ(cli::runReplay(in, "s.replay", cache, out, err), 2) << bad;
    EXPECT_EQ(err.str().rfind("s.replay:3: ", 0), 0u) << err.str();
    EXPECT_EQ(out.str().find("state:"), std::string::npos) << bad;
  }
  // Far-off squares and points are well formed: they miss the board.
  std::istringstream in(
      "players 2\nturn 1\nplace 5 99999999 3\ndrop 5 -2147483648 0\nblank\nuse\n");
  std::ostringstream out, err;
  EXPECT_EQ(cli::runReplay(in, "s.replay", cache, out, err), 0) << err.str();
  EXPECT_NE(out.str().find("message: No tiles are laid on the board."), std::string::npos);
}

}  // namespace
}  // namespace tilvan
