#include "game/form.h"

#include <charconv>

namespace tilvan {

Form designForm() {
  Form f;
  for (int i = 0; i < kLetters; ++i) f.lbTile[i] = std::to_string(kLetterCount[i]);
  for (int n = 0; n < kSetTiles; ++n) {
    const int letter = letterBlockOf(n);
    f.imgTile[n] = {letterHomeLeft(letter), letterHomeTop(letter), true};
  }
  for (int n = kFirstBlankLetter; n < kTilePictures; ++n)
    f.imgTile[n] = {blankLetterParkLeft(n), kBlankLetterParkTop, false};
  for (int n = 0; n < kPreviewPictures; ++n)
    f.imgTile1[n] = {previewParkLeft(n), previewParkTop(n), false};
  return f;
}

std::string upperCase(std::string_view word) {
  std::string out(word);
  for (char& ch : out) {
    const auto c = static_cast<unsigned char>(ch);
    if ((c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7))
      ch = static_cast<char>(c - 0x20);
  }
  return out;
}

std::string lowerCase(std::string_view text) {
  std::string out(text);
  for (char& ch : out) {
    const auto c = static_cast<unsigned char>(ch);
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7))
      ch = static_cast<char>(c + 0x20);
  }
  return out;
}

void addToCaption(std::string& caption, int delta) {
  // Val()-like: leading digits count, anything else reads as 0.
  long value = 0;
  const char* begin = caption.data();
  const char* end = begin + caption.size();
  while (begin != end && *begin == ' ') ++begin;
  std::from_chars(begin, end, value);
  caption = std::to_string(value + delta);
}

}  // namespace tilvan
