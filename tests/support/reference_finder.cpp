#include "support/reference_finder.h"

#include <map>
#include <string>

#include "finder/find_words.h"
#include "finder/word_checks.h"

namespace tilvan::test {

bool referenceTakeFromRack(std::string_view letters, std::string_view rack) {
  std::string rackLeft(rack);
  const std::size_t rackLength = rack.size();
  std::size_t taken = 0;
  for (char x : letters) {
    for (std::size_t q = 0; q < rackLength; ++q) {
      if (q >= rackLeft.size()) break;  // nothing left there
      if (rackLeft[q] == x || rackLeft[q] == '_') {
        ++taken;
        rackLeft.erase(q, 1);
        break;
      }
    }
  }
  return taken == letters.size() && taken != 0;
}

std::vector<std::string_view> ReferenceSearch::rackWords(const WordList& list,
                                                         std::string_view rack) {
  std::vector<std::string_view> out;
  for (std::size_t r = 0; r < list.size(); ++r) {
    const std::string_view w = list[r];
    if (w.size() >= 8) continue;
    if (referenceTakeFromRack(w, rack)) out.push_back(w);
  }
  return out;
}

std::vector<Placement> ReferenceSearch::findPlacements(const WordList& list, const LetterGrid& grid,
                                                       std::string_view rack) {
  std::vector<Placement> found;
  for (std::size_t r = 0; r < list.size(); ++r) {
    const std::string_view w = list[r];
    const int n = static_cast<int>(w.size());
    if (n == 0) continue;
    for (int line = 0; line < kSide; ++line) {
      for (int p = 0; p <= 15 - n; ++p) {
        const int a = line * kSide + p;
        if (!grid[a]) continue;
        // Position (1-based) of the first occurrence of the anchor letter.
        const std::size_t first = w.find(grid[a]);
        const int k = first == std::string_view::npos ? 0 : static_cast<int>(first) + 1;
        const int sp = p - k + 1;
        const int s = line * kSide + sp;
        const int e = s + n - 1;
        if (!(k >= 1 && sp >= 1 && sp + n - 1 <= 14 && e + 1 <= 224)) continue;
        if (grid[e + 1] || grid[s - 1]) continue;
        std::string needed;
        bool fits = true;
        for (int j = 1; j <= n && fits; ++j) {
          const int t = s + j - 1;
          if (!grid[t])
            needed += w[j - 1];
          else if (grid[t] != w[j - 1])
            fits = false;
        }
        if (!fits) continue;
        if (needed.empty() || needed.size() > rack.size()) continue;
        if (referenceTakeFromRack(needed, rack)) found.push_back({w, s});
      }
    }
  }
  return collapseDuplicates(found);
}

void ReferenceSearch::checkWords(const WordList& list, const LetterGrid& gridV,
                                 const std::vector<Placement>& foundV, const LetterGrid& gridH,
                                 const std::vector<Placement>& foundH,
                                 std::vector<Placement>& keptV, std::vector<Placement>& keptH) {
  // The formed words of every placement, then one pass over the list that
  // marks each formed word equal to the record read.
  std::vector<std::vector<FormedWord>> formedV, formedH;
  for (const auto& p : foundV) formedV.push_back(formedWords(gridV, p));
  for (const auto& p : foundH) formedH.push_back(formedWords(gridH, p));
  std::map<std::string, bool> inList;
  for (const auto* formed : {&formedV, &formedH})
    for (const auto& words : *formed)
      for (const auto& w : words) inList[w.Text] = false;
  for (std::size_t r = 0; r < list.size(); ++r) {
    auto it = inList.find(std::string(list[r]));
    if (it != inList.end()) it->second = true;
  }
  auto keep = [&](const std::vector<Placement>& found,
                  const std::vector<std::vector<FormedWord>>& formed,
                  std::vector<Placement>& kept) {
    for (std::size_t i = 0; i < found.size(); ++i) {
      bool all = true;
      for (const auto& w : formed[i]) all = all && inList[w.Text];
      if (all) kept.push_back(found[i]);
    }
  };
  keep(foundV, formedV, keptV);
  keep(foundH, formedH, keptH);
}

void referenceFindWords(Game& game, Prompts& prompts) {
  ReferenceSearch search;
  runFindWords(game, prompts, search);
}

}  // namespace tilvan::test
