// CHECK WORDS against the word list. (Marks after real moves are in the
// moves_* replays.)
#include <filesystem>

#include "moves_fixture.h"

namespace tilvan {
namespace {

using Labels = std::array<std::string, kWordLabels>;

class CheckWords : public test::MovesTest {
 protected:
  CheckWords() : MovesTest({"cat", "TA", "", "x,y"}) {}
  void check() { pressCheckWords(g.game, g.prompts); }
};

TEST_F(CheckWords, ExactCaseSensitiveRecords) {
  s.FormedWords = {"ta", "cat", "ta", "y", "x,y"};
  s.WordCount = 5;
  f.lblCheckWords[5] = "kept";
  check();
  EXPECT_EQ(f.lblCheckWords, (Labels{"Not A Word", "", "Not A Word", "", "Not A Word", "kept"}));
}

TEST_F(CheckWords, UnreadableListChangesNoLabel) {
  play("cat", 7, 6);
  std::filesystem::remove(g.words.path());
  f.lblCheckWords[0] = "before";
  check();
  const auto shown = g.prompts.take();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_NE(shown[0].find(g.words.path().string()), std::string::npos);
  EXPECT_EQ(f.lblCheckWords[0], "before");
}

}  // namespace
}  // namespace tilvan
