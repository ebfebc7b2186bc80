// The minimal acyclic automaton of a sorted list of distinct texts, as both
// word automata of the finder build it (word_index.h, word_graph.h): texts
// are added in order, only the path of the last one is open, and a state is
// closed once no later text can reach below it; a closed state equal to one
// already kept (same end mark, same edges) is replaced by that one.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

namespace tilvan {

class AutomatonBuilder {
 public:
  using Edge = std::pair<unsigned char, std::uint32_t>;  // character, state
  static constexpr std::uint32_t kNone = 0xFFFFFFFFu;

  // REQUIRES: `texts` sorted bytewise, without repeats, none longer than
  // `longest`.
  AutomatonBuilder(const std::vector<std::string_view>& texts, std::size_t longest);

  // States are numbered as they were closed: children before parents, the
  // root last.
  std::uint32_t root() const { return root_; }
  std::uint32_t states() const { return static_cast<std::uint32_t>(first_.size()); }
  std::size_t edgeCount() const { return edges_.size(); }
  // Whether a text ends at state s.
  bool terminal(std::uint32_t s) const { return terminal_[s] != 0; }
  // The edges of state s, in character order.
  std::span<const Edge> edges(std::uint32_t s) const {
    return {edges_.data() + first_[s], count_[s]};
  }

 private:
  std::uint32_t close(bool terminal, const std::vector<Edge>& open);
  void grow();

  std::vector<std::uint32_t> first_, count_;  // each state's range in edges_
  std::vector<unsigned char> terminal_;
  std::vector<Edge> edges_;
  // Closed states found by content: open addressing over state numbers.
  std::vector<std::uint32_t> table_ = std::vector<std::uint32_t>(1u << 16, kNone);
  std::size_t used_ = 0;
  std::uint32_t root_ = 0;
};

}  // namespace tilvan
