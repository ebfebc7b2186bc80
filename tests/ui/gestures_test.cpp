// Random gestures on the whole window, in any order: tiles dragged and
// letters typed on the main board, every button, searches whose results are
// shown and laid (by their buttons and by the Play menu), Simulate started
// and stopped while the game goes on, the endgame solved after searches
// near the end of a game, take-backs and Redo, passes, players changed, new
// games, ends of the game, the zoom, the word list chosen again, and the
// game saved and opened again, with the autosave written after every
// change. After each gesture no dialog is left open, the game is whole (the
// rules that the core's own random games keep) and the window shows the
// core's mirror at its zoom; a game saved and opened again is the same game
// with the same options; at the end the game equals the one rebuilt from
// its record.
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>
#include <fstream>
#include <random>

#include "moves/game_file.h"
#include "support/game_gen.h"
#include "support/whole_game.h"
#include "ui/about_box.h"
#include "ui/app_window.h"
#include "ui/endgame_runner.h"
#include "ui/lookup_box.h"
#include "ui/main_window.h"
#include "ui/score_sheet.h"
#include "ui/simulation_runner.h"
#include "ui/widgets.h"
#include "ui_test_support.h"

using namespace tilvan;
using namespace tilvan::ui;
using namespace tilvan::ui::test;
using tilvan::test::said;

namespace {

// The last n gestures made, for a failure's report.
std::string lastOf(const std::vector<std::string>& done, std::size_t n) {
  std::string last = ", after:";
  for (std::size_t k = done.size() > n ? done.size() - n : 0; k < done.size(); ++k)
    last += " " + done[k] + ";";
  return last;
}

// A number from the environment, for longer runs by hand.
int fromEnvironment(const char* name, int otherwise) {
  return qEnvironmentVariableIsSet(name) ? qEnvironmentVariableIntValue(name) : otherwise;
}

// The tiles not on the main board, as the letters-left captions count them
// ('_' a blank).
std::string tilesNotOnTheBoard(const Form& f) {
  std::string tiles;
  for (int l = 0; l < kLetters; ++l)
    tiles.append(static_cast<std::size_t>(std::max(0, std::atoi(f.lbTile[l].c_str()))),
                 l == kBlank ? '_' : static_cast<char>('a' + l));
  return tiles;
}

// A game of two players played from the complete search until at most 16
// tiles are off the board, saved to `path`: two racks and a bag of two.
void saveGameNearItsEnd(const std::filesystem::path& path, unsigned seed) {
  static WordListCache words(TILVAN_DEFAULT_WORD_LIST);
  tilvan::test::StartedGame g(std::string_view{});
  g.setPlayers(2, 1);
  std::mt19937 rng(seed);
  for (int turns = 0; turns < 60 && tilesNotOnTheBoard(g.game.form).size() > 16; ++turns)
    tilvan::test::playGeneratedGame(g, *words.get().value(), rng, {.steps = 1, .extras = false});
  std::ofstream(path) << gameFileText(g.game);
}

// Drives one window at random; step() makes one gesture and says what it
// was, failure() the first thing found wrong.
class Gestures {
 public:
  Gestures(AppWindow& a, RecordingPrompts& prompts, unsigned seed, std::filesystem::path file)
      : a_(a), w_(a.form()), prompts_(prompts), rng_(seed), file_(std::move(file)) {}

