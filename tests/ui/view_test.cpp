// What the window paints and how it reads at a glance: blanks apart from
// tiles, the preview's new tiles marked, the turn marks, the mirror shown
// before any dialog, legible points, and the zoom with drops that still land
// on the square under the pointer.
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QStandardPaths>
#include <QtTest>

#include "cli/dump.h"
#include "game/views.h"
#include "ui/app_window.h"
#include "ui/pictures.h"
#include "ui_test_support.h"

using namespace tilvan;
using namespace tilvan::ui;
using namespace tilvan::ui::test;

namespace {

int pix(int twips) { return qRound(twips / 15.0); }

bool dark(QRgb c) { return qAlpha(c) > 128 && qGray(c) < 110; }

// Rows y0..y1 of `image` that hold a dark pixel within columns x0..x1.
int darkRows(const QImage& image, int x0, int x1, int y0 = 0, int y1 = 99) {
  int rows = 0;
  for (int y = y0; y < image.height() && y <= y1; ++y) {
    bool any = false;
    for (int x = x0; x <= x1 && !any; ++x) any = dark(image.pixel(x, y));
    rows += any;
  }
  return rows;
}

// The inside of two tile pictures (their rounded corners show what lies
// beneath them) is the same.
bool sameInside(const QImage& a, const QImage& b) {
  if (a.size() != b.size()) return false;
  for (int y = 2; y < a.height() - 2; ++y)
    for (int x = 2; x < a.width() - 2; ++x)
      if (a.pixel(x, y) != b.pixel(x, y)) return false;
  return true;
}

// Checks, each time a dialog is about to open, that the window already shows
// the mirror as it stands then.
class CheckingPrompts : public RecordingPrompts {
 public:
  explicit CheckingPrompts(const Form1*& window) : window_(window) {}
  void message(std::string_view text) override {
    check();
    RecordingPrompts::message(text);
  }
  std::optional<std::string> askBlankLetter() override {
    check();
    return RecordingPrompts::askBlankLetter();
  }
  int mismatches = 0, checks = 0;

 private:
  void check() {
    if (!window_) return;
    ++checks;
    const Form& f = window_->game().form;
    for (int n = 0; n < kTilePictures; ++n) {
      const TileWidget* t = window_->imgTile[n];
      if (t->isVisibleTo(window_) != f.imgTile[n].Visible ||
          (f.imgTile[n].Visible &&
           t->pos() != QPoint(pix(f.imgTile[n].Left), pix(f.imgTile[n].Top))))
        ++mismatches;
    }
  }
  const Form1*& window_;
};

}  // namespace

class TestView : public QObject {
  Q_OBJECT

  QTemporaryDir config_;

  WordFile words_{
      "at\ncat\ncats\nact\nacts\nscat\ntact\narc\narcs\ncar\ncars\nscar\nrat\nrats\n"
      "star\ntar\ntars\nart\narts\ntsar\ncart\ncarts\nairts\nastir\nstair\nsitar\n"};

 private slots:
  void initTestCase() { qputenv("XDG_CONFIG_HOME", QFile::encodeName(config_.path())); }

  void blanksLookApartFromTiles() {
    const int q = 16;
    const QImage tile = tilePicture(q, 1).toImage();
    const QImage blank = tilePicture(q, 1, TileLook::kBlankAsLetter).toImage();
    QVERIFY(tile != blank);
    // Different faces, and a blank shows no points at its bottom right,
    // where the tile shows them.
    QVERIFY(tile.pixelColor(3, 12) != blank.pixelColor(3, 12));
    QVERIFY(darkRows(tile, 9, 13, 9) >= 4);
    QCOMPARE(darkRows(tilePicture(0, 1, TileLook::kBlankAsLetter).toImage(), 12, 13, 8, 12), 0);
    QVERIFY(darkRows(tilePicture(0, 1).toImage(), 12, 13, 8, 12) > 0);

    // On the main board: a blank named "q" is drawn as a blank.
    TestForm t(words_.fsPath());
    auto& [cache, prompts, w] = t;
    w.show();
    setPlayers(w, 2, 1);
    prompts.blankAnswers.push_back("q");
    dragTileTo(w, kFirstBlank, squarePoint(7, 7));
    TileWidget* named = w.imgTile[kFirstBlankLetter + q];
    QVERIFY(named->isVisible());
    QCOMPARE(named->look(), TileLook::kBlankAsLetter);
    QVERIFY(
        sameInside(named->grab().toImage(),
                   tilePicture(q, named->devicePixelRatioF(), TileLook::kBlankAsLetter).toImage()));
    QCOMPARE(w.imgTile[69]->look(), TileLook::kTile);  // the real "q"
  }

