#include "board/preview.h"

#include "game/handlers.h"

namespace tilvan {

void parkPreview(Form& form) {
  for (int n = 0; n < kPreviewPictures; ++n)
    form.imgTile1[n] = {previewParkLeft(n), previewParkTop(n), false};
}

void redrawCommitted(const GameState& state, Form& form) {
  for (int i = 0; i < kSquares; ++i) {
    if (!state.Committed.atH(i).occupied) continue;
    const int picture = previewPictureOfTile(state.Committed.atH(i).tile);
    if (picture < 0 || picture >= kPreviewPictures) continue;
    const bool blank = isBlankLetterPicture(state.Committed.atH(i).tile);
    form.imgTile1[picture] = {state.SquareLeftH[i], state.SquareTopH[i], true, false, blank};
  }
}

int previewPictureFor(const GameState& state, int letter, std::string_view word, int position) {
  const int end = state.LetterEnd[letter];
  int free = -1;
  for (int m = end - state.LetterCount[letter]; m < end; ++m) {
    if (!state.Committed.records(m)) {
      free = m;
      break;
    }
  }
  if (free >= 0) {
    int earlier = 0;
    for (int p = 0; p + 1 < position && p < static_cast<int>(word.size()); ++p)
      if (word[p] == state.LetterChar[letter]) ++earlier;
    const int t = free + earlier;
    if (t <= end - 1 && t < kPreviewPictures) return t;
  }
  return state.Committed.records(kFirstBlankLetter + letter) ? kSecondPreviewSpare + letter
                                                             : kFirstPreviewSpare + letter;
}

int unusedPreviewPicture(const GameState& state, const Form& form, int letter,
                         std::string_view word, int position) {
  const int chosen = previewPictureFor(state, letter, word, position);
  auto free = [&](int t) { return t >= 0 && t < kPreviewPictures && !form.imgTile1[t].Visible; };
  if (free(chosen)) return chosen;
  const int end = state.LetterEnd[letter];
  for (int m = end - state.LetterCount[letter]; m < end; ++m)
    if (!state.Committed.records(m) && free(m)) return m;
  for (int spare : {kFirstPreviewSpare + letter, kSecondPreviewSpare + letter})
    if (free(spare)) return spare;
  return chosen;
}

void showPlacement(const GameState& state, Form& form, bool down, int cand) {
  const FinderState& f = state.Finder;
  const CandidateSet& set = down ? f.V : f.H;
  if (cand < 0 || cand >= static_cast<int>(set.Cands.size())) return;
  const Candidate& c = set.Cands[cand];
  for (std::size_t j = 0; j < c.Words.size() && j < form.lblWords.size(); ++j)
    form.lblWords[j] = upperCase(c.Words[j].Text);
  if (c.Words.empty()) return;

  const auto& grid = down ? f.BoardCharV : f.BoardCharH;
  const auto& left = down ? state.SquareLeftV : state.SquareLeftH;
  const auto& top = down ? state.SquareTopV : state.SquareTopH;
  const std::string& w = c.Words[0].Text;
  const int s0 = c.Words[0].Start;
  for (int p = 1; p <= static_cast<int>(w.size()); ++p) {
    const int s = s0 + p - 1;
    if (s < 0 || s >= kSquares || grid[s]) continue;
    int letter = -1;
    for (int L = 0; L < kLetters && letter < 0; ++L)
      if (state.LetterChar[L] == w[p - 1]) letter = L;
    if (letter < 0) continue;
    const int t = unusedPreviewPicture(state, form, letter, w, p);
    const bool blank = p <= static_cast<int>(c.TilesUsed.size()) && c.TilesUsed[p - 1] == '_';
    form.imgTile1[t] = {left[s], top[s], true, true, blank};
  }
}

void clearResults(Game& game) {
  FinderState& f = game.state.Finder;
  f.V = {};
  f.H = {};
  f.SlotV = f.SlotH = f.SlotRankV = f.SlotRankH = {};
  f.SlotExchange = {};
  for (auto& caption : game.form.lblWord) caption.clear();
  for (auto& tip : game.form.lblWordTip) tip.clear();
  if (f.ResultWordsShown) {
    for (auto& caption : game.form.lblWords) caption.clear();
    for (auto& caption : game.form.lblCheckWords) caption.clear();
    f.ResultWordsShown = false;
  }
  parkPreview(game.form);
  redrawCommitted(game.state, game.form);
  f.PreviewSnap = game.form.imgTile1;
  f.HasSnapshot = true;
}

void showSlotPlacements(const GameState& state, Form& form, int k) {
  const FinderState& f = state.Finder;
  // An exchange lays nothing: its caption stands in the first word label.
  if (!f.SlotExchange[k].empty()) form.lblWords[0] = f.SlotExchange[k];
  if (f.SlotV[k] == k + 1) {
    const int pos = f.SlotRankV[k];
    if (pos >= 0 && pos < static_cast<int>(f.V.RankedCand.size()))
      showPlacement(state, form, true, f.V.RankedCand[pos]);
  }
  if (f.SlotH[k] == k + 1) {
    const int pos = f.SlotRankH[k];
    if (pos >= 0 && pos < static_cast<int>(f.H.RankedCand.size()))
      showPlacement(state, form, false, f.H.RankedCand[pos]);
  }
}

void pressShowSlot(Game& game, Prompts&, int k) {
  if (k < 0 || k >= kResultSlots) return;
  FinderState& f = game.state.Finder;
  // Before the first search there is nothing to restore or show.
  if (!f.HasSnapshot) return;
  game.form.imgTile1 = f.PreviewSnap;
  // The marks of an earlier check belong to other words.
  for (auto& caption : game.form.lblWords) caption.clear();
  for (auto& caption : game.form.lblCheckWords) caption.clear();
  showSlotPlacements(game.state, game.form, k);
  f.ResultWordsShown = true;
}

}  // namespace tilvan
