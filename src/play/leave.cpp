#include "play/leave.h"

#include <algorithm>
#include <atomic>
#include <sstream>

#include "game/rules.h"

namespace tilvan::play {
namespace {

constexpr char kLeaveTableText[] =
#include "play/leave_table.inc"
    ;

bool isVowel(char c) { return c == 'a' || c == 'e' || c == 'i' || c == 'o' || c == 'u'; }

// A tile's index: 0..25 for 'a'..'z', 26 for the blank, -1 for anything else.
int tileIndex(char c) { return c == '_' ? 26 : c >= 'a' && c <= 'z' ? c - 'a' : -1; }

// A leave of up to 12 characters packed 5 bits each (index + 1); longer
// leaves or other characters pack to 0, which no leave of the table has.
std::uint64_t pack(std::string_view leave) {
  if (leave.size() > 12) return 0;
  std::uint64_t key = 1;
  for (char c : leave) {
    const int t = tileIndex(c);
    if (t < 0) return 0;
    key = key << 5 | static_cast<std::uint64_t>(t + 1);
  }
  return key;
}

}  // namespace

std::vector<std::string> leaveFeatures(std::string_view leave) {
  std::vector<std::string> out;
  int vowels = 0, consonants = 0;
  for (std::size_t i = 0; i < leave.size(); ++i) {
    const char c = leave[i];
    std::size_t same = 1;
    while (i >= same && leave[i - same] == c) ++same;
    if (same <= 3) out.push_back(std::to_string(same) + c);
    if (c != '_') (isVowel(c) ? vowels : consonants) += 1;
    if (i > 0 && leave[i - 1] == c) continue;
    for (std::size_t j = 0; j < i; ++j)
      if (leave[j] != c && (j == 0 || leave[j - 1] != leave[j]))
        out.push_back(std::string("p") + leave[j] + c);
  }
  out.push_back("b" + std::to_string(vowels) + "." + std::to_string(consonants));
  return out;
}

std::string_view LeaveTable::builtInText() { return kLeaveTableText; }

const LeaveTable& LeaveTable::builtIn() {
  static const LeaveTable table = [] {
    LeaveTable t;
    std::string error;
    if (!parse(kLeaveTableText, t, error)) t = LeaveTable{};
    return t;
  }();
  return table;
}

bool LeaveTable::parse(std::string_view text, LeaveTable& out, std::string& error) {
  std::istringstream in{std::string(text)};
  std::string line;
  int lineNo = 0;
  while (std::getline(in, line)) {
    ++lineNo;
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    std::string kind, key;
    double v = 0;
    if (!(fields >> kind >> key >> v) || (kind != "w" && kind != "l")) {
      error = "line " + std::to_string(lineNo) + ": not a table entry";
      return false;
    }
    if (kind == "w")
      out.setWeight(key, v);
    else
      out.setLeave(key == "-" ? "" : key, v);
  }
  return true;
}

void LeaveTable::restamp() {
  static std::atomic<std::uint64_t> next{1};
  stamp_ = next.fetch_add(1, std::memory_order_relaxed);
}

void LeaveTable::setWeight(const std::string& feature, double w) {
  restamp();
  weights_[feature] = w;
  const auto tile = [](char c) { return tileIndex(c); };
  if (feature.size() == 2 && feature[0] >= '1' && feature[0] <= '3' && tile(feature[1]) >= 0) {
    atLeast_[static_cast<std::size_t>(tile(feature[1]))]
            [static_cast<std::size_t>(feature[0] - '1')] = w;
  } else if (feature.size() == 3 && feature[0] == 'p' && tile(feature[1]) >= 0 &&
             tile(feature[2]) >= 0) {
    pair_[static_cast<std::size_t>(tile(feature[1]))][static_cast<std::size_t>(tile(feature[2]))] =
        w;
  } else if (feature.size() == 4 && feature[0] == 'b' && feature[2] == '.' && feature[1] >= '0' &&
             feature[1] <= '7' && feature[3] >= '0' && feature[3] <= '7') {
    balance_[static_cast<std::size_t>(feature[1] - '0')]
            [static_cast<std::size_t>(feature[3] - '0')] = w;
  }
}

void LeaveTable::setLeave(std::string_view leave, double v) {
  const std::uint64_t key = pack(leave);
  if (!key) return;
  restamp();
  leaves_[key] = v;
  const auto newNode = [this] {
    Node n;
    n.next.fill(-1);
    tree_.push_back(n);
    return static_cast<std::int32_t>(tree_.size() - 1);
  };
  if (tree_.empty()) newNode();
  std::int32_t at = 0;
  for (char c : leave) {
    const auto t = static_cast<std::size_t>(tileIndex(c));
    if (tree_[static_cast<std::size_t>(at)].next[t] < 0) {
      const std::int32_t n = newNode();
      tree_[static_cast<std::size_t>(at)].next[t] = n;
    }
    at = tree_[static_cast<std::size_t>(at)].next[t];
  }
  tree_[static_cast<std::size_t>(at)].value = v;
  tree_[static_cast<std::size_t>(at)].has = true;
}

bool LeaveTable::hasOwnValue(std::string_view leave) const { return leaves_.count(pack(leave)); }

double LeaveTable::model(std::string_view leave) const {
  // The same features as leaveFeatures, read from the arrays.
  double v = 0;
  int vowels = 0, consonants = 0;
  std::array<int, kTiles> seen{};
  int distinct[8], nDistinct = 0;
  for (char c : leave) {
    const int t = tileIndex(c);
    if (t < 0) continue;
    const int n = seen[static_cast<std::size_t>(t)]++;
    if (n < 3) v += atLeast_[static_cast<std::size_t>(t)][static_cast<std::size_t>(n)];
    if (t != 26) (isVowel(c) ? vowels : consonants) += 1;
    if (n > 0 || nDistinct == 8) continue;
    for (int k = 0; k < nDistinct; ++k) {
      const int a = std::min(distinct[k], t), b = std::max(distinct[k], t);
      // Pairs are named in sorted order, where the blank comes first.
      v += a == b ? 0
                  : (b == 26 ? pair_[26][static_cast<std::size_t>(a)]
                             : pair_[static_cast<std::size_t>(a)][static_cast<std::size_t>(b)]);
    }
    distinct[nDistinct++] = t;
  }
  if (vowels < 8 && consonants < 8)
    v += balance_[static_cast<std::size_t>(vowels)][static_cast<std::size_t>(consonants)];
  return v;
}

double LeaveTable::value(std::string_view leave) const {
  const auto it = leaves_.find(pack(leave));
  return it != leaves_.end() ? it->second : model(leave);
}

void LeaveTable::valuesOneByOne(std::string_view rack, double* out) const {
  for (unsigned kept = 0; kept < (1u << rack.size()); ++kept) {
    std::string leave;
    for (std::size_t k = 0; k < rack.size(); ++k)
      if (kept >> k & 1) leave += rack[k];
    out[kept] = value(leave);
  }
}

void LeaveTable::valuesByKept(std::string_view rack, double* out) const {
  rack = rack.substr(0, std::min<std::size_t>(rack.size(), 7));
  const std::uint64_t key = pack(rack);
  if (!key) return valuesAfresh(rack, out);
  // The last racks asked for on this thread, by table and packed rack,
  // replaced in turn.
  struct Kept {
    std::uint64_t stamp = 0, key = 0;  // key 0: no rack
    std::array<double, 1u << 7> values;
  };
  thread_local std::array<Kept, 16> kept;
  thread_local std::size_t turn = 0;
  const std::size_t count = std::size_t{1} << rack.size();
  for (const Kept& k : kept) {
    if (k.key == key && k.stamp == stamp_) {
      std::copy(k.values.begin(), k.values.begin() + static_cast<std::ptrdiff_t>(count), out);
      return;
    }
  }
  Kept& k = kept[turn++ % kept.size()];
  valuesAfresh(rack, k.values.data());
  k.key = key;
  k.stamp = stamp_;
  std::copy(k.values.begin(), k.values.begin() + static_cast<std::ptrdiff_t>(count), out);
}

void LeaveTable::valuesAfresh(std::string_view rack, double* out) const {
  const std::size_t size = std::min<std::size_t>(rack.size(), 7);
  // Per leave: the model's sum before the vowel balance, the positions
  // holding a tile's first copy, the vowels and consonants, the tree node.
  struct Part {
    double sum = 0;
    unsigned firsts = 0;
    int vowels = 0, consonants = 0;
    std::int32_t node = 0;
  };
  std::array<Part, 1u << 7> part{};
  if (tree_.empty()) part[0].node = -1;
  std::array<std::size_t, 7> tile{};
  for (std::size_t k = 0; k < size; ++k) {
    const int t = tileIndex(rack[k]);
    if (t < 0) return valuesOneByOne(rack.substr(0, size), out);
    tile[k] = static_cast<std::size_t>(t);
  }
  for (unsigned kept = 0; kept < (1u << size); ++kept) {
    Part& p = part[kept];
    if (kept) {
      const int h = 31 - __builtin_clz(kept);
      const Part& from = part[kept ^ (1u << h)];
      const std::size_t t = tile[static_cast<std::size_t>(h)];
      p = from;
      int n = 0;
      for (int j = 0; j < h; ++j) n += (kept >> j & 1) && tile[static_cast<std::size_t>(j)] == t;
      if (n < 3) p.sum += atLeast_[t][static_cast<std::size_t>(n)];
      if (t != 26) (isVowel(rack[static_cast<std::size_t>(h)]) ? p.vowels : p.consonants) += 1;
      if (n == 0) {
        for (int j = 0; j < h; ++j) {
          if (!(from.firsts >> j & 1)) continue;
          const std::size_t d = tile[static_cast<std::size_t>(j)];
          const std::size_t a = std::min(d, t), b = std::max(d, t);
          p.sum += a == b ? 0 : (b == 26 ? pair_[26][a] : pair_[a][b]);
        }
        p.firsts |= 1u << h;
      }
      p.node = from.node < 0 ? -1 : tree_[static_cast<std::size_t>(from.node)].next[t];
    }
    const Node* own = p.node < 0 ? nullptr : &tree_[static_cast<std::size_t>(p.node)];
    out[kept] = own && own->has ? own->value
                                : p.sum + balance_[static_cast<std::size_t>(p.vowels)]
                                                  [static_cast<std::size_t>(p.consonants)];
  }
}

int tilePoints(std::string_view tiles) {
  int sum = 0;
  for (char c : tiles) sum += letterValueOf(c);
  return sum;
}

double leaveValue(const LeaveTable& table, std::string_view leave, std::string_view unseen, int bag,
                  int players) {
  if (bag > 0) return table.value(leave);
  if (!leave.empty()) return -tilePoints(leave);
  const int others = players > 1 ? players - 1 : 1;
  return static_cast<double>(tilePoints(unseen)) * players / others;
}

}  // namespace tilvan::play
