#include "ui/score_sheet.h"

#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>

#include "game/handlers.h"

namespace tilvan::ui {
namespace {

enum Column { kTurn, kPlayer, kWords, kPosition, kScore, kTotal, kColumns };

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
  const QString row = QString::number(t.row + 1), col = QString(QChar(u'A' + t.col));
  return t.down ? col + row : row + col;
}

ScoreSheet::ScoreSheet(const Game& game, Run run, QWidget* parent)
    : QDialog(parent), game_(game), run_(std::move(run)) {
  setObjectName(QStringLiteral("frmScoreSheet"));
  setWindowTitle(QStringLiteral("Score sheet"));
  table = new QTableWidget(0, kColumns, this);
  table->setObjectName(QStringLiteral("tblTurns"));
  table->setHorizontalHeaderLabels({QStringLiteral("Turn"), QStringLiteral("Player"),
                                    QStringLiteral("Word(s)"), QStringLiteral("Position"),
                                    QStringLiteral("Score"), QStringLiteral("Total")});
  table->verticalHeader()->hide();
  table->horizontalHeader()->setSectionResizeMode(kWords, QHeaderView::Stretch);
  table->setToolTip(QStringLiteral("Double-click a score to correct it"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(table);
  resize(520, 420);
  connect(table, &QTableWidget::cellChanged, this, &ScoreSheet::scoreEdited);
  refresh();
}

void ScoreSheet::refresh() {
  filling_ = true;
  const std::vector<Turn>& turns = game_.state.Turns;
  table->setRowCount(static_cast<int>(turns.size()));
  std::array<Total, kPlayers> running{};
  for (int i = 0; i < static_cast<int>(turns.size()); ++i) {
    const Turn& t = turns[static_cast<std::size_t>(i)];
    const int p = std::clamp(t.player, 0, kPlayers - 1);
    running[p] += t.recorded();
    QString score = QString::number(t.recorded());
    table->setItem(i, kTurn, cell(QString::number(i + 1)));
    table->setItem(i, kPlayer, cell(QString::number(t.player + 1)));
    table->setItem(i, kWords, cell(wordsOf(t)));
    table->setItem(i, kPosition, cell(positionName(t)));
    QTableWidgetItem* scoreCell = cell(score, true);
    if (t.corrected)
      scoreCell->setToolTip(QStringLiteral("Corrected; by the rules %1").arg(t.score));
    table->setItem(i, kScore, scoreCell);
    table->setItem(i, kTotal, cell(QString::number(running[p])));
  }
  filling_ = false;
}

void ScoreSheet::scoreEdited(int row, int column) {
  if (filling_ || column != kScore) return;
  bool ok = false;
  const int score = table->item(row, column)->text().trimmed().toInt(&ok);
  if (ok)
    run_([row, score](Game& g, Prompts& p) { adjustScore(g, p, row, score); });
  else
    run_([](Game&, Prompts& p) { p.message("A score is a whole number."); });
  refresh();
}

}  // namespace tilvan::ui
