#include <charconv>
#include <cmath>
#include <optional>
#include <string_view>

#include "game/handlers.h"

namespace tilvan {
namespace {

// The text of a number box as a decimal number; nothing when it is not one
// (a letter, a sign or a point alone, a space).
std::optional<double> numberIn(std::string_view text) {
  double value = 0;
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, value, std::chars_format::fixed);
  if (ec != std::errc() || ptr != end || !std::isfinite(value)) return std::nullopt;
  return value;
}

// To the nearest integer, a half to the even one.
int roundHalfEven(double v) { return static_cast<int>(std::nearbyint(v)); }

// The click counters only tell a first press from a later one.
void countPress(int& clicks) {
  if (clicks < 2) ++clicks;
}

}  // namespace

void pressNumberOfPlayers(Game& game, Prompts& prompts) {
  GameState& s = game.state;
  TextBox& box = game.form.txtNumberofPlayers;
  countPress(s.NumPlayersClicks);
  if (box.Text.empty()) {
    prompts.message("Number of Players must be 2,3 or 4");
    s.NumPlayersClicks = 0;
    box.Text.clear();
    return;
  }
  const auto value = numberIn(box.Text);
  // (A one-character box holds whole numbers only; the rounding guard keeps
  // the count in 2..4 whatever text reaches here.)
  if (value && *value > 1 && *value < 5 && roundHalfEven(*value) >= 2 &&
      roundHalfEven(*value) <= 4) {
    if (s.NumPlayersClicks == 1) s.NumPlayers = roundHalfEven(*value);
  } else {
    prompts.message("Number of Players must be 2,3 or 4 1");
    s.NumPlayersClicks = 0;
    box.Text.clear();
  }
  for (int p = 0; p < s.NumPlayers; ++p) game.form.lblPlayer[p] = true;
  showTotals(game);
}

void showTotals(Game& game) {
  const std::array<Total, kPlayers> totals = playerTotals(game.state.Turns);
  for (int p = 0; p < kPlayers; ++p)
    game.form.lblPlayersPoints[p] = p < game.state.NumPlayers ? std::to_string(totals[p]) : "";
}

void pressUsersTurn(Game& game, Prompts& prompts) {
  GameState& s = game.state;
  TextBox& box = game.form.txtUsersTurn;
  if (s.NumPlayers == 0) {
    prompts.message("Please type in Number of Players First");
    box.Text.clear();
    return;
  }
  countPress(s.UsersTurnClicks);
  if (box.Text.empty()) {
    prompts.message("User Number must be 1,2,3 or 4");
    box.Text.clear();
    s.UsersTurnClicks = 0;
    return;
  }
  const auto value = numberIn(box.Text);
  if (value && *value > 0 && *value < s.NumPlayers + 1 && roundHalfEven(*value) >= 1 &&
      roundHalfEven(*value) <= s.NumPlayers) {
    if (s.UsersTurnClicks == 1) {
      s.UserTurn = roundHalfEven(*value);
      game.form.shpUser[s.UserTurn - 1] = true;
    }
  } else {
    prompts.message("User Number must be 1,2,3 or 4");
    box.Text.clear();
    s.UsersTurnClicks = 0;
  }
}

}  // namespace tilvan
