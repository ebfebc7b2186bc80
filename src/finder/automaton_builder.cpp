#include "finder/automaton_builder.h"

#include <algorithm>

namespace tilvan {
namespace {

std::uint64_t hashOf(bool terminal, std::span<const AutomatonBuilder::Edge> edges) {
  std::uint64_t h = terminal ? 0x9E3779B97F4A7C15ull : 0x632BE59BD9B4E019ull;
  for (const auto& [ch, state] : edges)
    h = (h ^ (std::uint64_t{ch} << 32 | state)) * 0xFF51AFD7ED558CCDull;
  return h ^ (h >> 29);
}

}  // namespace

AutomatonBuilder::AutomatonBuilder(const std::vector<std::string_view>& texts,
                                   std::size_t longest) {
  struct Open {
    std::vector<Edge> edges;  // the last one leads on along the open path
    bool terminal = false;
  };
  std::vector<Open> path(longest + 1);
  std::size_t depth = 0;
  // Closes the open path below depth `keep`.
  auto closeTo = [&](std::size_t keep) {
    for (; depth > keep; --depth) {
      Open& closing = path[depth];
      path[depth - 1].edges.back().second = close(closing.terminal, closing.edges);
      closing.edges.clear();
      closing.terminal = false;
    }
  };
  std::string_view previous;
  for (const std::string_view text : texts) {
    const auto common = static_cast<std::size_t>(
        std::mismatch(previous.begin(), previous.end(), text.begin(), text.end()).first -
        previous.begin());
    closeTo(common);
    for (std::size_t d = common; d < text.size(); ++d)
      path[d].edges.emplace_back(static_cast<unsigned char>(text[d]), kNone);
    depth = text.size();
    path[depth].terminal = true;
    previous = text;
  }
  closeTo(0);
  root_ = close(path[0].terminal, path[0].edges);
}

// The state with these edges and end mark: an equal one already kept, or a
// new one.
std::uint32_t AutomatonBuilder::close(bool terminal, const std::vector<Edge>& open) {
  const std::size_t mask = table_.size() - 1;
  std::size_t at = hashOf(terminal, open) & mask;
  for (; table_[at] != kNone; at = (at + 1) & mask) {
    const std::uint32_t s = table_[at];
    if (terminal_[s] == terminal && count_[s] == open.size() &&
        std::equal(open.begin(), open.end(), edges_.begin() + first_[s]))
      return s;
  }
  const auto id = static_cast<std::uint32_t>(first_.size());
  first_.push_back(static_cast<std::uint32_t>(edges_.size()));
  count_.push_back(static_cast<std::uint32_t>(open.size()));
  terminal_.push_back(terminal);
  edges_.insert(edges_.end(), open.begin(), open.end());
  table_[at] = id;
  if (++used_ * 2 > table_.size()) grow();
  return id;
}

void AutomatonBuilder::grow() {
  std::vector<std::uint32_t> bigger(table_.size() * 2, kNone);
  const std::size_t mask = bigger.size() - 1;
  for (const std::uint32_t s : table_) {
    if (s == kNone) continue;
    std::size_t at = hashOf(terminal_[s], edges(s)) & mask;
    while (bigger[at] != kNone) at = (at + 1) & mask;
    bigger[at] = s;
  }
  table_.swap(bigger);
}

}  // namespace tilvan
