// Levels and archetypes on disk, as a host loads and saves them: where the
// files lie, which are read, what the host hears, and what a save writes.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

#include "core/ObjectMessages.h"
#include "core/RenderMessages.h"
#include "objects/Object.h"
#include "objects/ObjectFactory.h"
#include "platform/FileSystem.h"
#include "support/EngineFixture.h"
#include "support/LevelTestComponents.h"

namespace {

namespace fs = std::filesystem;

// The default file system, counting the folders it is asked to make.
class CountingFileSystem final : public Platform::FileSystem {
 public:
  std::vector<std::string> ListFiles(const std::string& folder) override { return mReal.ListFiles(folder); }
  bool IsDirectory(const std::string& path) override { return mReal.IsDirectory(path); }
  int MakeDirectory(const std::string& path) override {
    ++madeFolders;
    return mReal.MakeDirectory(path);
  }
  std::string ToNativePath(const std::wstring& path) override { return mReal.ToNativePath(path); }

  int madeFolders = 0;

 private:
  Platform::PosixFileSystem mReal;
};

const std::string kWidgetCrate = "Object\n{\n\tmName : Crate\n\tWidget\n\t{\n\t\tmCount : 4\n\t}\n}\n";

class LevelFilesTest : public EngineFixture {
 protected:
  void SetUp() override {
    EngineFixture::SetUp();
    RegisterLevelTestComponents();
    Engine::mDeserializer.Report().Clear();
    std::random_device random;
    mRoot = fs::temp_directory_path() / ("tidewater-levels-" + std::to_string(random()) + std::to_string(random()));
    ASSERT_TRUE(fs::create_directories(mRoot / "Levels"));
    Platform::SetResourceRoot(mRoot.string());
    Platform::SetFileSystem(&mFiles);
  }
  void TearDown() override {
    Platform::SetFileSystem(nullptr);
    Platform::SetResourceRoot("");
    std::error_code ignored;
    fs::remove_all(mRoot, ignored);
    EngineFixture::TearDown();
  }