  std::string step() {
    // Whatever dialog is left open beside it, the user works in the main
    // window: its shortcuts (F5, Escape) are the window's once it is active.
    if (QApplication::activeWindow() != &a_) {
      a_.activateWindow();
      QApplication::processEvents();
    }
    const int roll = pick(108);
    prompts_.blankAnswers = {kBlankAnswers[pick(std::size(kBlankAnswers))]};
    prompts_.confirmAnswers = {pick(4) != 0};
    if (roll < 14) return drag();
    if (roll < 22) return type();
    if (roll < 34) return find();
    if (roll < 46) {
      const int k = pick(kResultSlots);
      QTest::mouseDClick(w_.cmdWord[k], Qt::LeftButton);
      return said("lay ", k);
    }
    if (roll < 56) return click(w_.cmdUse1, "use");
    if (roll < 60) return QTest::keyClick(w_.imgTilvaneBoard, Qt::Key_Escape), "escape";
    if (roll < 64) return click(w_.cmdClear, "clear last move");
    if (roll < 66) return a_.actRedo->trigger(), "redo";
    if (roll < 68) return click(w_.cmdPass, "pass");
    if (roll < 70) return click(w_.cmdCheck, "check words");
    if (roll < 75) return QTest::keyClick(&a_, Qt::Key_F5), "simulate";
    if (roll < 78) return QTest::qWait(20 + pick(80)), "wait";
    if (roll < 80) {
      const int z = pick(static_cast<int>(a_.zoomActions.size()));
      a_.zoomActions[z]->trigger();
      return said("zoom ", kZoomSteps[z]);
    }
    if (roll < 81) return click(w_.chkComplete, "complete search");
    if (roll < 82) return a_.actRankByValue->toggle(), "rank by value";
    if (roll < 84) return saveAndOpen();
    if (roll < 85) {
      const int players = 1 + pick(4), turn = 1 + pick(players);
      setPlayers(w_, players, turn);
      playersChanged_ = true;
      return said("players ", players, " turn ", turn);
    }
    if (roll < 86) return click(w_.cmdNewGame, "new game");
    if (roll < 87) {
      std::vector<std::string> racks;
      for (int p = 0; p < w_.game().state.NumPlayers; ++p)
        racks.push_back(std::string("qz_ea", 0, pick(3) * pick(2)));
      a_.endGameWith(racks);
      return "end game";
    }
    if (roll < 88) {
      a_.showScoreSheet();
      QTest::mouseClick(w_.cmdAbout, Qt::LeftButton);
      QApplication::processEvents();
      if (ScoreSheet* sheet = a_.scoreSheet()) sheet->close();
      if (frmAbout* about = w_.aboutBox()) about->close();
      return "score sheet and about";
    }
    if (roll < 90) {
      const int k = pick(kResultSlots);
      QTest::mouseClick(w_.cmdWord[k], Qt::LeftButton);
      return said("show ", k);
    }
    if (roll < 91) {
      const int k = pick(kResultSlots);
      a_.actShowResult[k]->trigger();
      a_.actLayShown->trigger();
      return said("show and lay from the menu ", k);
    }
    if (roll < 92) return (pick(2) ? a_.actLarge : a_.actWordGame)->trigger(), "words menu";
    if (roll < 95) return editScore();
    if (roll < 96) return a_.actOriginalRules->toggle(), "original search rules";
    if (roll < 98) return lookUp();
    if (roll < 99) return openDamaged();
    if (roll < 100) return QTest::keyClick(&a_, Qt::Key_Escape), "escape on the window";
    // A turn played from the search: its best laid and committed.
    find();
    QTest::mouseDClick(w_.cmdWord[0], Qt::LeftButton);
    return click(w_.cmdUse1, "find, lay the best, use");
  }

  // What the score sheet, while open, shows unlike the record: its rows and
  // the scores as recorded.
  std::string sheetUnlikeTheRecord() const {
    const ScoreSheet* sheet = a_.scoreSheet();
    if (!sheet || !sheet->isVisible()) return {};
    const std::vector<Turn>& turns = w_.game().state.Turns;
    const int rows = static_cast<int>(turns.size()) + (gameEnded(turns) ? 1 : 0);
    if (sheet->table->rowCount() != rows)
      return said("the score sheet has ", sheet->table->rowCount(), " rows for ", rows);
    for (int r = 0; r < static_cast<int>(turns.size()); ++r)
      if (const QTableWidgetItem* c = sheet->table->item(r, scoreColumn());
          !c || c->text() != QString::number(turns[static_cast<std::size_t>(r)].recorded()))
        return said("the score sheet's turn ", r + 1, " shows another score");
    return {};
  }

  // What the look-up box, while open, answers from another list than the
  // one in use.
  std::string lookUpUnlikeTheList() const {
    const LookUpBox* box = a_.lookUpBox();
    if (!box || !box->isVisible() || box->lblAnswer->text().isEmpty()) return {};
    const QString status = a_.statusText();  // "Word list: NAME, N words"
    const QString name = status.mid(11, status.lastIndexOf(", ") - 11);
    return box->lblAnswer->text().endsWith(" (" + name + ").")
               ? std::string()
               : "the look-up box answers from another list: " +
                     box->lblAnswer->text().toStdString() + " / " + status.toStdString();
  }

  const std::string& failure() const { return failure_; }
  bool playersChanged() const { return playersChanged_; }

