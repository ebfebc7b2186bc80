#include "ui/score_sheet.h"

#include <QBrush>
#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>

#include "game/handlers.h"
#include "game/standings.h"

namespace tilvan::ui {
namespace {

// Then one column per player: their running total on the rows of their turns.
enum Column { kTurn, kPlayer, kWords, kPosition, kScore, kFirstPlayer };

QTableWidgetItem* cell(const QString& text, bool editable = false) {
  auto* item = new QTableWidgetItem(text);
  item->setFlags(editable ? item->flags() | Qt::ItemIsEditable
                          : item->flags() & ~Qt::ItemIsEditable);
  return item;
}

QString wordsOf(const Turn& t) {
  switch (t.kind) {
    case TurnKind::kPass:
      return QStringLiteral("pass / exchange");
    case TurnKind::kEnd:
      return QStringLiteral("end of game: tiles left");
    case TurnKind::kMove:
      break;
  }
  QStringList words;
  for (const std::string& w : t.words) words << QString::fromLatin1(w.c_str()).toUpper();
  return words.join(QStringLiteral(", "));
}

}  // namespace

QString positionName(const Turn& t) {
  if (t.kind != TurnKind::kMove) return {};
  return QString::fromStdString(placeName(t.row, t.col, t.down));
}

ScoreSheet::ScoreSheet(const Game& game, Run run, QWidget* parent)
    : QDialog(parent), game_(game), run_(std::move(run)) {
  setObjectName(QStringLiteral("frmScoreSheet"));
  setWindowTitle(QStringLiteral("Score sheet"));
  table = new QTableWidget(0, kFirstPlayer, this);
  table->setObjectName(QStringLiteral("tblTurns"));
  table->verticalHeader()->hide();
  table->setToolTip(QStringLiteral("Double-click a score to correct it"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(table);
  resize(720, 440);
  connect(table, &QTableWidget::cellChanged, this, &ScoreSheet::scoreEdited);
  refresh();
}

namespace {

const QColor kUserColumn(0xff, 0xf6, 0xc8), kCorrected(0xff, 0xd8, 0xa8), kWinner(0xbf, 0xe8, 0xb0);

}  // namespace

void ScoreSheet::fillHeader(int players) {
  table->setColumnCount(kFirstPlayer + players);
  QStringList names = {QStringLiteral("Turn"), QStringLiteral("Player"), QStringLiteral("Word(s)"),
                       QStringLiteral("Position"), QStringLiteral("Score")};
  for (int p = 0; p < players; ++p)
    names << (p + 1 == game_.state.UserTurn ? QStringLiteral("Player %1 (you)").arg(p + 1)
                                            : QStringLiteral("Player %1").arg(p + 1));
  table->setHorizontalHeaderLabels(names);
  // Every column as wide as its contents; the words take what is left.
  table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  table->horizontalHeader()->setSectionResizeMode(kWords, QHeaderView::Stretch);
}

void ScoreSheet::refresh() {
  filling_ = true;
  const std::vector<Turn>& turns = game_.state.Turns;
  int players = game_.state.NumPlayers;
  for (const Turn& t : turns)
    players = std::max(players, std::clamp(t.player, 0, kPlayers - 1) + 1);
  fillHeader(players);
  const Standings ending = standings(turns, players);
  const int rows = static_cast<int>(turns.size());
  table->setRowCount(rows + (ending.over ? 1 : 0));
  std::array<Total, kPlayers> running{};
  for (int i = 0; i < rows; ++i) {
    const Turn& t = turns[static_cast<std::size_t>(i)];
    const int p = std::clamp(t.player, 0, kPlayers - 1);
    running[p] += t.recorded();
    table->setItem(i, kTurn, cell(QString::number(i + 1)));
    table->setItem(i, kPlayer, cell(QString::number(t.player + 1)));
    table->setItem(i, kWords, cell(wordsOf(t)));
    table->setItem(i, kPosition, cell(positionName(t)));
    QTableWidgetItem* scoreCell = cell(QString::number(t.recorded()), true);
    if (t.corrected) {
      scoreCell->setToolTip(QStringLiteral("Corrected; by the rules %1").arg(t.score));
      scoreCell->setBackground(kCorrected);
      QFont f = scoreCell->font();
      f.setItalic(true);
      scoreCell->setFont(f);
    }
    table->setItem(i, kScore, scoreCell);
    for (int q = 0; q < players; ++q)
      table->setItem(i, kFirstPlayer + q, cell(q == p ? QString::number(running[p]) : QString()));
  }
  if (ending.over) fillFinalRow(rows, ending, players);
  for (int r = 0; r < table->rowCount(); ++r)
    if (QTableWidgetItem* c = table->item(r, kFirstPlayer + game_.state.UserTurn - 1);
        c && game_.state.UserTurn > 0 && c->background() == QBrush())
      c->setBackground(kUserColumn);
  filling_ = false;
}

void ScoreSheet::fillFinalRow(int row, const Standings& ending, int players) {
  QStringList winners;
  for (int p : ending.leaders) winners << QString::number(p + 1);
  const QString who =
      ending.leaders.size() == 1
          ? QStringLiteral("Winner: player %1").arg(winners.front())
          : QStringLiteral("A tie: players %1").arg(winners.join(QStringLiteral(" and ")));
  table->setItem(row, kTurn, cell(QStringLiteral("Final")));
  table->setItem(row, kPlayer, cell(QString()));
  table->setItem(row, kWords, cell(who));
  table->setItem(row, kPosition, cell(QString()));
  table->setItem(row, kScore, cell(QString()));
  for (int p = 0; p < players; ++p) {
    QTableWidgetItem* total = cell(QString::number(ending.totals[p]));
    QFont f = total->font();
    f.setBold(true);
    total->setFont(f);
    if (std::find(ending.leaders.begin(), ending.leaders.end(), p) != ending.leaders.end())
      total->setBackground(kWinner);
    table->setItem(row, kFirstPlayer + p, total);
  }
  QFont bold = table->item(row, kWords)->font();
  bold.setBold(true);
  table->item(row, kWords)->setFont(bold);
}

void ScoreSheet::scoreEdited(int row, int column) {
  if (filling_ || column != kScore || row >= static_cast<int>(game_.state.Turns.size())) return;
  bool ok = false;
  const int score = table->item(row, column)->text().trimmed().toInt(&ok);
  if (ok)
    run_([row, score](Game& g, Prompts& p) { adjustScore(g, p, row, score); });
  else
    run_([](Game&, Prompts& p) { p.message("A score is a whole number."); });
  refresh();
}

}  // namespace tilvan::ui
