#include "game/rules.h"

namespace tilvan {

const std::array<int, kSquares>& premiumMap() {
  static const std::array<int, kSquares> map = [] {
    std::array<int, kSquares> m{};
    for (int i : {3,   11,  36,  38,  45,  52,  59,  92,  96,  98,  102, 108,
                  116, 122, 126, 128, 132, 165, 172, 179, 186, 188, 213, 221})
      m[i] = kDoubleLetter;
    for (int i : {20, 24, 76, 80, 84, 88, 136, 140, 144, 148, 200, 204}) m[i] = kTripleLetter;
    for (int i : {16, 28, 32, 42, 48, 56, 64, 70, 112, 154, 160, 168, 176, 182, 192, 196, 208})
      m[i] = kDoubleWord;
    for (int i : {0, 7, 14, 105, 119, 210, 217, 224}) m[i] = kTripleWord;
    return m;
  }();
  return map;
}

}  // namespace tilvan