 private:
  static inline const std::optional<std::string> kBlankAnswers[] = {"e", "S", "", std::nullopt};

  int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
  qreal zoom() const { return w_.zoom() / 100.0; }
  QPointF square(int row, int col) const { return squarePoint(row, col) * zoom(); }

  template <class Widget>
  std::string click(Widget* widget, const char* what) {
    QTest::mouseClick(widget, Qt::LeftButton);
    return what;
  }

  // The centre, a committed tile or a tile of the move, give or take a square.
  std::pair<int, int> near() {
    const GameState& s = w_.game().state;
    int row = 7, col = 7;
    if (s.MoveTileCount && pick(2)) {
      const int i = pick(s.MoveTileCount);
      row = s.MoveRow[i] - 1, col = s.MoveCol[i] - 1;
    } else if (s.LockedCount && pick(4)) {
      const int h =
          tilvan::test::squareOf(w_.game().form.imgTile[s.PlacedTile[pick(s.LockedCount)]]);
      if (h >= 0) row = h / kSide, col = h % kSide;
    }
    (pick(2) ? row : col) += pick(3) - 1;
    return {std::clamp(row, 0, kSide - 1), std::clamp(col, 0, kSide - 1)};
  }

  std::string drag() {
    // Mostly a tile of the pool, now and then any picture.
    int n = pick(kSetTiles);
    for (int tries = 0; tries < 20 && tilvan::test::squareOf(w_.game().form.imgTile[n]) >= 0;
         ++tries)
      n = pick(kSetTiles);
    if (!pick(10)) n = pick(kTilePictures);
    const auto [row, col] = near();
    QPointF at = square(row, col);
    if (!pick(10)) at = QPointF(pick(w_.width()), pick(w_.height()));
    dragTileTo(w_, n, at);
    return said("drag ", n, " to ", at.x(), ",", at.y());
  }

  std::string type() {
    const auto [row, col] = near();
    const QPointF p = square(row, col) - QPointF(w_.imgTilvaneBoard->pos());
    QTest::mouseClick(w_.imgTilvaneBoard, Qt::LeftButton, {}, p.toPoint());
    if (!pick(3)) QTest::keyClick(w_.imgTilvaneBoard, Qt::Key_Tab);
    std::string typed;
    for (int i = pick(5); i >= 0; --i) {
      const char ch = "etaoinsrlcdE?"[pick(13)];
      typed += ch;
      if (ch >= 'A' && ch <= 'Z')
        QTest::keyClick(w_.imgTilvaneBoard, ch, Qt::ShiftModifier);
      else
        QTest::keyClicks(w_.imgTilvaneBoard, QString(QChar(ch)));
    }
    static const Qt::Key kKeys[] = {Qt::Key_Backspace, Qt::Key_Right, Qt::Key_Down, Qt::Key_Return};
    if (pick(2)) QTest::keyClick(w_.imgTilvaneBoard, kKeys[pick(std::size(kKeys))]);
    return said("type at ", row, ",", col, ": ", typed);
  }

  // A search, mostly for a rack of tiles not on the board (the user's own),
  // now and then for any letters.
  std::string find() {
    if (pick(4)) {
      std::string rack;
      if (std::string pool = tilesNotOnTheBoard(w_.game().form); pick(4) && !pool.empty()) {
        std::shuffle(pool.begin(), pool.end(), rng_);
        rack = pool.substr(0, kMoveSlots);
      } else {
        for (int i = 2 + pick(6); i > 0; --i) rack += "eeaaiioonrtlsudgbcmpfhvwykjxqz_"[pick(31)];
      }
      typeInto(w_.txtRack, QString::fromStdString(rack));
    }
    QTest::mouseClick(w_.cmdFindWords, Qt::LeftButton);
    return "find " + w_.game().form.txtRack.Text;
  }

  int scoreColumn() const {
    const QTableWidget* t = a_.scoreSheet()->table;
    for (int c = 0; c < t->columnCount(); ++c)
      if (t->horizontalHeaderItem(c) && t->horizontalHeaderItem(c)->text() == "Score") return c;
    return -1;
  }

