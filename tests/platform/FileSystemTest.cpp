#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "platform/FileSystem.h"

namespace {

namespace fs = std::filesystem;

// A fresh folder under the system temp folder, removed with everything in it.
class FileSystemTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::random_device random;
    mRoot = fs::temp_directory_path() / ("tidewater-fs-" + std::to_string(random()) + std::to_string(random()));
    ASSERT_TRUE(fs::create_directory(mRoot));
  }
  void TearDown() override {
    Platform::SetResourceRoot("");
    std::error_code ignored;
    fs::remove_all(mRoot, ignored);
  }
  void Touch(const fs::path& path) { std::ofstream(path) << "x"; }
  [[nodiscard]] std::string Native(const fs::path& path) const { return (mRoot / path).string(); }

  fs::path mRoot;
  Platform::PosixFileSystem mFiles;
};

TEST_F(FileSystemTest, ListsOnlyPlainFilesSortedByName) {
  Touch(mRoot / "b.txt");
  Touch(mRoot / "A.arc");
  Touch(mRoot / ".hidden");
  Touch(mRoot / "a");
  fs::create_directory(mRoot / "Archetypes");
  Touch(mRoot / "Archetypes" / "Crate.arc");
  ASSERT_EQ(::mkfifo(Native("pipe").c_str(), 0600), 0);

  const std::vector<std::string> expected{".hidden", "A.arc", "a", "b.txt"};
  EXPECT_EQ(mFiles.ListFiles(mRoot.string()), expected);
  EXPECT_EQ(mFiles.ListFiles(mRoot.string() + "/"), expected);

  EXPECT_TRUE(mFiles.ListFiles(Native("missing")).empty());
  EXPECT_TRUE(mFiles.ListFiles(Native("b.txt")).empty());
}

TEST_F(FileSystemTest, MakeDirectoryCreatesOneFolderOnly) {
  EXPECT_EQ(mFiles.MakeDirectory(Native("Levels/Ship")), 0);
  EXPECT_FALSE(fs::exists(mRoot / "Levels"));

  EXPECT_NE(mFiles.MakeDirectory(Native("Levels")), 0);
  EXPECT_NE(mFiles.MakeDirectory(Native("Levels/Ship")), 0);
  EXPECT_TRUE(fs::is_directory(mRoot / "Levels" / "Ship"));

  // A folder that is already there, or a file in the way, is a failure.
  EXPECT_EQ(mFiles.MakeDirectory(Native("Levels/Ship")), 0);
  Touch(mRoot / "taken");
  EXPECT_EQ(mFiles.MakeDirectory(Native("taken")), 0);
}

TEST_F(FileSystemTest, EnginePathsBecomeNativePaths) {
  EXPECT_EQ(mFiles.ToNativePath(L"..\\..\\Resources\\Levels\\Ship\\Ship.txt"), "../../Resources/Levels/Ship/Ship.txt");
  EXPECT_EQ(mFiles.ToNativePath(L"Levels/Mixed\\Path"), "Levels/Mixed/Path");
  EXPECT_EQ(mFiles.ToNativePath(L""), "");

  // A widened byte comes back as that byte; a real wide character as UTF-8.
  const std::wstring widened{L'a', static_cast<wchar_t>(static_cast<signed char>('\xE9'))};
  EXPECT_EQ(mFiles.ToNativePath(widened), "a\xE9");
  EXPECT_EQ(mFiles.ToNativePath(L"\u00E9\u20AC\U0001F30A"), "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x8C\x8A");

  // With no root set the default file system is used as it is.
  EXPECT_EQ(Platform::NativePath(L"..\\..\\Resources\\a.txt"), "../../Resources/a.txt");
  EXPECT_EQ(Platform::NativePath(std::string("..\\..\\Resources\\\xE9.txt")), "../../Resources/\xE9.txt");
}

TEST_F(FileSystemTest, ResourceRootRebasesOnlyTheDefaultRoot) {
  Platform::SetResourceRoot(mRoot.string() + "//");
  EXPECT_EQ(Platform::ResourceRoot(), mRoot.string());

  const std::string ship = mRoot.string() + "/Levels/Ship/Ship.txt";
  EXPECT_EQ(Platform::NativePath(L"..\\..\\Resources\\Levels\\Ship\\Ship.txt"), ship);
  EXPECT_EQ(Platform::NativePath(std::string("../../Resources/Levels/Ship/Ship.txt")), ship);
  EXPECT_EQ(Platform::NativePath(L"..\\..\\Resources"), mRoot.string());

  // Only the whole root component at the very start is replaced.
  EXPECT_EQ(Platform::NativePath(L"..\\..\\ResourcesOld\\a"), "../../ResourcesOld/a");
  EXPECT_EQ(Platform::NativePath(L"..\\Resources\\a"), "../Resources/a");

  Platform::SetResourceRoot("/");
  EXPECT_EQ(Platform::NativePath(L"..\\..\\Resources\\Levels"), "/Levels");
  EXPECT_EQ(Platform::NativePath(L"..\\..\\Resources"), "/");

  Platform::SetResourceRoot("");
  EXPECT_EQ(Platform::ResourceRoot(), "");
  EXPECT_EQ(Platform::NativePath(L"..\\..\\Resources\\Levels"), "../../Resources/Levels");
}

}  // namespace
