// find --rank value --simulate MS: the best candidates by value, simulated
// and ranked by their simulated value.
#include <cmath>
#include <cstdio>

#include "ahead/simulation.h"
#include "cli/find.h"
#include "cli/json.h"
#include "game/move_score.h"
#include "play/leave.h"

namespace tilvan::cli {
namespace {

// The tiles neither on the board nor on the rack.
std::string unseenTiles(const Board& board, std::string_view rack) {
  std::string left = play::fullSet();
  auto drop = [&](char c) {
    if (auto at = left.find(c); at != std::string::npos) left.erase(at, 1);
  };
  for (int h = 0; h < kSquares; ++h)
    if (board.atH(h).occupied) drop(scoresNothing(board.atH(h).tile) ? '_' : letterChar(board.atH(h).letter));
  for (char c : rack) drop(c);
  return left;
}

std::string simFields(const SimCandidate& s) {
  const play::Choice& c = s.choice;
  return "\"leave\":" + jsonString(c.keep) + ",\"leaveValue\":" + number(c.leaveValue) +
         ",\"value\":" + number(c.value) + ",\"simValue\":" + number(s.mean) +
         ",\"simStdErr\":" + number(s.stdErr) + ",\"iterations\":" + std::to_string(s.iterations);
}

std::string resultOf(const GameState& state, const SimCandidate& s, int slot, bool json) {
  const play::Choice& c = s.choice;
  const std::string sim = "  sim " + number(s.mean) + " ± " + number(s.stdErr) + " (" +
                          std::to_string(s.iterations) + ")\n";
  if (c.kind != play::Choice::Kind::kMove) {
    const bool pass = c.kind == play::Choice::Kind::kPass;
    if (!json)
      return std::to_string(slot) + ". " +
             (pass ? "Pass" : "Exchange: keep " + (c.keep.empty() ? "-" : c.keep) + ", throw " + c.thrown) +
             "  value " + number(c.value) + sim;
    return "{\"slot\":" + std::to_string(slot) + ",\"kind\":" + (pass ? "\"pass\"" : "\"exchange\"") +
           ",\"score\":0,\"keep\":" + jsonString(c.keep) +
           (pass ? "" : ",\"throw\":" + jsonString(c.thrown)) + "," + simFields(s) + "}";
  }
  const CompleteResult r = describeMoves(state, {c.move}).front();
  if (!json)
    return std::to_string(slot) + ". " + candidateLine(r.down, r.cand) + "     leave " +
           (c.keep.empty() ? "-" : c.keep) + ", value " + number(c.value) + sim;
  const LetterGrid grid = letterGridOf(state.Committed, state.LetterChar, r.down);
  return "{\"slot\":" + std::to_string(slot) + ",\"kind\":\"move\"," +
         candidateJsonFields(r.down, r.cand, grid) + "," + simFields(s) + "}";
}

}  // namespace

std::string simulatedResults(const GameState& state, const WordList& list, std::string_view rack,
                             const SimulateOptions& options, bool json) {
  const std::string tiles = play::sortedTiles(std::string(rack.substr(0, kMoveSlots)));
  const play::LeaveTable& table = play::LeaveTable::builtIn();
  const play::ValueInputs in = play::inputsFor(state.Committed, tiles, options.players, table);
  const std::vector<play::Choice> candidates = simCandidates(list, state.Committed, state.SquareBonus, tiles, in, 10);
  // The position as the player sees it: the opponent's rack and the bag
  // are redrawn from the unseen tiles in every round.
  play::Position pos;
  pos.board = state.Committed;
  pos.premiums = state.SquareBonus;
  pos.racks[0] = tiles;
  const std::string unseen = unseenTiles(state.Committed, tiles);
  pos.racks[1] = unseen.substr(0, std::min<std::size_t>(unseen.size(), kMoveSlots));
  pos.bag = unseen.substr(pos.racks[1].size());
  SimOptions sim;
  sim.timeMs = options.ms;
  sim.seed = options.seed;
  const SimResult r = simulate({&list, &table}, pos, candidates, sim);
  std::string out = json ? "{\"results\":[" : "";
  int slot = 0;
  for (const SimCandidate& s : r.candidates) {
    if (json && slot) out += ",";
    out += resultOf(state, s, ++slot, json);
  }
  if (json) return out + "]}\n";
  return r.candidates.empty() ? "no placement found\n" : out;
}

}  // namespace tilvan::cli
