#include "play/strategy.h"

#include <algorithm>
#include <mutex>
#include <utility>

namespace tilvan::play {
namespace {

class ScoreStrategy : public Strategy {
 public:
  explicit ScoreStrategy(const Engine& e) : e_(e) {}
  std::string_view name() const override { return "score"; }
  Choice choose(const Position& pos) override {
    completeMoves(*e_.list, pos.board, pos.premiums, pos.rack(), moves_, 1, pos.reading.get());
    Choice c;
    c.keep = pos.rack();
    if (moves_.empty()) return c;
    c.kind = Choice::Kind::kMove;
    c.move = moves_.front();
    c.score = c.move.score;
    c.value = c.score;
    c.keep = leaveAfter(pos, c.move);
    return c;
  }

 private:
  Engine e_;
  std::vector<CompleteMove> moves_;
};

class ValueStrategy : public Strategy {
 public:
  explicit ValueStrategy(const Engine& e) : e_(e) {}
  std::string_view name() const override { return "value"; }
  Choice choose(const Position& pos) override {
    return rankByValue(*e_.list, pos.board, pos.premiums, pos.rack(), valueInputs(e_, pos), 1,
                       pos.reading.get())
        .front();
  }

 private:
  Engine e_;
};

std::mutex& registryMutex() {
  static std::mutex mu;
  return mu;
}
std::vector<std::pair<std::string, StrategyMaker>>& registry() {
  static std::vector<std::pair<std::string, StrategyMaker>> makers;
  return makers;
}

}  // namespace

void registerStrategy(const std::string& name, StrategyMaker make) {
  std::lock_guard lock(registryMutex());
  for (auto& [n, m] : registry())
    if (n == name) return void(m = std::move(make));
  registry().emplace_back(name, std::move(make));
}

std::string applyChoice(Position& pos, const Choice& c) {
  if (c.kind == Choice::Kind::kMove) return playMove(pos, c.move);
  if (c.kind == Choice::Kind::kExchange && pos.canExchange()) return exchangeTiles(pos, c.keep);
  passTurn(pos);
  return {};
}

ValueInputs valueInputs(const Engine& engine, const Position& pos) {
  ValueInputs in;
  in.table = engine.leaves;
  in.unseen = pos.unseen();
  in.bag = static_cast<int>(pos.bag.size());
  return in;
}

std::unique_ptr<Strategy> makeStrategy(std::string_view name, const Engine& engine) {
  if (name == "score") return std::make_unique<ScoreStrategy>(engine);
  if (name == "value") return std::make_unique<ValueStrategy>(engine);
  std::lock_guard lock(registryMutex());
  for (const auto& [n, make] : registry())
    if (n == name) return make(engine);
  return nullptr;
}

std::vector<std::string> strategyNames() {
  std::vector<std::string> names{"score", "value"};
  std::lock_guard lock(registryMutex());
  for (const auto& entry : registry()) names.push_back(entry.first);
  return names;
}

}  // namespace tilvan::play
