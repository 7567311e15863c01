// Level text that is damaged, hand-edited or from another version: a load
// must end, keep what it could read, and say where it skipped or stopped.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>

#include "objects/Object.h"
#include "objects/ObjectFactory.h"
#include "support/EngineFixture.h"
#include "support/LevelTestComponents.h"

namespace {

const std::string kThreeObjects =
    "Object\n{\n\tmName : First\n\tWidget\n\t{\n\t\tmCount : 1\n\t\tmLabel : one\n\t}\n}\n\n"
    "Object\n{\n\tmName : Second\n\tMarker\n\t{\n\t}\n}\n\n"
    "Object\n{\n\tmName : Third\n\tWidget\n\t{\n\t\tmOffset : \t\tMetaVec3\n\t\t{\n\t\t\tx_ : 4\n\t\t}\n\t}\n}\n\n";

class BrokenLevelTextTest : public EngineFixture {
 protected:
  void SetUp() override {
    EngineFixture::SetUp();
    RegisterLevelTestComponents();
    Engine::mFactory.CreateGenericArchetype(L"Object");
    Engine::mDeserializer.Report().Clear();
  }

  static void Read(const std::string& text) {
    std::istringstream in(text);
    Engine::mDeserializer(in);
  }
  static std::vector<std::string> Names() {
    std::vector<std::string> names;
    for (const auto& [id, object] : Engine::mFactory.GetObjects()) names.push_back(object->GetName());
    return names;
  }
  static const std::vector<META::TextReadIssue>& Issues() { return Engine::mDeserializer.Report().Issues(); }
  static std::shared_ptr<Widget> WidgetOf(const std::string& name) {
    auto object = Engine::mFactory.GetObjectByName(name).lock();
    return object ? object->GetComponentAs<Widget>(CT_StatModifier) : nullptr;
  }
};

TEST_F(BrokenLevelTextTest, UnknownComponentsAndArchetypesAreSkippedWholeAndReportedWithTheirLine) {
  Read(
      "Object\n{\n\tmName : Ship\n"
      "\tFoo\n\t{\n\t\tbar : 1\n\t\tinner : \t\tThing\n\t\t{\n\t\t\tx : 2\n\t\t}\n\t}\n"  // lines 4-11
      "\tWidget\n\t{\n\t\tmCount : 6\n\t}\n}\n\n"
      "Spaceship\n{\n\tmName : Lost\n\tWidget\n\t{\n\t}\n}\n\n"  // line 18
      "Object\n{\n\tmName : Found\n}\n");
  EXPECT_EQ(Names(), (std::vector<std::string>{"Ship", "Found"}));
  EXPECT_EQ(WidgetOf("Ship")->mCount, 6);
  ASSERT_EQ(Issues().size(), 2u);
  EXPECT_EQ(Issues()[0].line, 4u);
  EXPECT_EQ(Issues()[0].reason, "unknown component 'Foo' skipped");
  EXPECT_EQ(Issues()[1].line, 18u);
  EXPECT_EQ(Issues()[1].reason, "unknown archetype 'Spaceship'; block skipped");
}

TEST_F(BrokenLevelTextTest, AValueThatDoesNotParseEndsTheFileButKeepsAndStartsWhatWasRead) {
  Read(
      "Object\n{\n\tmName : Before\n}\n\n"
      "Object\n{\n\tmName : Broken\n\tWidget\n\t{\n\t\tmCount : 12\n\t\tmSpeed : fast\n\t\tmLabel : never\n\t}\n}\n\n"
      "Object\n{\n\tmName : After\n}\n\n");
  EXPECT_EQ(Names(), (std::vector<std::string>{"Before", "Broken"}));
  auto widget = WidgetOf("Broken");
  EXPECT_EQ(widget->mCount, 12);
  EXPECT_EQ(widget->mSpeed, 2.5f);
  EXPECT_EQ(widget->mLabel, "widget");
  // The object stays in the game, so its new component is started.
  EXPECT_EQ(widget->initializeCount, 1);
  ASSERT_EQ(Issues().size(), 1u);
  EXPECT_EQ(Issues()[0].line, 12u);
  EXPECT_NE(Issues()[0].reason.find("'fast'"), std::string::npos);
}

TEST_F(BrokenLevelTextTest, UnbalancedBracesStopTheReadWhereTheyAreNoticed) {
  // A stray closing brace between objects.
  Read("Object\n{\n\tmName : One\n}\n}\nObject\n{\n\tmName : Two\n}\n");
  EXPECT_EQ(Names(), (std::vector<std::string>{"One"}));
  ASSERT_EQ(Issues().size(), 1u);
  EXPECT_EQ(Issues()[0].line, 5u);

  // A component block that never closes takes the object's brace, and the
  // file ends inside the object.
  Engine::mFactory.DestroyAllObjects();
  Engine::mDeserializer.Report().Clear();
  Read("Object\n{\n\tmName : Open\n\tWidget\n\t{\n\t\tmCount : 2\n}\n\nObject\n{\n\tmName : Next\n}\n");
  EXPECT_EQ(Names(), (std::vector<std::string>{"Open"}));
  EXPECT_EQ(WidgetOf("Open")->mCount, 2);
  EXPECT_FALSE(Issues().empty());

  // A missing "{" after the head word.
  Engine::mFactory.DestroyAllObjects();
  Engine::mDeserializer.Report().Clear();
  Read("Object\n\tmName : NoBrace\n}\n");
  EXPECT_TRUE(Names().empty());
  ASSERT_EQ(Issues().size(), 1u);
  EXPECT_EQ(Issues()[0].line, 2u);
}

TEST_F(BrokenLevelTextTest, AFileCutAnywhereLoadsWhatItHoldsAndReportsTheCutUnlessItFallsBetweenObjects) {
  // Where whole object blocks end: a cut there (give or take blanks) is a
  // shorter level, not a broken one.
  std::vector<std::size_t> blockEnds;
  for (std::size_t at = kThreeObjects.find("\n}\n"); at != std::string::npos; at = kThreeObjects.find("\n}\n", at + 1)) {
    blockEnds.push_back(at + 2);
  }
  ASSERT_EQ(blockEnds.size(), 3u);

  for (std::size_t length = 0; length <= kThreeObjects.size(); ++length) {
    SCOPED_TRACE("cut after " + std::to_string(length) + " characters");
    Engine::mFactory.DestroyAllObjects();
    Engine::mDeserializer.Report().Clear();
    const std::string text = kThreeObjects.substr(0, length);
    Read(text);

    const std::size_t trimmed = text.find_last_not_of(" \t\n") + 1;
    const bool betweenObjects =
        trimmed == 0 || std::find(blockEnds.begin(), blockEnds.end(), trimmed) != blockEnds.end();
    EXPECT_EQ(Issues().empty(), betweenObjects);
    EXPECT_LE(Names().size(), 3u);
    for (const auto& issue : Issues()) EXPECT_GE(issue.line, 1u);
  }
}

TEST_F(BrokenLevelTextTest, DeeplyNestedOrSelfNestingBlocksAreSkippedWithoutRecursion) {
  std::string deep = "Object\n{\n\tmName : Deep\n\tFoo\n";
  for (int i = 0; i < 200000; ++i) deep += "{ ";
  Read(deep);
  EXPECT_EQ(Names(), (std::vector<std::string>{"Deep"}));
  EXPECT_FALSE(Issues().empty());

  // An object block inside an object block is not a component.
  Engine::mFactory.DestroyAllObjects();
  Engine::mDeserializer.Report().Clear();
  std::string nested = "Object\n{\n\tmName : Outer\n";
  for (int i = 0; i < 1000; ++i) nested += "Object\n{\n";
  for (int i = 0; i < 1000; ++i) nested += "}\n";
  nested += "}\nObject\n{\n\tmName : Sibling\n}\n";
  Read(nested);
  EXPECT_EQ(Names(), (std::vector<std::string>{"Outer", "Sibling"}));
  ASSERT_EQ(Issues().size(), 1u);
  EXPECT_EQ(Issues()[0].line, 4u);
  EXPECT_TRUE(Engine::mFactory.GetObjectByName("Outer").lock()->GetComponents().empty());
}

TEST_F(BrokenLevelTextTest, AStrayWordInsideAnObjectIsSkippedWithItsLine) {
  Read("Object\n{\n\tmName : Tidy\n\tcolour : red\n\tWidget\n\t{\n\t\tmCount : 3\n\t}\n\tleftover\n}\n");
  EXPECT_EQ(Names(), (std::vector<std::string>{"Tidy"}));
  EXPECT_EQ(WidgetOf("Tidy")->mCount, 3);
  ASSERT_EQ(Issues().size(), 2u);
  EXPECT_EQ(Issues()[0].line, 4u);
  EXPECT_EQ(Issues()[1].line, 9u);
}

}  // namespace
