// Game files on the disk: writing them so that no crash loses one, the
// autosave and what the program finds of it at start.
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ctime>

#include "moves/game_file.h"

namespace tilvan {

std::optional<std::string> writeFileAtomically(const std::filesystem::path& given,
                                               std::string_view text) {
  // A symbolic link is written through: the file it leads to is replaced
  // and the link stays. Only a regular file is ever replaced.
  std::error_code error;
  std::filesystem::path path = given;
  if (std::filesystem::is_symlink(given, error)) {
    std::filesystem::path target = std::filesystem::read_symlink(given, error);
    if (!error && target.is_relative()) target = given.parent_path() / target;
    if (!error) path = std::filesystem::weakly_canonical(target, error);
    if (error) return "cannot follow the link: " + error.message();
  }
  const auto status = std::filesystem::status(path, error);
  if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status))
    return std::string("it is not a regular file");
  const std::filesystem::path folder = path.parent_path().empty() ? "." : path.parent_path();
  const std::filesystem::path temp =
      folder / ("." + path.filename().string() + ".tmp" + std::to_string(::getpid()));
  const auto failed = [&](const char* what) {
    const std::string why = std::string(what) + ": " + std::strerror(errno);
    ::unlink(temp.c_str());
    return why;
  };
  const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return failed("cannot create a file in its folder");
  for (std::size_t done = 0; done < text.size();) {
    const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      const std::string why = failed("cannot write");
      ::close(fd);
      return why;
    }
    done += static_cast<std::size_t>(n);
  }
  if (::fsync(fd) != 0) {
    const std::string why = failed("cannot write it to the disk");
    ::close(fd);
    return why;
  }
  if (::close(fd) != 0) return failed("cannot write it to the disk");
  if (::rename(temp.c_str(), path.c_str()) != 0) return failed("cannot replace the old file");
  // The rename itself reaches the disk with the folder.
  if (const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
  return std::nullopt;
}

void autosave(Game& game, Prompts& prompts) {
  if (!game.autosavePath) return;
  const auto why = writeFileAtomically(*game.autosavePath, gameFileText(game));
  if (why && !game.autosaveFailing)
    prompts.message("The game could not be saved to \"" + game.autosavePath->string() +
                    "\": " + *why + ". It is kept, and saved again at the next change.");
  game.autosaveFailing = why.has_value();
}

AutosaveFound findAutosave(const std::filesystem::path& path) {
  std::error_code error;
  if (!std::filesystem::exists(std::filesystem::symlink_status(path, error)))
    return {AutosaveFound::kNothing, ""};
  const auto text = readFileBytes(path, kMaxGameFileBytes);
  if (!text.ok()) return {AutosaveFound::kBad, text.error().reason};
  const auto saved = parseGameFile(text.value());
  if (!saved.ok()) return {AutosaveFound::kBad, saved.error().reason};
  const std::vector<Turn>& turns = saved.value().turns;
  return {!turns.empty() && !gameEnded(turns) ? AutosaveFound::kUnfinished
                                               : AutosaveFound::kFinished,
          ""};
}

Result<std::filesystem::path> setAside(const std::filesystem::path& path) {
  struct stat st {};
  const std::time_t written = ::lstat(path.c_str(), &st) == 0 ? st.st_mtime : std::time(nullptr);
  std::tm local{};
  ::localtime_r(&written, &local);
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "%Y-%m-%dT%H-%M-%S", &local);
  const std::string stem = path.stem().string() + "-" + stamp;
  for (int n = 1; n < 1000; ++n) {
    std::filesystem::path aside = path;
    aside.replace_filename(stem + (n > 1 ? "-" + std::to_string(n) : "") +
                           path.extension().string());
    std::error_code error;
    if (std::filesystem::exists(std::filesystem::symlink_status(aside, error))) continue;
    // A name taken meanwhile is not replaced.
    if (::renameat2(AT_FDCWD, path.c_str(), AT_FDCWD, aside.c_str(), RENAME_NOREPLACE) == 0)
      return aside;
    if (errno != EEXIST) return FileError{path.string(), std::strerror(errno)};
  }
  return FileError{path.string(), "every name to keep it under is taken"};
}

}  // namespace tilvan
