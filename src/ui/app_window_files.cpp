// The window's game files: Open, Save and Save As, and the autosave found
// at start (resumed, or set aside when declined or unreadable).
#include <QFileDialog>
#include <QMenu>

#include "game/handlers.h"
#include "moves/game_file.h"
#include "ui/app_window.h"
#include "ui/main_window.h"
#include "ui/paths.h"

namespace tilvan::ui {

void AppWindow::addFileActions(QMenu* game) {
  actOpen = game->addAction(QStringLiteral("Open…"));
  actOpen->setShortcut(QKeySequence::Open);
  connect(actOpen, &QAction::triggered, this, &AppWindow::pickGameToOpen);
  actSave = game->addAction(QStringLiteral("Save"));
  actSave->setShortcut(QKeySequence::Save);
  connect(actSave, &QAction::triggered, this, [this] {
    if (gameFile_)
      saveGameFile(*gameFile_);
    else
      saveAs();
  });
  actSaveAs = game->addAction(QStringLiteral("Save As…"));
  connect(actSaveAs, &QAction::triggered, this, &AppWindow::saveAs);
  game->addSeparator();
}

namespace {
const QString kGameFiles = QStringLiteral("TILVAN games (*.tilvan *.json);;All files (*)");
}

void AppWindow::pickGameToOpen() {
  if (!mayReplaceGame()) return;
  const QString file =
      QFileDialog::getOpenFileName(this, QStringLiteral("Open Game"), {}, kGameFiles);
  if (!file.isEmpty()) openGameFile(toPath(file));
}

void AppWindow::saveAs() {
  QFileDialog dialog(this, QStringLiteral("Save Game"), {}, kGameFiles);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(QStringLiteral("tilvan"));
  if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
    saveGameFile(toPath(dialog.selectedFiles().first()));
}

bool AppWindow::openGameFile(const std::filesystem::path& path) {
  bool opened = false;
  form_->run([&](Game& g, Prompts& p) { opened = tilvan::openGame(g, p, path); });
  if (opened) {
    gameFile_ = path;
    rememberSaved();
  }
  return opened;
}

bool AppWindow::saveGameFile(const std::filesystem::path& path) {
  bool saved = false;
  form_->run([&](Game& g, Prompts& p) { saved = tilvan::saveGame(g, p, path); });
  if (saved) {
    gameFile_ = path;
    rememberSaved();
  }
  return saved;
}

std::filesystem::path AppWindow::defaultAutosavePath() {
  // A relative path in the variable is no path at all.
  const std::filesystem::path state = qgetenv("XDG_STATE_HOME").toStdString();
  const std::filesystem::path base =
      state.is_absolute() ? state
                          : std::filesystem::path(QDir::homePath().toStdString()) / ".local/state";
  return base / "tilvan" / "autosave.json";
}

void AppWindow::autosaveTo(const std::filesystem::path& path, bool offerResume) {
  std::error_code ignored;  // a folder that cannot be made is said at the first save
  std::filesystem::create_directories(path.parent_path(), ignored);
  form_->run([&](Game& g, Prompts& p) {
    const AutosaveFound found = findAutosave(path);
    std::optional<std::string> bad;
    if (found.kind == AutosaveFound::kBad) bad = found.why;
    bool aside = found.kind == AutosaveFound::kUnfinished;
    if (aside && offerResume &&
        p.confirmYesFirst("An unfinished game was saved when the program last ran. Resume it?")) {
      bad = loadGameFile(g, path);
      aside = bad.has_value();
    }
    if (bad || aside) {
      const auto kept = setAside(path);
      if (bad) {
        const std::string where = kept.ok() ? "It is kept as \"" + kept.value().string() + "\"."
                                            : "It could not be set aside: " +
                                                  kept.error().reason + ".";
        p.message("The game saved when the program last ran cannot be opened: " + *bad + ". " +
                  where);
      }
    }
    g.autosavePath = path;
  });
}

}  // namespace tilvan::ui
