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

  fs::path mRoot;
  const std::wstring mShip = L"..\\..\\Resources\\Levels\\Ship";
  const std::wstring mArchetypes = mShip + L"\\Archetypes\\";
};

TEST_F(FileFunctionsTest, ListsTheFilesOfAFolderAsBackslashJoinedPathsThatOpen) {
  const std::string name = "\xC3\xA9pave.arc";  // a UTF-8 name on disk
  std::ofstream(mRoot / "Levels/Ship/Archetypes" / name) << "wreck";
  std::ofstream(mRoot / "Levels/Ship/Archetypes/Door.ARC") << "door";
  fs::create_directory(mRoot / "Levels/Ship/Archetypes/Old.arc");

  const std::vector<std::wstring> files = GetFilesInWindowsDirectory(mArchetypes);
  ASSERT_EQ(files.size(), 2U);
  EXPECT_EQ(files[0], mArchetypes + L"Door.ARC");
  EXPECT_EQ(NarrowName(files[1].substr(mArchetypes.size())), name);
  std::ifstream wreck(Platform::NativePath(files[1]));
  std::string text;
  wreck >> text;
  EXPECT_EQ(text, "wreck");

  EXPECT_TRUE(GetFilesInWindowsDirectory(mShip + L"\\Missing\\").empty());
}

TEST_F(FileFunctionsTest, FoldersAreTestedAndMadeOneAtATime) {
  std::ofstream(mRoot / "Levels/Ship/Ship.txt") << "";
  EXPECT_TRUE(DirExists(mShip));
  EXPECT_FALSE(DirExists(mShip + L"\\Ship.txt"));

  // Parents are not made, and an existing folder is a failure.
  EXPECT_EQ(MakeDir(L"..\\..\\Resources\\Levels\\Hull\\Archetypes"), 0);
  EXPECT_FALSE(DirExists(L"..\\..\\Resources\\Levels\\Hull"));
  EXPECT_NE(MakeDir(L"..\\..\\Resources\\Levels\\Hull"), 0);
  EXPECT_TRUE(fs::is_directory(mRoot / "Levels" / "Hull"));
  EXPECT_EQ(MakeDir(L"..\\..\\Resources\\Levels\\Hull"), 0);
}

}  // namespace
