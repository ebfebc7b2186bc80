// The text views behind the replay's state dump.
#include <gtest/gtest.h>

#include "game/views.h"

namespace tilvan {
namespace {

TEST(MainBoardView, ShowsEachKindOfPictureOnItsSquare) {
  Form f = designForm();
  f.imgTile[17] = {mainSquareLeft(3), mainSquareTop(2), true};   // an "e"
  f.imgTile[98] = {mainSquareLeft(4), mainSquareTop(2), true};   // a blank not named yet
  f.imgTile[151] = {mainSquareLeft(5), mainSquareTop(2), true};  // second blank laid as "z"
  f.imgTile[0] = {mainSquareLeft(0), mainSquareTop(0), true};
  f.imgTile[1] = {mainSquareLeft(0), mainSquareTop(0), true};    // two on one square
  f.imgTile[2] = {mainSquareLeft(1) + 1, mainSquareTop(0), true};  // off the square grid
  f.imgTile[9] = {mainSquareLeft(6), mainSquareTop(2), false};     // hidden
  const Grid g = mainBoardView(f);
  EXPECT_EQ(g[2], "...e?Z.........");
  EXPECT_EQ(g[0], "*..............");
  EXPECT_EQ(homeStacks(f)[0], 9 - 3);
}

TEST(PreviewView, SparePicturesShowTheirLetters) {
  Form f = designForm();
  f.imgTile1[123] = {lowerSquareLeft(0), lowerSquareTop(14), true};  // first spare "z"
  f.imgTile1[124] = {lowerSquareLeft(1), lowerSquareTop(14), true};  // second spare "a"
  f.imgTile1[17] = {lowerSquareLeft(2), lowerSquareTop(14), true};   // tile 17's twin, "e"
  EXPECT_EQ(previewView(f)[14], "zae............");
  EXPECT_EQ(previewLetter(150), -1);
}

}  // namespace
}  // namespace tilvan
