#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "objects/FileFunctions.h"
#include "platform/FileSystem.h"

namespace {

namespace fs = std::filesystem;

// A resource root of its own under the system temp folder, so that the paths
// the level code builds ("..\\..\\Resources\\...") land somewhere disposable.
class FileFunctionsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::random_device random;
    mRoot = fs::temp_directory_path() / ("tidewater-files-" + std::to_string(random()) + std::to_string(random()));
    ASSERT_TRUE(fs::create_directories(mRoot / "Levels" / "Ship" / "Archetypes"));
    Platform::SetResourceRoot(mRoot.string());
  }
  void TearDown() override {
    Platform::SetResourceRoot("");
    std::error_code ignored;
    fs::remove_all(mRoot, ignored);
  }
  void Write(const fs::path& relative, const std::string& text) { std::ofstream(mRoot / relative) << text; }

  fs::path mRoot;
  const std::wstring mShip = L"..\\..\\Resources\\Levels\\Ship";
  const std::wstring mArchetypes = mShip + L"\\Archetypes\\";
};

TEST_F(FileFunctionsTest, ListsArchetypeFolderAsBackslashJoinedPaths) {
  Write("Levels/Ship/Archetypes/Door.ARC", "door");
  Write("Levels/Ship/Archetypes/notes.txt", "notes");
  Write("Levels/Ship/Archetypes/Crate.arc", "crate");
  fs::create_directory(mRoot / "Levels" / "Ship" / "Archetypes" / "Old.arc");

  const std::vector<std::wstring> expected{mArchetypes + L"Crate.arc", mArchetypes + L"Door.ARC",
                                           mArchetypes + L"notes.txt"};
  EXPECT_EQ(GetFilesInWindowsDirectory(mArchetypes), expected);

  // Each returned path opens the file it names.
  std::ifstream crate(Platform::NativePath(expected.front()));
  std::string text;
  crate >> text;
  EXPECT_EQ(text, "crate");

  EXPECT_TRUE(GetFilesInWindowsDirectory(mShip + L"\\Missing\\").empty());
  EXPECT_TRUE(GetFilesInWindowsDirectory(L"..\\..\\Resources\\Levels\\").empty());
}

TEST_F(FileFunctionsTest, NonAsciiFileNamesSurviveTheRoundTrip) {
  const std::string name = "\xC3\xA9pave.arc";  // a UTF-8 name on disk
  Write(fs::path("Levels/Ship/Archetypes") / name, "wreck");

  const std::vector<std::wstring> files = GetFilesInWindowsDirectory(mArchetypes);
  ASSERT_EQ(files.size(), 1U);
  EXPECT_EQ(NarrowName(files[0].substr(mArchetypes.size())), name);
  std::ifstream wreck(Platform::NativePath(files[0]));
  std::string text;
  wreck >> text;
  EXPECT_EQ(text, "wreck");
}

TEST_F(FileFunctionsTest, FoldersAreTestedAndMadeOneAtATime) {
  Write("Levels/Ship/Ship.txt", "");
  EXPECT_TRUE(DirExists(mShip));
  EXPECT_FALSE(DirExists(mShip + L"\\Ship.txt"));
  EXPECT_FALSE(DirExists(L"..\\..\\Resources\\Levels\\Hull"));

  // Parents are not made, and an existing folder is a failure.
  EXPECT_EQ(MakeDir(L"..\\..\\Resources\\Levels\\Hull\\Archetypes"), 0);
  EXPECT_FALSE(DirExists(L"..\\..\\Resources\\Levels\\Hull"));
  EXPECT_NE(MakeDir(L"..\\..\\Resources\\Levels\\Hull"), 0);
  EXPECT_TRUE(fs::is_directory(mRoot / "Levels" / "Hull"));
  EXPECT_EQ(MakeDir(L"..\\..\\Resources\\Levels\\Hull"), 0);
}

TEST(NameWidthTest, CharactersCrossWidthsByteForByte) {
  EXPECT_EQ(Wide_to_String(L'S'), 'S');
  EXPECT_EQ(Wide_to_String(static_cast<wchar_t>(0x1E9)), '\xE9');
  EXPECT_EQ(Wide_to_String(static_cast<wchar_t>(-23)), '\xE9');

  // A byte of 128 or more widens as a negative signed char.
  const std::wstring wide = WidenName("Ship\xE9");
  ASSERT_EQ(wide.size(), 5U);
  EXPECT_EQ(wide.substr(0, 4), L"Ship");
  EXPECT_EQ(wide[4], static_cast<wchar_t>(-23));
  EXPECT_EQ(NarrowName(wide), "Ship\xE9");
  EXPECT_EQ(NarrowName(L"Crate\u0141"), "CrateA");
  EXPECT_TRUE(WidenName("").empty());
}

}  // namespace