  void Write(const fs::path& relative, const std::string& text) {
    fs::create_directories((mRoot / relative).parent_path());
    std::ofstream(mRoot / relative) << text;
  }
  std::string Contents(const fs::path& relative) {
    std::ifstream in(mRoot / relative);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
  static std::vector<std::wstring> ArchetypeNames() {
    std::vector<std::wstring> names;
    for (const auto& [name, archetype] : Engine::mFactory.GetArchetypes()) names.push_back(name);
    return names;
  }
  static std::vector<std::string> ObjectNames() {
    std::vector<std::string> names;
    for (const auto& [id, object] : Engine::mFactory.GetObjects()) names.push_back(object->GetName());
    return names;
  }
  // "file:line: reason" of everything the last load skipped.
  static std::vector<std::string> Issues() {
    std::vector<std::string> lines;
    for (const auto& issue : Engine::mDeserializer.Report().Issues()) {
      lines.push_back(issue.file + ":" + std::to_string(issue.line) + ": " + issue.reason);
    }
    return lines;
  }

  fs::path mRoot;
  CountingFileSystem mFiles;
};

TEST_F(LevelFilesTest, ALevelIsItsFileAndTheArchetypeFilesEndingInArcInAnyCaseBesideItIncludingObject) {
  Write("Levels/Ship/Archetypes/Crate.Arc", kWidgetCrate);
  Write("Levels/Ship/Archetypes/Crate.txt", "Object\n{\n\tmName : Crate\n}\n");
  Write("Levels/Ship/Archetypes/Crate.ar", "Object\n{\n\tmName : Crate\n}\n");
  Write("Levels/Ship/Archetypes/.arc", kWidgetCrate);
  Write("Levels/Ship/Archetypes/arc", kWidgetCrate);
  fs::create_directories(mRoot / "Levels/Ship/Archetypes/Old.arc");
  Write("Levels/Ship/Archetypes/Object.arc", kWidgetCrate);  // a level may give "Object" components
  Write("Levels/Ship/Ship.txt", "Crate\n{\n\tmName : Left crate\n}\n\nObject\n{\n\tmName : Plain\n}\n\n");

  Engine::mFactory.LoadLevel(std::string("Ship"));
  // ".arc" alone is an archetype with an empty name.
  EXPECT_EQ(ArchetypeNames(), (std::vector<std::wstring>{L"", L"Crate", L"Object"}));
  EXPECT_EQ(Engine::mFactory.GetArchetype(L"Crate").lock()->GetArchetypeName(), L"Crate");
  EXPECT_EQ(ObjectNames(), (std::vector<std::string>{"Left crate", "Plain"}));
  for (const auto& [id, object] : Engine::mFactory.GetObjects()) {
    const auto widget = object->GetComponentAs<Widget>(CT_StatModifier);
    ASSERT_TRUE(widget) << object->GetName();
    EXPECT_EQ(widget->mCount, 4);
  }
  EXPECT_TRUE(Issues().empty());
}

TEST_F(LevelFilesTest, SavingMakesTheFoldersOnceAndALoadedSaveSavesTheSameBytes) {
  Engine::mFactory.LoadLevel("Ship");
  auto crate = Engine::mFactory.CreateGenericArchetype(L"Crate").lock();
  Engine::mFactory.GiveArchetypeComponent(crate, L"Widget");
  Engine::mFactory.AddArchetype(L"Alias", crate);
  auto box = Engine::mFactory.CreateArchetypedObject(L"Crate").lock();
  box->SetName("Box with a lid");
  std::static_pointer_cast<Widget>(box->GetComponent(CT_StatModifier).lock())->mTags = {"wood", "metal"};
  Engine::mFactory.GiveObjectComponent(box, L"Marker");
  Engine::mFactory.CreateGenericObject().lock()->SetName("Empty");

  Engine::mFactory.SaveLevel("Ship");
  EXPECT_EQ(mFiles.madeFolders, 2);
  const std::string level = Contents("Levels/Ship/Ship.txt");
  const std::string crateFile = Contents("Levels/Ship/Archetypes/Crate.arc");
  EXPECT_EQ(Contents("Levels/Ship/Archetypes/Object.arc"), "Object\n{\n\tmName : Object\n}\n\n");
  // Archetype files are named after the archetype's own name, not the alias.
  EXPECT_FALSE(fs::exists(mRoot / "Levels/Ship/Archetypes/Alias.arc"));

  Engine::mFactory.LoadLevel(L"Ship");
  EXPECT_EQ(ArchetypeNames(), (std::vector<std::wstring>{L"Crate", L"Object"}));
  EXPECT_EQ(ObjectNames(), (std::vector<std::string>{"Box with a lid", "Empty"}));
  Engine::mFactory.SaveLevel(L"Ship");
  EXPECT_EQ(mFiles.madeFolders, 2);
  EXPECT_EQ(Contents("Levels/Ship/Ship.txt"), level);
  EXPECT_EQ(Contents("Levels/Ship/Archetypes/Crate.arc"), crateFile);
  EXPECT_TRUE(Issues().empty());

  // Nothing is written, and nothing made, where the archetype folder is missing.
  Engine::mFactory.SaveArchetypes("Elsewhere");
  EXPECT_FALSE(fs::exists(mRoot / "Levels/Elsewhere"));
  EXPECT_EQ(mFiles.madeFolders, 2);
}

TEST_F(LevelFilesTest, ASecondLevelsObjectsAreNumberedAboveTheFirstsAndTheHostHearsTheSwapInOrder) {
  Write("Levels/One/One.txt", "Object\n{\n\tmName : A\n\tMarker\n\t{\n\t}\n}\nObject\n{\n\tmName : B\n}\n");
  Write("Levels/Two/Archetypes/Lamp.arc",
        "Object\n{\n\tmName : Lamp\n\tRenderable\n\t{\n\t\tm_ModelName : post\n"
        "\t\tm_TextureName : iron, glow \n\t}\n}\n");
  Write("Levels/Two/Two.txt", "Lamp\n{\n\tmName : C\n\tMarker\n\t{\n\t}\n}\n");
  Engine::mFactory.LoadLevel("One");
  const ObjectID highest = Engine::mFactory.GetObjectByName("B").lock()->GetID();
  Flush();
  auto* system = new RecordingSystem();
  Engine::AddSystem(system);

  Engine::mFactory.LoadLevel("Two");
  auto c = Engine::mFactory.GetObjectByName("C").lock();
  ASSERT_TRUE(c);
  EXPECT_GT(c->GetID(), highest);
  EXPECT_TRUE(Engine::mFactory.GetObjectByName("A").expired());

  // The old level goes, its resources are dropped, the archetypes ask for
  // theirs, then the new objects arrive and ask for what they draw.
  Flush();
  std::vector<std::string> heard;
  for (const auto& message : system->queued) {
    std::string entry = std::to_string(static_cast<int>(message->GetMessageId()));
    if (message->GetMessageId() == MT_LOAD_RESOURCE) {
      const auto& load = static_cast<const LoadResourceMessage&>(*message);
      entry = "load " + std::to_string(static_cast<int>(load.GetType())) + " " + load.GetName();
    }
    heard.push_back(entry);
  }
  const auto id = [](MessageType type) { return std::to_string(static_cast<int>(type)); };
  const std::vector<std::string> expected{id(MT_DESTROYED_OBJECT),
                                          id(MT_DESTROYED_COMPONENT),
                                          id(MT_DESTROYED_OBJECT),
                                          id(MT_CLEAR_RESOURCES),
                                          "load 1 iron",
                                          "load 1 glow",
                                          "load 3 defaultshader",
                                          "load 0 post",
                                          id(MT_CREATED_OBJECT),
                                          id(MT_CREATED_COMPONENT),
                                          id(MT_CREATED_COMPONENT),
                                          "load 1 iron",
                                          "load 1 glow",
                                          "load 3 defaultshader",
                                          "load 0 post"};
  EXPECT_EQ(heard, expected);
}

TEST_F(LevelFilesTest, AHostCanListWhatALoadSkippedByFileAndLine) {
  Write("Levels/Ship/Archetypes/Crate.arc", "Object\n{\n\tmName : Crate\n\tWidget\n\t{\n\t\tmOn : maybe\n\t}\n}\n");
  Write("Levels/Ship/Ship.txt", "Crate\n{\n\tmName : A\n}\nObject\n{\n\tmName : B\n\tFoo\n\t{\n\t}\n}\n");
  Engine::mFactory.LoadLevel("Ship");
  EXPECT_EQ(ObjectNames(), (std::vector<std::string>{"A", "B"}));
  const std::string ship = "..\\..\\Resources\\Levels\\Ship\\";
  EXPECT_EQ(Issues(), (std::vector<std::string>{ship + "Archetypes\\Crate.arc:6: 'maybe' is not a bool value",
                                                ship + "Ship.txt:8: unknown component 'Foo' skipped"}));

  // An archetype loaded again keeps the first and skips the file.
  const auto first = Engine::mFactory.GetArchetype(L"Crate").lock();
  Engine::mDeserializer.Report().Clear();
  Engine::mFactory.LoadArchetypes({L"..\\..\\Resources\\Levels\\Ship\\Archetypes\\Crate.arc"});
  EXPECT_EQ(Engine::mFactory.GetArchetype(L"Crate").lock(), first);
  EXPECT_EQ(
      Issues(),
      (std::vector<std::string>{ship + "Archetypes\\Crate.arc:0: archetype 'Crate' is loaded already; file skipped"}));

  // The next load starts a new list; a level without its file loses the old
  // level all the same, and still has a plain "Object" archetype.
  Engine::mFactory.LoadLevel("Missing");
  EXPECT_TRUE(ObjectNames().empty());
  EXPECT_EQ(ArchetypeNames(), (std::vector<std::wstring>{L"Object"}));
  EXPECT_TRUE(Engine::mFactory.CreateArchetypedObject(L"Object").lock()->GetComponents().empty());
  ASSERT_EQ(Engine::mDeserializer.Report().Issues().size(), 1u);
  EXPECT_EQ(Engine::mDeserializer.Report().Issues()[0].file, "..\\..\\Resources\\Levels\\Missing\\Missing.txt");
}

}  // namespace