  // A score corrected on the score sheet, as typed: a number near the one
  // recorded, or text that is not one; the sheet now and then left open.
  std::string editScore() {
    a_.showScoreSheet();
    ScoreSheet* sheet = a_.scoreSheet();
    std::string what = "score sheet";
    // The turns' scores: the final row's cannot be edited.
    if (const int rows = static_cast<int>(w_.game().state.Turns.size()); rows > 0) {
      const int row = pick(rows);
      static const char* const kOdd[] = {"", "x", "100000", " 12 ", "-3", "2.5"};
      QTableWidgetItem* c = sheet->table->item(row, scoreColumn());
      const QString text = pick(2) && c ? QString::number(c->text().toInt() + pick(21) - 10)
                                        : QString(kOdd[pick(std::size(kOdd))]);
      if (c) c->setText(text);
      what = said("score sheet: turn ", row + 1, " scored '", text.toStdString(), "'");
    }
    if (pick(2)) sheet->close();
    return what;
  }

  // A word looked up while the game goes on; the answer is the list's.
  std::string lookUp() {
    a_.actLookUp->trigger();
    LookUpBox* box = a_.lookUpBox();
    static const char* const kWords[] = {"qi", "za", "cat", "xyzzy", "", "QI", "a b"};
    const char* word = kWords[pick(std::size(kWords))];
    box->txtWord->setText(word);
    const bool in = box->lblAnswer->text().contains(" is in the list");
    if (std::string_view(word) == "cat" && !in) failure_ = "looked up: cat not in the list";
    if (std::string_view(word) == "xyzzy" && in) failure_ = "looked up: xyzzy in the list";
    if (pick(2)) box->close();
    return said("look up '", word, "'");
  }

  // Opens a damaged copy of the game saved last: cut short, a byte changed
  // or a number made huge. A file refused changes nothing.
  std::string openDamaged() {
    std::ifstream in(file_, std::ios::binary);
    std::string text{std::istreambuf_iterator<char>(in), {}};
    if (text.empty()) return "open damaged: nothing saved yet";
    const auto at = static_cast<std::size_t>(pick(static_cast<int>(text.size())));
    switch (pick(3)) {
      case 0:
        text.resize(at);
        break;
      case 1:
        text[at] = "x9\"{}[],-:\0"[pick(11)];
        break;
      default:
        if (const auto d = text.find_first_of("0123456789", at); d != std::string::npos)
          text.insert(d, "9999999999");
    }
    const std::filesystem::path damaged = file_.parent_path() / "damaged.json";
    std::ofstream(damaged, std::ios::binary) << text;
    const Game before = w_.game();
    const auto file = a_.gameFile();
    prompts_.confirmAnswers = {true};
    const bool opened = a_.openGameFile(damaged);
    if (!opened && (w_.game().state != before.state || w_.game().form != before.form ||
                    a_.gameFile() != file))
      failure_ = "a damaged file that was refused changed the game";
    return opened ? "open damaged: opened" : "open damaged: refused";
  }

  // Saves the game and opens it again: the same record, board and turn.
  std::string saveAndOpen() {
    const GameState before = w_.game().state;
    const Form options = w_.game().form;
    prompts_.confirmAnswers.clear();
    const bool saved = a_.saveGameFile(file_), opened = saved && a_.openGameFile(file_);
    const GameState& after = w_.game().state;
    if (!saved || !opened)
      failure_ =
          said("save and open failed: ", prompts_.messages.empty() ? "" : prompts_.messages.back());
    else if (before.MoveTileCount == 0 &&
             (after.Turns != before.Turns || after.Committed != before.Committed ||
              after.NumPlayers != before.NumPlayers || after.CurrentPlayer != before.CurrentPlayer))
      failure_ =
          said("the game opened again differs from the one saved: turns ", before.Turns.size(),
               " -> ", after.Turns.size(), ", board ", after.Committed == before.Committed,
               ", players ", before.NumPlayers, " -> ", after.NumPlayers, ", to move ",
               before.CurrentPlayer, " -> ", after.CurrentPlayer);
    else if (w_.game().form.chkComplete != options.chkComplete ||
             w_.game().form.chkValue != options.chkValue)
      failure_ = "opening a game changed the search's options";
    return "save and open";
  }

  AppWindow& a_;
  Form1& w_;
  RecordingPrompts& prompts_;
  std::mt19937 rng_;
  std::filesystem::path file_;
  std::string failure_;
  bool playersChanged_ = false;
};

}  // namespace

class TestGestures : public QObject {
  Q_OBJECT

  QTemporaryDir config_, files_;

