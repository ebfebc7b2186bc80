#include "finder/word_graph.h"

#include <algorithm>
#include <atomic>
#include <cassert>
#include <string_view>

#include "finder/automaton_builder.h"
#include "finder/letter_bits.h"
#include "words/word_list.h"

namespace tilvan {

namespace {

bool placeable(std::string_view w) {
  if (w.size() < 2 || w.size() > static_cast<std::size_t>(WordGraph::kMaxWord)) return false;
  for (char ch : w)
    if (ch < 'a' || ch > 'z') return false;
  return true;
}

}  // namespace

// The automaton that AutomatonBuilder makes, packed: a node's letters and
// end mark in one word, its children in letter order (texts sorted bytewise
// put a..z edges in letter order). The builder closes children before their
// parents, so each child's Node is known when its parent's edges are laid.
WordGraph::WordGraph(const WordList& list) {
  static std::atomic<std::uint64_t> built{0};
  id_ = ++built;
  std::vector<std::string_view> words;
  words.reserve(list.size());
  for (std::size_t i = 0; i < list.size(); ++i)
    if (placeable(list[i])) words.push_back(list[i]);
  if (!std::is_sorted(words.begin(), words.end())) std::sort(words.begin(), words.end());
  words.erase(std::unique(words.begin(), words.end()), words.end());
  words_ = words.size();

  const AutomatonBuilder automaton(words, kMaxWord);
  std::vector<Node> node(automaton.states());
  edges_.reserve(automaton.edgeCount());
  for (std::uint32_t s = 0; s < automaton.states(); ++s) {
    Node& n = node[s];
    n.first = static_cast<std::uint32_t>(edges_.size());
    n.mask = automaton.terminal(s) ? kWordBit : 0;
    for (const auto& [ch, child] : automaton.edges(s)) {
      assert(child < s);
      n.mask |= letterBitOf(ch);
      edges_.push_back(node[child]);
    }
  }
  nodes_ = node.size();
  root_ = node[automaton.root()];
}

bool WordGraph::contains(std::string_view word) const {
  Node n = root_;
  for (char ch : word) {
    n = child(n, ch - 'a');
    if (n == kNone) return false;
  }
  return isWord(n);
}

}  // namespace tilvan
