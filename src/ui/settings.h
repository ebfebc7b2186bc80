// What the window remembers between runs: the word list chosen in the
// "Words" menu and the options. Kept with QSettings in the user's config
// folder ($XDG_CONFIG_HOME/tilvan/tilvan.conf, by default ~/.config).
// A new setting is one field here and one line each in load() and save().
#pragma once

#include <QString>

namespace tilvan::ui {

// The lists of the "Words" menu.
enum class WordsChoice { kWordGame, kLarge, kOther };

struct Settings {
  WordsChoice words = WordsChoice::kWordGame;
  QString otherWordsFile;      // the list of WordsChoice::kOther
  bool completeSearch = true;  // the complete search; off: the original search rules
  bool rankByValue = true;     // the complete search ranks by points plus leave value
  int zoomPercent = 0;  // the window's zoom, kZoomMin..kZoomMax; 0: none chosen (fit the screen)

  static constexpr int kZoomMin = 25, kZoomMax = 400;

  // The stored settings; a missing or unusable value reads as its default.
  static Settings load();
  void save() const;

  bool operator==(const Settings&) const = default;
};

}  // namespace tilvan::ui
