// Where a game is written: through symbolic links, never over anything but
// a regular file, no temporary file left behind on any failure, and an
// autosave that fails says so once until a save succeeds again.
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>

#include "moves/game_file.h"
#include "moves_fixture.h"

namespace tilvan {
namespace {

namespace fs = std::filesystem;
using test::Messages;
using test::readFile;

// The names in `folder`, sorted.
std::vector<std::string> names(const fs::path& folder) {
  std::vector<std::string> out;
  for (const auto& e : fs::directory_iterator(folder)) out.push_back(e.path().filename());
  std::sort(out.begin(), out.end());
  return out;
}

class SavePaths : public ::testing::Test {
 protected:
  test::TempFile anchor{"", "anchor"};
  fs::path dir = anchor.path().parent_path();
};

TEST_F(SavePaths, ALinkIsWrittenThroughAndStays) {
  fs::create_directory(dir / "games");
  std::ofstream(dir / "games" / "real.json") << "old";
  fs::create_symlink("games/real.json", dir / "link.json");
  EXPECT_EQ(writeFileAtomically(dir / "link.json", "new"), std::nullopt);
  EXPECT_TRUE(fs::is_symlink(dir / "link.json"));
  EXPECT_EQ(readFile(dir / "games" / "real.json"), "new");
  EXPECT_EQ(names(dir / "games"), std::vector<std::string>{"real.json"});
  // A link to a file not there yet makes it.
  fs::create_symlink("games/later.json", dir / "later-link.json");
  EXPECT_EQ(writeFileAtomically(dir / "later-link.json", "made"), std::nullopt);
  EXPECT_TRUE(fs::is_symlink(dir / "later-link.json"));
  EXPECT_EQ(readFile(dir / "games" / "later.json"), "made");
}

TEST_F(SavePaths, NothingButARegularFileIsReplaced) {
  ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
  fs::create_directory(dir / "empty");
  fs::create_directories(dir / "full" / "inside");
  fs::create_symlink("fifo", dir / "fifo-link");
  for (const char* name : {"fifo", "empty", "full", "fifo-link"}) {
    SCOPED_TRACE(name);
    const auto why = writeFileAtomically(dir / name, "text");
    ASSERT_TRUE(why);
    EXPECT_EQ(*why, "it is not a regular file");
  }
  EXPECT_TRUE(fs::is_fifo(dir / "fifo"));
  EXPECT_TRUE(fs::is_directory(dir / "empty"));
  EXPECT_TRUE(fs::is_symlink(dir / "fifo-link"));
  EXPECT_EQ(names(dir), (std::vector<std::string>{"anchor", "empty", "fifo", "fifo-link", "full"}));
}

TEST_F(SavePaths, AFailedAutosaveIsSaidOnceUntilASaveSucceeds) {
  test::StartedGame g(std::vector<std::string>{"cat"});
  g.setPlayers(2, 1);
  g.prompts.take();
  const fs::path folder = dir / "state";
  g.game.autosavePath = folder / "autosave.json";
  const auto said = [&] {
    pressPass(g.game, g.prompts);
    const Messages m = g.prompts.take();
    return std::count_if(m.begin(), m.end(), [](const std::string& text) {
      return text.find("could not be saved") != std::string::npos;
    });
  };
  EXPECT_EQ(said(), 1);  // the folder is missing
  EXPECT_EQ(said(), 0);
  fs::create_directory(folder);
  EXPECT_EQ(said(), 0);
  EXPECT_TRUE(fs::exists(folder / "autosave.json"));
  fs::remove_all(folder);
  EXPECT_EQ(said(), 1);
  EXPECT_EQ(said(), 0);
  if (::geteuid() != 0) {  // a read-only folder binds everyone but root
    fs::create_directory(folder);
    EXPECT_EQ(said(), 0);
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_EQ(said(), 1);
    EXPECT_EQ(said(), 0);
    fs::permissions(folder, fs::perms::owner_all);
    EXPECT_EQ(names(folder), std::vector<std::string>{"autosave.json"});
  }
}

}  // namespace
}  // namespace tilvan