 private slots:
  void initTestCase() {
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config_.path()));
    // The offscreen platform says at every raise() of the score sheet or the
    // look-up box that it cannot; past Qt Test's limit on warnings such
    // lines would hide the summary of a long run.
    static QtMessageHandler next = nullptr;
    next = qInstallMessageHandler([](QtMsgType t, const QMessageLogContext& c, const QString& m) {
      if (!m.startsWith("This plugin does not support")) next(t, c, m);
    });
  }

  void theGameStaysWholeWhateverTheOrder() {
    int steps = 0, commits = 0, simulations = 0, solves = 0, refused = 0;
    // Three games of 300 gestures (TILVAN_GESTURE_GAMES and
    // TILVAN_GESTURE_STEPS set others, TILVAN_GESTURE_SEED the first seed).
    const int games = fromEnvironment("TILVAN_GESTURE_GAMES", 3);
    const int length = fromEnvironment("TILVAN_GESTURE_STEPS", 300);
    const auto first = static_cast<unsigned>(fromEnvironment("TILVAN_GESTURE_SEED", 1));
    for (unsigned seed = first; seed < first + static_cast<unsigned>(games); ++seed) {
      RecordingPrompts prompts;
      AppWindow a(WordLists{TILVAN_DEFAULT_WORD_LIST, TILVAN_DEFAULT_WORD_LIST}, std::nullopt,
                  &prompts, false);
      a.simulation()->setTimeLimit(300);
      a.endgame()->setTimeLimit(300);
      const std::filesystem::path dir = files_.path().toStdString();
      a.autosaveTo(dir / said("autosave-", seed, ".json"), false);
      a.show();
      QVERIFY(QTest::qWaitForWindowExposed(&a));
      Form1& w = a.form();
      setPlayers(w, 2, 1);
      // Every third game goes on from a game near its end: the bag runs out
      // and the endgame is solved after the searches.
      if (seed % 3 == 0) {
        saveGameNearItsEnd(dir / "near-the-end.json", seed);
        QVERIFY(a.openGameFile(dir / "near-the-end.json"));
      }
      Gestures g(a, prompts, seed, dir / said("game-", seed, ".json"));
      std::vector<std::string> done;
      for (int i = 0; i < length; ++i, ++steps) {
        const std::size_t turns = w.game().state.Turns.size();
        done.push_back(g.step());
        QApplication::processEvents();
        commits += w.game().state.Turns.size() > turns;
        simulations += done.back() == "simulate" && a.simulation()->running();
        solves += done.back().starts_with("find") && a.endgame()->busy();
        refused += done.back() == "open damaged: refused";
        const std::string where = said("seed ", seed, ", step ", i, lastOf(done, 12));
        QVERIFY2(!QApplication::activeModalWidget(), ("a dialog left open, " + where).c_str());
        QVERIFY2(g.failure().empty(), (g.failure() + ", " + where).c_str());
        const std::string dialogs = g.sheetUnlikeTheRecord() + g.lookUpUnlikeTheList();
        QVERIFY2(dialogs.empty(), (dialogs + ", " + where).c_str());
        const std::string broken = tilvan::test::brokenRule(w.game().state, w.game().form);
        QVERIFY2(broken.empty(), (broken + ", " + where).c_str());
        const std::string unlike =
            a.actRankByValue->isChecked() != w.game().form.chkValue ? "rank by value"
            : a.actOriginalRules->isChecked() == w.game().form.chkComplete
                ? "original search rules"
                : unlikeTheMirror(w);
        QVERIFY2(unlike.empty(),
                 ("the window does not show the mirror: " + unlike + ", " + where).c_str());
      }
      a.simulation()->stop();
      for (int wait = 0; a.endgame()->busy() && wait < 100; ++wait) QTest::qWait(50);
      QTest::keyClick(w.imgTilvaneBoard, Qt::Key_Escape);
      const auto d = tilvan::test::differenceFromItsRecord(w.game(), g.playersChanged());
      QVERIFY(d.has_value());
      QVERIFY2(d->empty(), said(*d, ", seed ", seed, lastOf(done, 30)).c_str());
    }
    qInfo("%d gestures, %d turns committed, %d simulations, %d endgames solved, %d damaged files "
          "refused",
          steps, commits, simulations, solves, refused);
    QVERIFY2(commits > games * length / 15, std::to_string(commits).c_str());
  }
};

QTEST_MAIN(TestGestures)
#include "gestures_test.moc"
