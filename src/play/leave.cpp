#include "play/leave.h"

#include <sstream>

#include "game/rules.h"

namespace tilvan::play {
namespace {

constexpr char kLeaveTableText[] =
#include "play/leave_table.inc"
    ;

bool isVowel(char c) { return c == 'a' || c == 'e' || c == 'i' || c == 'o' || c == 'u'; }

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
    (kind == "w" ? out.weights : out.leaves)[kind == "l" && key == "-" ? "" : key] = v;
  }
  return true;
}

double LeaveTable::model(std::string_view leave) const {
  double v = 0;
  for (const std::string& f : leaveFeatures(leave)) {
    const auto it = weights.find(f);
    if (it != weights.end()) v += it->second;
  }
  return v;
}

double LeaveTable::value(std::string_view leave) const {
  const auto it = leaves.find(std::string(leave));
  return it != leaves.end() ? it->second : model(leave);
}

int tilePoints(std::string_view tiles) {
  int sum = 0;
  for (char c : tiles) sum += letterValueOf(c);
  return sum;
}

double leaveValue(const LeaveTable& table, std::string_view leave, std::string_view unseen,
                  int bag, int players) {
  if (bag > 0) return table.value(leave);
  if (!leave.empty()) return -tilePoints(leave);
  const int others = players > 1 ? players - 1 : 1;
  return static_cast<double>(tilePoints(unseen)) * players / others;
}

}  // namespace tilvan::play
