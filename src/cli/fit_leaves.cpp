#include "cli/fit_leaves.h"

#include <cmath>
#include <fstream>
#include <map>
#include <optional>
#include <nlohmann/json.hpp>
#include <ostream>
#include <sstream>
#include <unordered_map>

#include "cli/printable.h"
#include "play/leave.h"

namespace tilvan::cli {
namespace {

// Solves (A + ridge I) x = b for a symmetric A by Cholesky; A is n x n.
std::vector<double> solveRidge(std::vector<double> a, std::vector<double> b, std::size_t n,
                               double ridge) {
  for (std::size_t i = 0; i < n; ++i) a[i * n + i] += ridge;
  for (std::size_t j = 0; j < n; ++j) {
    double d = a[j * n + j];
    for (std::size_t k = 0; k < j; ++k) d -= a[j * n + k] * a[j * n + k];
    d = std::sqrt(std::max(d, 1e-12));
    a[j * n + j] = d;
    for (std::size_t i = j + 1; i < n; ++i) {
      double s = a[i * n + j];
      for (std::size_t k = 0; k < j; ++k) s -= a[i * n + k] * a[j * n + k];
      a[i * n + j] = s / d;
    }
  }
  for (std::size_t i = 0; i < n; ++i) {  // L y = b
    for (std::size_t k = 0; k < i; ++k) b[i] -= a[i * n + k] * b[k];
    b[i] /= a[i * n + i];
  }
  for (std::size_t i = n; i-- > 0;) {  // L^T x = y
    for (std::size_t k = i + 1; k < n; ++k) b[i] -= a[k * n + i] * b[k];
    b[i] /= a[i * n + i];
  }
  return b;
}

std::string fmt(double v) {
  std::ostringstream s;
  s.precision(4);
  s << std::fixed << v;
  return s.str();
}

}  // namespace

bool leaveSamples(const std::string& line, int minBag, std::vector<LeaveSample>& out,
                  const play::LeaveTable* bootstrap) {
  nlohmann::json game;
  try {
    game = nlohmann::json::parse(line);
    const auto& turns = game.at("turns");
    for (std::size_t i = 0; i < turns.size(); ++i) {
      const auto& t = turns[i];
      const std::string kind = t.at("kind").get<std::string>();
      if ((kind != "move" && kind != "exchange") || t.at("bag").get<int>() < minBag) continue;
      const int player = t.at("player").get<int>();
      for (std::size_t k = i + 1; k < turns.size(); ++k) {
        if (turns[k].at("player").get<int>() != player) continue;
        const auto& next = turns[k];
        const std::string nextKind = next.at("kind").get<std::string>();
        if (nextKind == "end") break;
        double points = next.at("score").get<double>();
        if (bootstrap && (nextKind == "move" || nextKind == "exchange") &&
            next.at("bag").get<int>() >= minBag)
          points += bootstrap->value(next.at("leave").get<std::string>());
        out.push_back({t.at("leave").get<std::string>(), points});
        break;
      }
    }
  } catch (const std::exception&) {
    return false;
  }
  return true;
}

std::string fitLeaveTable(const std::vector<LeaveSample>& samples, int minCount, double ridge) {
  double mean = 0;
  for (const LeaveSample& s : samples) mean += s.points;
  mean /= std::max<std::size_t>(1, samples.size());
  // Features by first appearance; the normal equations of the centred points.
  std::unordered_map<std::string, std::size_t> index;
  std::vector<std::string> names;
  std::vector<std::vector<std::size_t>> rows;
  rows.reserve(samples.size());
  for (const LeaveSample& s : samples) {
    std::vector<std::size_t> row;
    for (const std::string& f : play::leaveFeatures(s.leave)) {
      auto [it, added] = index.emplace(f, names.size());
      if (added) names.push_back(f);
      row.push_back(it->second);
    }
    rows.push_back(std::move(row));
  }
  const std::size_t n = names.size();
  std::vector<double> a(n * n), b(n);
  for (std::size_t r = 0; r < rows.size(); ++r) {
    for (std::size_t i : rows[r]) {
      b[i] += samples[r].points - mean;
      for (std::size_t j : rows[r]) a[i * n + j] += 1;
    }
  }
  const std::vector<double> w = solveRidge(std::move(a), std::move(b), n, ridge);
  play::LeaveTable model;
  for (std::size_t i = 0; i < n; ++i) model.setWeight(names[i], w[i]);
  // Leaves seen often: their own mean residual, shrunk toward the model.
  std::map<std::string, std::pair<double, int>> seen;
  for (const LeaveSample& s : samples) {
    auto& [sum, count] = seen[s.leave];
    sum += s.points - mean - model.model(s.leave);
    ++count;
  }
  std::ostringstream out;
  out << "# Leave values fitted by tilvan-cli fit-leaves from " << samples.size()
      << " turns (mean next-turn points " << fmt(mean) << ")\n";
  for (std::size_t i = 0; i < n; ++i) out << "w " << names[i] << ' ' << fmt(w[i]) << '\n';
  for (const auto& [leave, sc] : seen) {
    if (sc.second < minCount) continue;
    const double own = sc.first / (sc.second + minCount);
    out << "l " << (leave.empty() ? "-" : leave) << ' ' << fmt(model.model(leave) + own) << '\n';
  }
  return out.str();
}

int runFitLeaves(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  int minCount = 50, minBag = 14;
  double ridge = 20;
  std::optional<std::string> bootstrapFile;
  std::vector<std::string> files;
  for (std::size_t i = 1; i < args.size(); ++i) {
    if ((args[i] == "--min-count" || args[i] == "--min-bag" || args[i] == "--ridge") &&
        i + 1 < args.size()) {
      const double v = std::stod(args[i + 1]);
      if (args[i] == "--min-count")
        minCount = static_cast<int>(v);
      else if (args[i] == "--min-bag")
        minBag = static_cast<int>(v);
      else
        ridge = v;
      ++i;
    } else if (args[i] == "--bootstrap" && i + 1 < args.size()) {
      bootstrapFile = args[++i];
    } else if (args[i] == "--help") {
      out << "usage: tilvan-cli fit-leaves RECORD... [--min-count N] [--min-bag N] [--ridge X]\n"
             "                            [--bootstrap TABLE]\n";
      return 0;
    } else {
      files.push_back(args[i]);
    }
  }
  play::LeaveTable bootstrap;
  if (bootstrapFile) {
    std::ifstream in(*bootstrapFile);
    std::stringstream text;
    text << in.rdbuf();
    std::string why;
    if (!in || !play::LeaveTable::parse(text.str(), bootstrap, why))
      return err << "tilvan-cli: " << printable(*bootstrapFile) << ": not a leave table\n", 2;
  }
  std::vector<LeaveSample> samples;
  for (const std::string& f : files) {
    std::ifstream in(f);
    if (!in) return err << "tilvan-cli: " << printable(f) << ": cannot read\n", 2;
    std::string line;
    for (int n = 1; std::getline(in, line); ++n)
      if (!line.empty() &&
          !leaveSamples(line, minBag, samples, bootstrapFile ? &bootstrap : nullptr))
        return err << "tilvan-cli: " << printable(f) << ":" << n << ": not a game\n", 2;
  }
  out << fitLeaveTable(samples, minCount, ridge);
  return 0;
}

}  // namespace tilvan::cli
