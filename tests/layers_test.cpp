// The folders of src/ point one way: game/ is the ground floor and includes
// nothing from the folders built on it, and no part of the core includes the
// window or the command line. A stray include fails here.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace tilvan {
namespace {

namespace fs = std::filesystem;

// The folders each folder of src/ may include from (besides itself).
const std::map<std::string, std::set<std::string>>& allowedIncludes() {
  static const std::map<std::string, std::set<std::string>> allowed = {
      {"game", {"words"}},
      {"words", {"game"}},
      {"finder", {"game", "words", "board"}},
      {"board", {"game", "words"}},
      {"moves", {"game", "words", "board"}},
      {"play", {"game", "words", "finder", "board", "moves"}},
      {"cli", {"game", "words", "finder", "board", "moves", "play"}},
      {"ui", {"game", "words", "finder", "board", "moves", "play"}},
  };
  return allowed;
}

// "file: includes folder/..." for every include of a project header that
// crosses the lines above, in the tree below `root`.
std::vector<std::string> layerViolations(const fs::path& root) {
  static const std::regex include(R"(^\s*#\s*include\s*"([A-Za-z0-9_]+)/[^"]*")");
  std::vector<std::string> out;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    const fs::path& p = entry.path();
    if (!entry.is_regular_file() || (p.extension() != ".h" && p.extension() != ".cpp")) continue;
    const std::string folder = p.lexically_relative(root).begin()->string();
    const auto rule = allowedIncludes().find(folder);
    std::ifstream in(p);
    std::string line;
    std::smatch m;
    while (std::getline(in, line)) {
      if (!std::regex_search(line, m, include) || m[1] == folder) continue;
      if (rule == allowedIncludes().end() || !rule->second.count(m[1]))
        out.push_back(p.lexically_relative(root).string() + ": includes " + m[1].str() + "/");
    }
  }
  return out;
}

TEST(Layers, IncludesPointOneWay) {
  const std::vector<std::string> violations = layerViolations(TILVAN_SOURCE_DIR);
  EXPECT_TRUE(violations.empty()) << ::testing::PrintToString(violations);
}

TEST(Layers, ACrossingIncludeIsCaught) {
  const fs::path root = fs::temp_directory_path() / "tilvan_layers_test";
  fs::remove_all(root);
  fs::create_directories(root / "game");
  fs::create_directories(root / "finder");
  std::ofstream(root / "game" / "game_state.h") << "#include \"game/rules.h\"\n"
                                                << "#include \"finder/results.h\"\n";
  std::ofstream(root / "finder" / "search.cpp") << "  #  include \"ui/window.h\"\n"
                                                << "#include <vector>\n";
  auto violations = layerViolations(root);
  std::sort(violations.begin(), violations.end());
  EXPECT_EQ(violations, (std::vector<std::string>{"finder/search.cpp: includes ui/",
                                                  "game/game_state.h: includes finder/"}));
  fs::remove_all(root);
}

}  // namespace
}  // namespace tilvan