  void previewMarksTheTilesToLayAndCommittedBlanks() {
    TestForm t(words_.fsPath());
    auto& [cache, prompts, w] = t;
    w.show();
    setPlayers(w, 2, 1);
    // C, a blank as "a", T.
    dragTileTo(w, 11, squarePoint(7, 6));
    prompts.blankAnswers.push_back("a");
    dragTileTo(w, kFirstBlank, squarePoint(7, 7));
    dragTileTo(w, 80, squarePoint(7, 8));
    QTest::mouseClick(w.cmdUse1, Qt::LeftButton);
    typeInto(w.txtRack, "s");
    QTest::mouseClick(w.cmdFindWords, Qt::LeftButton);

    const Form& f = w.game().form;
    int marked = 0;
    for (int n = 0; n < kPreviewPictures; ++n) {
      TileWidget* t = w.imgTile1[n];
      QCOMPARE(t->marked(), f.imgTile1[n].New);
      QCOMPARE(t->look() == TileLook::kBlankAsLetter, f.imgTile1[n].Blank);
      if (t->isVisibleTo(&w) && t->marked()) {
        ++marked;
        QVERIFY(t->toolTip().contains("lay this tile"));
        QVERIFY(sameInside(
            t->grab().toImage(),
            tilePicture(previewLetter(n), t->devicePixelRatioF(), t->look(), true).toImage()));
      }
    }
    QVERIFY(marked > 0);
    const Grid laid = previewNewView(f);
    int count = 0;
    for (const auto& row : laid)
      for (char ch : row) count += ch != '.';
    QCOMPARE(count, marked);
    // The committed blank's mirror is a blank, unmarked.
    TileWidget* mirror = w.imgTile1[previewPictureOfTile(kFirstBlankLetter + 0)];
    QVERIFY(mirror->isVisible());
    QCOMPARE(mirror->look(), TileLook::kBlankAsLetter);
    QVERIFY(!mirror->marked());
    QVERIFY(tilePicture(18, 1, TileLook::kTile, true).toImage() != tilePicture(18, 1).toImage());
  }

  void everyDialogOpensOverTheStateItSpeaksOf() {
    WordListCache cache(words_.fsPath());
    const Form1* shown = nullptr;
    CheckingPrompts prompts(shown);
    Form1 w(cache, &prompts);
    shown = &w;
    w.show();
    setPlayers(w, 2, 1);
    // The blank dialog opens once the blank lies on its square.
    prompts.blankAnswers.push_back("s");
    dragTileTo(w, kSecondBlank, squarePoint(7, 7));
    QCOMPARE(prompts.blankDialogs, 1);
    // A refused move (two tiles apart) and USE pressed twice.
    dragTileTo(w, 0, squarePoint(0, 0));
    QTest::mouseClick(w.cmdUse1, Qt::LeftButton);
    QTest::mouseClick(w.cmdUse1, Qt::LeftButton);
    QVERIFY(prompts.messages.size() >= 2);
    QVERIFY(prompts.checks >= 3);
    QCOMPARE(prompts.mismatches, 0);
  }

  void theTurnReadsAtAGlance() {
    TestForm t(words_.fsPath());
    auto& [cache, prompts, w] = t;
    w.show();
    setPlayers(w, 3, 2);
    for (int p = 0; p < kPlayers; ++p) {
      QCOMPARE(w.lblTurnRow[p]->isVisible(), p == 0);
      QCOMPARE(w.lblYou[p]->isVisible(), p == 1);
    }
    QCOMPARE(w.lblYou[1]->text(), QString("(you)"));
    QVERIFY(w.lblTurnRow[0]->toolTip().contains("turn"));
    QVERIFY(w.lblPlayer[1]->toolTip().contains("you"));
    QVERIFY(!w.lblYou[1]->toolTip().isEmpty());
    QVERIFY(!w.shpUser[1]->toolTip().isEmpty());
    // The band lies behind the row's marks, which stay visible on it.
    QVERIFY(w.lblTurnRow[0]->geometry().contains(w.linPlayer[0]->geometry()));
    QVERIFY(w.lblTurnRow[0]->geometry().contains(w.lblPlayer[0]->geometry()));
    layCat(w);
    QVERIFY(w.lblTurnRow[1]->isVisible() && !w.lblTurnRow[0]->isVisible());
    QVERIFY(w.lblPlayer[1]->toolTip().contains("turn"));

    // The rack box has its caption; the option touches neither the board nor
    // the rack box.
    QCOMPARE(w.lblRack->text(), QString("Rack:"));
    QVERIFY(w.lblRack->geometry().bottom() < w.txtRack->geometry().top());
    const QRect option = w.chkComplete->geometry().adjusted(-1, -1, 1, 1);
    for (QWidget* other :
         {static_cast<QWidget*>(w.imgTilvaneBoard), static_cast<QWidget*>(w.txtRack),
          static_cast<QWidget*>(w.lblRack), static_cast<QWidget*>(w.cmdFindWords)})
      QVERIFY2(!option.intersects(other->geometry()), qPrintable(other->objectName()));
  }

