#include "play/strategy.h"

#include <algorithm>

namespace tilvan::play {
namespace {

class ScoreStrategy : public Strategy {
 public:
  explicit ScoreStrategy(const Engine& e) : e_(e) {}
  std::string_view name() const override { return "score"; }
  Choice choose(const Position& pos) override {
    completeMoves(*e_.list, pos.board, pos.premiums, pos.rack(), moves_, 1);
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
    return rankByValue(*e_.list, pos.board, pos.premiums, pos.rack(), valueInputs(e_, pos), 1)
        .front();
  }

 private:
  Engine e_;
};

}  // namespace

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
  return nullptr;
}

std::vector<std::string> strategyNames() { return {"score", "value"}; }

}  // namespace tilvan::play
