#include "platform/lottery_folder.h"

#include <map>

#include <gtest/gtest.h>

#include "support/test_folder.h"

namespace bw {
namespace {

namespace fs = std::filesystem;
using Environment = std::map<std::string, std::string>;

EnvironmentLookup From(const Environment& values) {
  return [values](const std::string& name) -> std::optional<std::string> {
    const auto it = values.find(name);
    if (it == values.end()) return std::nullopt;
    return it->second;
  };
}

// Three program layouts under one root: a portable copy that also has
// installed data beside it, an installed program, and a bare program folder.
class ProgramLayouts : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* folder : {"portable/bin", "portable/share/ballwright", "usr/bin",
                               "usr/share/ballwright", "bare/bin", "home", "data"}) {
      fs::create_directories(root_ / folder);
    }
    root_.Write("portable/bin/vomrix.ini", "file=Sample.opt\r\n");
    fs::copy(BALLWRIGHT_DEMO_DIR, root_ / "usr/share/ballwright");
  }
  fs::path At(const std::string& relative) const { return root_ / relative; }
  fs::path UserFolder() const { return At(kUserFolder); }
  // The variable naming the user's data folder of this system.
  Environment UserEnvironment() const {
#ifdef _WIN32
    return {{ "APPDATA", At("home/AppData").string() }};
#else
    return {{"HOME", At("home").string()}};
#endif
  }

#ifdef _WIN32
  static constexpr const char* kUserFolder = "home/AppData/Ballwright";
#else
  static constexpr const char* kUserFolder = "home/.local/share/Ballwright";
#endif

  test::TestFolder root_;
};

TEST_F(ProgramLayouts, TheFolderFollowsTheProgramLayoutAndTheEnvironment) {
  const std::string home = At("home").string(), data = At("data").string();
  const fs::path installedHelp = At("usr/share/ballwright/vomrix.HLP");
  struct Case {
    const char* what;
    std::optional<fs::path> given;
    fs::path program;
    Environment environment;
    fs::path folder, help;  // folder empty: an error
    bool seed;
  } cases[] = {
      {"portable copy, even beside installed data",
       {},
       At("portable/bin"),
       {{"HOME", home}},
       At("portable/bin"),
       At("portable/bin/vomrix.HLP"),
       false},
      {"bare program folder keeps today's place",
       {},
       At("bare/bin"),
       {{"HOME", home}},
       At("bare/bin"),
       At("bare/bin/vomrix.HLP"),
       false},
      {"--folder wins, help stays installed",
       At("data"),
       At("usr/bin"),
       {{"HOME", home}},
       At("data"),
       installedHelp,
       false},
#ifdef _WIN32
      {"installed: APPDATA",
       {},
       At("usr/bin"),
       {{"APPDATA", data}},
       At("data/Ballwright"),
       installedHelp,
       true},
      {"installed: no APPDATA", {}, At("usr/bin"), {{"HOME", home}}, {}, {}, false},
#else
      {"installed: XDG_DATA_HOME",
       {},
       At("usr/bin"),
       {{"HOME", home}, {"XDG_DATA_HOME", data}},
       At("data/Ballwright"),
       installedHelp,
       true},
      {"installed, trailing separator, relative XDG_DATA_HOME ignored",
       {},
       At("usr/bin").string() + "/",
       {{"HOME", home}, {"XDG_DATA_HOME", "rel"}},
       UserFolder(),
       installedHelp,
       true},
      {"installed: no HOME", {}, At("usr/bin"), {{"HOME", ""}}, {}, {}, false},
#endif
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const LotteryFolder place = ChooseLotteryFolder(c.given, c.program, From(c.environment));
    EXPECT_EQ(place.error.empty(), !c.folder.empty()) << place.error;
    if (c.folder.empty()) continue;
    EXPECT_EQ(place.folder, c.folder);
    EXPECT_EQ(place.helpFile, c.help);
    EXPECT_EQ(place.seedFromInstalledData, c.seed);
    EXPECT_FALSE(fs::exists(place.folder / "Sample.opt"));  // choosing writes nothing
  }
}

TEST_F(ProgramLayouts, FirstStartPlacesTheDemoAndNeverReplacesAUsersFile) {
  struct Case {
    const char* what;
    std::map<std::string, std::string> before;  // the user's files
    std::map<std::string, std::string> after;   // "" = the demo's copy, "-" = absent
  } cases[] = {
      {"first start", {}, {{"vomrix.ini", ""}, {"Sample.opt", ""}, {"Sample.ini", ""}}},
      {"own Sample.opt before the first start",
       {{"Sample.opt", "mine\r\n"}},
       {{"vomrix.ini", ""}, {"Sample.opt", "mine\r\n"}, {"Sample.ini", ""}}},
      {"later start: the user removed the demo",
       {{"vomrix.ini", "file=Mine.opt\r\n"}, {"Mine.opt", "x\r\n"}},
       {{"vomrix.ini", "file=Mine.opt\r\n"}, {"Mine.opt", "x\r\n"}, {"Sample.opt", "-"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove_all(UserFolder());
    fs::create_directories(UserFolder());
    for (const auto& [name, bytes] : c.before) root_.Write(kUserFolder + ("/" + name), bytes);
    const LotteryFolder place = ChooseLotteryFolder({}, At("usr/bin"), From(UserEnvironment()));
    ASSERT_EQ(PrepareLotteryFolder(place), "");
    for (const auto& [name, bytes] : c.after) {
      const std::string demo = root_.Read("usr/share/ballwright/" + name);
      const std::string found = root_.Read(kUserFolder + ("/" + name));
      EXPECT_EQ(found, bytes == "-" ? "" : bytes.empty() ? demo : bytes) << name;
    }
    EXPECT_FALSE(fs::exists(UserFolder() / "vomrix.HLP"));  // read from the installed data
  }
}

TEST_F(ProgramLayouts, AFileInTheWayOfTheUserFolderIsAnError) {
  fs::create_directories(UserFolder().parent_path());
  root_.Write(kUserFolder, "keep");
  const LotteryFolder place = ChooseLotteryFolder({}, At("usr/bin"), From(UserEnvironment()));
  EXPECT_NE(PrepareLotteryFolder(place).find("Ballwright"), std::string::npos);
  EXPECT_EQ(root_.Read(kUserFolder), "keep");
}

}  // namespace
}  // namespace bw
