#include "board/blank_tile.h"

#include "game/form.h"

namespace tilvan {

int blankLetterIndexFor(std::string_view typed, int current) {
  TextBox box{"", 1};  // txtBlankTileLetter holds one character
  box.type(typed);
  if (box.Text.size() != 1) return current;
  char ch = box.Text[0];
  if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch - 'A' + 'a');
  for (int i = 0; i < 26; ++i)
    if (letterChar(i) == ch) return i;
  return current;
}

void runBlankTileDialog(GameState& state, Prompts& prompts) {
  const auto answer = prompts.askBlankLetter();
  if (!answer) return;  // closed with the close control: nothing recorded
  if (isBlankTile(state.BlankTile))
    state.BlankLetterIndex = blankLetterIndexFor(*answer, state.BlankLetterIndex);
}

}  // namespace tilvan
