// Objects and levels as text: what the writer produces, and what reading it
// back gives a game (names, components, archetypes, initialization).
#include <gtest/gtest.h>

#include <cmath>
#include <iterator>
#include <limits>
#include <sstream>
#include <string>

#include "core/ObjectMessages.h"
#include "gameplay/Owner.h"
#include "objects/Object.h"
#include "objects/ObjectFactory.h"
#include "support/EngineFixture.h"
#include "support/LevelTestComponents.h"

namespace {

class ObjectTextTest : public EngineFixture {
 protected:
  void SetUp() override {
    EngineFixture::SetUp();
    RegisterLevelTestComponents();
    Engine::mFactory.CreateGenericArchetype(L"Object");
    Engine::mDeserializer.Report().Clear();
  }

  static std::shared_ptr<Object> MakeObject(const std::string& name) {
    auto object = Engine::mFactory.CreateGenericObject().lock();
    object->SetName(name);
    return object;
  }
  template <class T>
  static std::shared_ptr<T> Give(const std::shared_ptr<Object>& object, const std::wstring& name) {
    return std::static_pointer_cast<T>(Engine::mFactory.GiveObjectComponent(object, name).lock());
  }
  static std::string Write(Object& object) {
    std::ostringstream out;
    Engine::mSerializer(object, out);
    return out.str();
  }
  static std::string WriteLevel() {
    std::ostringstream out;
    Engine::mSerializer(out);
    return out.str();
  }
  static void ReadLevel(const std::string& text) {
    std::istringstream in(text);
    Engine::mDeserializer(in);
  }
  static std::vector<std::shared_ptr<Object>> Objects() {
    std::vector<std::shared_ptr<Object>> objects;
    for (const auto& [id, object] : Engine::mFactory.GetObjects()) objects.push_back(object);
    return objects;
  }
};

TEST_F(ObjectTextTest, TheCrateWithARigidBodyAndAnOwnerIsWrittenTabForTab) {
  auto crate = MakeObject("Crate");
  // Added in reverse type order: the file lists them by type all the same.
  auto owner = Give<Owner>(crate, L"Owner");
  auto body = Engine::mFactory.GiveObjectComponent(crate, L"RigidBody").lock();
  ASSERT_TRUE(body) << "no RigidBody factory";
  MemberOf<float>(*body, "m_damping") = 0.5f;
  MemberOf<float>(*body, "m_invMass") = 0.5f;
  MemberOf<float>(*body, "m_mass") = 2.0f;
  MemberOf<bool>(*body, "m_static") = false;
  MemberOf<bool>(*body, "m_useGravity") = true;
  MemberOf<MetaVec3>(*body, "m_velocity") = Vectormath::Aos::Vector3(0.0f, 0.0f, 0.0f);

  EXPECT_EQ(Write(*crate),
            "Object\n"
            "{\n"
            "\tmName : Crate\n"
            "\tRigidBody\n"
            "\t{\n"
            "\t\tm_damping : 0.5\n"
            "\t\tm_invMass : 0.5\n"
            "\t\tm_mass : 2\n"
            "\t\tm_static : 0\n"
            "\t\tm_useGravity : 1\n"
            "\t\tm_velocity : \t\tMetaVec3\n"
            "\t\t{\n"
            "\t\t\tx_ : 0\n"
            "\t\t\ty_ : 0\n"
            "\t\t\tz_ : 0\n"
            "\t\t}\n"
            "\t}\n"
            "\tOwner\n"
            "\t{\n"
            "\t\tOwner_ : 0\n"
            "\t}\n"
            "}\n"
            "\n");
}

TEST_F(ObjectTextTest, ObjectsWithoutComponentsAndComponentsWithoutMembersKeepTheirShape) {
  auto lonely = MakeObject("Lonely");
  EXPECT_EQ(Write(*lonely), "Object\n{\n\tmName : Lonely\n}\n\n");

  auto marked = MakeObject("Marked");
  Give<Marker>(marked, L"Marker");
  EXPECT_EQ(Write(*marked), "Object\n{\n\tmName : Marked\n\tMarker\n\t{\n\t}\n}\n\n");

  const std::string level = WriteLevel();
  Engine::mFactory.DestroyAllObjects();
  ReadLevel(level);
  const auto objects = Objects();
  ASSERT_EQ(objects.size(), 2u);
  EXPECT_EQ(objects[0]->GetName(), "Lonely");
  EXPECT_TRUE(objects[0]->GetComponents().empty());
  EXPECT_EQ(objects[1]->GetName(), "Marked");
  EXPECT_FALSE(objects[1]->GetComponent(CT_LifeTime).expired());
  EXPECT_TRUE(Engine::mDeserializer.Report().Empty());
}

TEST_F(ObjectTextTest, ALevelReadBackIsWrittenAgainByteForByte) {
  auto first = MakeObject("crate on the left");
  auto widget = Give<Widget>(first, L"Widget");
  widget->mSpeed = std::numeric_limits<float>::quiet_NaN();
  widget->mCount = -40;
  widget->mOn = false;
  widget->mLabel = "my model";
  widget->mTags = {"a", "b", "c"};
  widget->mOffset = Vectormath::Aos::Vector3(0.125f, -3.0f, 1e6f);
  Give<Owner>(first, L"Owner")->Set_Owner(7);
  auto second = MakeObject("");
  auto infinite = Give<Widget>(second, L"Widget");
  infinite->mSpeed = -std::numeric_limits<float>::infinity();
  infinite->mLabel = "";
  Give<Marker>(second, L"Marker");

  const std::string level = WriteLevel();
  // What cannot be written is stored back as what was written.
  EXPECT_EQ(widget->mSpeed, 0.0f);
  EXPECT_EQ(infinite->mSpeed, 2147483648.0f);
  EXPECT_NE(level.find("\t\tmSpeed : 2.14748e+09\n"), std::string::npos);
  EXPECT_NE(level.find("\t\tmTags : a, b, c \n"), std::string::npos);

  Engine::mFactory.DestroyAllObjects();
  ReadLevel(level);
  EXPECT_EQ(WriteLevel(), level);
  EXPECT_TRUE(Engine::mDeserializer.Report().Empty());

  const auto objects = Objects();
  ASSERT_EQ(objects.size(), 2u);
  EXPECT_EQ(objects[0]->GetName(), "crate on the left");
  auto read = objects[0]->GetComponentAs<Widget>(CT_StatModifier);
  ASSERT_TRUE(read);
  EXPECT_EQ(read->mLabel, "my model");
  EXPECT_EQ(read->mTags, (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(read->mCount, -40);
  EXPECT_FALSE(read->mOn);
  EXPECT_EQ(objects[0]->GetComponentAs<Owner>(CT_Owner)->Get_Owner(), 7u);
  EXPECT_EQ(objects[1]->GetName(), "");
  EXPECT_EQ(objects[1]->GetComponentAs<Widget>(CT_StatModifier)->mLabel, "");
}

TEST_F(ObjectTextTest, LevelObjectsAreClonesOfTheirArchetypeWithTheBlockComponentsReplacingTheCloned) {
  auto crate = Engine::mFactory.CreateGenericArchetype(L"Crate").lock();
  auto part = std::static_pointer_cast<Widget>(Engine::mFactory.GiveArchetypeComponent(crate, L"Widget").lock());
  part->mCount = 99;
  part->mLabel = "from the archetype";
  Engine::mFactory.GiveArchetypeComponent(crate, L"Marker");
  auto* system = new RecordingSystem();
  Engine::AddSystem(system);

  ReadLevel(
      "Crate\n{\n\tmName : Box\n\tWidget\n\t{\n\t\tmCount : 5\n\t}\n}\n\n"
      "Crate\n{\n\tmName : Plain crate\n}\n\n");
  const auto objects = Objects();
  ASSERT_EQ(objects.size(), 2u);

  auto box = objects[0];
  EXPECT_EQ(box->GetName(), "Box");
  auto widget = box->GetComponentAs<Widget>(CT_StatModifier);
  EXPECT_EQ(widget->mCount, 5);
  // A fresh component, not the clone: members the block leaves out are defaults.
  EXPECT_EQ(widget->mLabel, "widget");
  EXPECT_EQ(widget->initializeCount, 1);
  EXPECT_FALSE(box->GetComponent(CT_LifeTime).expired());

  auto plain = objects[1];
  EXPECT_EQ(plain->GetComponentAs<Widget>(CT_StatModifier)->mLabel, "from the archetype");
  // Once by the clone, once more after the block was read.
  EXPECT_EQ(plain->GetComponentAs<Widget>(CT_StatModifier)->initializeCount, 2);

  // The clone's widget that the block replaced is announced destroyed.
  Flush();
  EXPECT_EQ(system->CountQueued(MT_CREATED_OBJECT), 2u);
  EXPECT_EQ(system->CountQueued(MT_DESTROYED_COMPONENT), 1u);
}

TEST_F(ObjectTextTest, AnArchetypeBlockFillsTheArchetypeSilentlyAndStartsNothing) {
  auto door = Engine::mFactory.CreateGenericArchetype(L"Door").lock();
  auto* system = new RecordingSystem();
  Engine::AddSystem(system);

  std::istringstream in("Object\n{\n\tmName : Front door\n\tWidget\n\t{\n\t\tmCount : 8\n\t}\n\tMarker\n\t{\n\t}\n}\n");
  Engine::mDeserializer(*door, in);

  EXPECT_EQ(door->GetName(), "Front door");
  auto widget = door->GetComponentAs<Widget>(CT_StatModifier);
  ASSERT_TRUE(widget);
  EXPECT_EQ(widget->mCount, 8);
  EXPECT_EQ(widget->initializeCount, 0);
  EXPECT_FALSE(door->GetComponent(CT_LifeTime).expired());
  EXPECT_TRUE(Engine::mFactory.GetObjects().empty());
  Flush();
  EXPECT_TRUE(system->queued.empty());
}

// A source that cannot seek, as a pipe.
class OneWayBuffer : public std::streambuf {
 public:
  explicit OneWayBuffer(std::string text) : mText(std::move(text)) { setg(mText.data(), mText.data(), mText.data() + mText.size()); }

 private:
  std::string mText;
};

TEST_F(ObjectTextTest, ArchetypeBlocksReadFromOneStreamLeaveWhatFollowsToTheCaller) {
  const std::string text =
      "Object\n{\n\tmName : Door\n}\nObject\n{\n\tmName : Hatch\n\tMarker\n\t{\n\t}\n}\nthe rest";
  auto door = Engine::mFactory.CreateGenericArchetype(L"Door").lock();
  auto hatch = Engine::mFactory.CreateGenericArchetype(L"Hatch").lock();
  std::istringstream seekable(text);
  OneWayBuffer buffer(text);
  std::istream oneWay(&buffer);
  for (std::istream* in : {static_cast<std::istream*>(&seekable), &oneWay}) {
    Engine::mDeserializer(*door, *in);
    Engine::mDeserializer(*hatch, *in);
    EXPECT_EQ(door->GetName(), "Door");
    EXPECT_EQ(hatch->GetName(), "Hatch");
    EXPECT_FALSE(hatch->GetComponent(CT_LifeTime).expired());
    const std::string rest{std::istreambuf_iterator<char>(*in), std::istreambuf_iterator<char>()};
    EXPECT_EQ(rest, "\nthe rest");
  }
}

TEST_F(ObjectTextTest, AnIdLineDoesNotChangeTheIdTheRegistryGave) {
  const ObjectID next = Engine::mFactory.CreateGenericObject().lock()->GetID() + 1;
  Engine::mFactory.DestroyAllObjects();
  ReadLevel("Object\n{\n\tmID : 0\n\tmName : Renumbered\n}\n\n");
  auto object = Engine::mFactory.GetObjectByName("Renumbered").lock();
  ASSERT_TRUE(object);
  EXPECT_EQ(object->GetID(), next);
  EXPECT_TRUE(Engine::mFactory.GetObjectWithID(0).expired() || next == 0);
}

TEST_F(ObjectTextTest, MembersAComponentDoesNotKnowAreSkippedAndTheRestIsRead) {
  ReadLevel(
      "Object\n{\n\tmName : Old file\n\tWidget\n\t{\n"
      "\t\tmRetired : 3 and more words\n"
      "\t\tmCount : 12\n"
      "\t\tmOldVector : \t\tMetaVec3\n\t\t{\n\t\t\tx_ : 1\n\t\t}\n"
      "\t\tmLabel : still read\n"
      "\t}\n}\n\n");
  auto object = Engine::mFactory.GetObjectByName("Old file").lock();
  ASSERT_TRUE(object);
  auto widget = object->GetComponentAs<Widget>(CT_StatModifier);
  EXPECT_EQ(widget->mCount, 12);
  EXPECT_EQ(widget->mLabel, "still read");
}

}  // namespace