  void pointsAreLegibleAtTheDesignSize() {
    QVERIFY(QFontMetricsF(tilePointsFont()).tightBoundingRect("0123456789").height() >= 7);
    // The blank's lone "0" as painted: at least 7 rows of ink.
    QVERIFY(darkRows(tilePicture(kBlank, 1).toImage(), 0, kTilePixels - 1) >= 7);
    // Two-digit points stay inside the tile's right half and bottom.
    const QImage z = tilePicture(25, 1).toImage();
    QVERIFY(darkRows(z, 8, 13, 7) >= 6);
  }

  void rackBoxTakesCapitalsAsSmallLetters() {
    TestForm t(words_.fsPath());
    auto& [cache, prompts, w] = t;
    w.show();
    setPlayers(w, 2, 1);
    typeInto(w.txtRack, "AEIRST");
    QCOMPARE(w.txtRack->text(), QString("aeirst"));
    QTest::mouseClick(w.cmdFindWords, Qt::LeftButton);
    QVERIFY(!w.lblWord[0]->text().isEmpty());
    QCOMPARE(w.game().form.txtRack.Text, std::string("aeirst"));
  }

  void zoomScalesEverythingAndDropsStillLand() {
    for (int percent : {150, 200, 100}) {
      TestForm t(words_.fsPath());
      auto& [cache, prompts, w] = t;
      w.setZoom(percent);
      w.show();
      const qreal z = percent / 100.0;
      QCOMPARE(w.size(), QSize(qRound(658 * z), qRound(620 * z)));
      QCOMPARE(w.cmdUse1->geometry(), QRect(qRound(pix(8895) * z), qRound(pix(1200) * z),
                                            qRound(pix(855) * z), qRound(pix(495) * z)));
      QCOMPARE(w.imgTilvaneBoard->width(), qRound(273 * z));
      QVERIFY(qAbs(w.txtRack->font().pixelSize() - 11 * z) < 1);
      setPlayers(w, 2, 1);
      // A drop on the middle of each square, and on its edges, lands there.
      for (auto [row, col] : {std::pair{7, 6}, {0, 0}, {14, 14}, {3, 11}}) {
        const QPointF middle((px(mainSquareLeft(col)) + 7.5) * z,
                             (px(mainSquareTop(row)) + 7.5) * z);
        dragTileTo(w, 28, middle);
        QCOMPARE(mainBoardView(w.game().form)[row][col], 'e');
        QCOMPARE(w.imgTile[28]->pos(),
                 QPoint(qRound(px(mainSquareLeft(col)) * z), qRound(px(mainSquareTop(row)) * z)));
        QCOMPARE(w.imgTile[28]->size(), QSize(qRound(15 * z), qRound(15 * z)));
        // Near the next square's top left corner.
        const int next = col < 14 ? col + 1 : col - 1;
        const QPointF corner((px(mainSquareLeft(next)) + 3) * z, (px(mainSquareTop(row)) + 3) * z);
        dragTileTo(w, 27, corner);
        QCOMPARE(mainBoardView(w.game().form)[row][next], 'e');
      }
      // The board picture is drawn at the larger size, not blown up.
      const QImage board = w.imgTilvaneBoard->grab().toImage();
      QCOMPARE(board.width(), qRound(273 * z * w.devicePixelRatioF()));
    }
  }

  void zoomIsRememberedAndOnTheViewMenu() {
    const WordLists lists{words_.fsPath(), words_.fsPath()};
    {
      RecordingPrompts prompts;
      AppWindow a(lists, std::nullopt, &prompts);
      QCOMPARE(a.viewMenu->title(), QString("&View"));
      QCOMPARE(a.zoomActions.size(), std::size_t(5));
      a.zoomActions[4]->trigger();
      QCOMPARE(a.form().zoom(), 200);
      QVERIFY(a.zoomActions[4]->isChecked() && !a.zoomActions[0]->isChecked());
    }
    {
      RecordingPrompts prompts;
      AppWindow a(lists, std::nullopt, &prompts);
      QCOMPARE(a.form().zoom(), 200);
      QVERIFY(a.zoomActions[4]->isChecked());
      a.setZoom(100);
      QCOMPARE(a.form().size(), QSize(658, 620));
    }
    Settings odd = Settings::load();
    odd.zoomPercent = 110;  // not a step: the design's size
    odd.save();
    RecordingPrompts prompts;
    AppWindow a(lists, std::nullopt, &prompts);
    QCOMPARE(a.form().zoom(), 100);
    // Quit closes the whole window.
    a.show();
    QTest::mouseClick(a.form().cmdQuit, Qt::LeftButton);
    QVERIFY(!a.isVisible());
  }
};

QTEST_MAIN(TestView)
#include "view_test.moc"
