// Objects and levels as text: what the writer produces, and what reading it
// back gives a game (names, components, archetypes, initialization).
#include <gtest/gtest.h>

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
  static std::string WriteLevel() {
    std::ostringstream out;
    Engine::mSerializer(out);
    return out.str();
  }
  // Reads `text` as a level; returns the objects it made, oldest first.
  static std::vector<std::shared_ptr<Object>> ReadLevel(const std::string& text) {
    std::istringstream in(text);
    Engine::mDeserializer(in);
    std::vector<std::shared_ptr<Object>> objects;
    for (const auto& [id, object] : Engine::mFactory.GetObjects()) objects.push_back(object);
    return objects;
  }
};

TEST_F(ObjectTextTest, TheCrateWithARigidBodyAndAnOwnerIsWrittenTabForTab) {
  auto crate = MakeObject("Crate");
  // Added in reverse type order: the file lists them by type all the same.
  Give<Owner>(crate, L"Owner");
  auto body = Engine::mFactory.GiveObjectComponent(crate, L"RigidBody").lock();
  ASSERT_TRUE(body) << "no RigidBody factory";
  MemberOf<float>(*body, "m_damping") = 0.5f;
  MemberOf<float>(*body, "m_invMass") = 0.5f;
  MemberOf<float>(*body, "m_mass") = 2.0f;
  MemberOf<bool>(*body, "m_static") = false;
  MemberOf<bool>(*body, "m_useGravity") = true;
  MemberOf<MetaVec3>(*body, "m_velocity") = Vectormath::Aos::Vector3(0.0f, 0.0f, 0.0f);

  std::ostringstream out;
  Engine::mSerializer(*crate, out);
  EXPECT_EQ(out.str(),
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
  infinite->mSpeed = -std::numeric_limits<float>::infinity();  // written as a number all the same
  infinite->mLabel = "";
  Give<Marker>(second, L"Marker");
  MakeObject("Lonely");

  const std::string level = WriteLevel();
  // A component without members is an empty block; an object without components has none.
  EXPECT_NE(level.find("\tMarker\n\t{\n\t}\n\tWidget\n"), std::string::npos);
  EXPECT_NE(level.find("}\n\nObject\n{\n\tmName : Lonely\n}\n\n"), std::string::npos);

  Engine::mFactory.DestroyAllObjects();
  const auto objects = ReadLevel(level);
  EXPECT_EQ(WriteLevel(), level);
  EXPECT_TRUE(Engine::mDeserializer.Report().Empty());
  ASSERT_EQ(objects.size(), 3u);
  EXPECT_EQ(objects[0]->GetName(), "crate on the left");
  EXPECT_FALSE(objects[1]->GetComponent(CT_LifeTime).expired());
  EXPECT_EQ(objects[2]->GetName(), "Lonely");
  EXPECT_TRUE(objects[2]->GetComponents().empty());
}

TEST_F(ObjectTextTest, LevelObjectsAreClonesOfTheirArchetypeWithTheBlockComponentsReplacingTheClonedAndTheirOwnIds) {
  auto crate = Engine::mFactory.CreateGenericArchetype(L"Crate").lock();
  auto part = std::static_pointer_cast<Widget>(Engine::mFactory.GiveArchetypeComponent(crate, L"Widget").lock());
  part->mCount = 99;
  part->mLabel = "from the archetype";
  Engine::mFactory.GiveArchetypeComponent(crate, L"Marker");
  const ObjectID next = Engine::mFactory.CreateGenericObject().lock()->GetID() + 1;
  Engine::mFactory.DestroyAllObjects();
  Flush();
  auto* system = new RecordingSystem();
  Engine::AddSystem(system);

  // An id line does not change the id the registry gives.
  const auto objects = ReadLevel(
      "Crate\n{\n\tmID : 0\n\tmName : Box\n\tWidget\n\t{\n\t\tmCount : 5\n\t}\n}\n\n"
      "Crate\n{\n\tmName : Plain crate\n}\n\n");
  ASSERT_EQ(objects.size(), 2u);
  EXPECT_EQ(objects[0]->GetName(), "Box");
  EXPECT_EQ(objects[0]->GetID(), next);
  auto widget = objects[0]->GetComponentAs<Widget>(CT_StatModifier);
  EXPECT_EQ(widget->mCount, 5);
  // A fresh component, not the clone: members the block leaves out are defaults.
  EXPECT_EQ(widget->mLabel, "widget");
  EXPECT_EQ(widget->initializeCount, 1);
  EXPECT_FALSE(objects[0]->GetComponent(CT_LifeTime).expired());

  auto plain = objects[1]->GetComponentAs<Widget>(CT_StatModifier);
  EXPECT_EQ(plain->mLabel, "from the archetype");
  // Once by the clone, once more after the block was read.
  EXPECT_EQ(plain->initializeCount, 2);

  // The clone's widget that the block replaced is announced destroyed.
  Flush();
  EXPECT_EQ(system->CountQueued(MT_CREATED_OBJECT), 2u);
  EXPECT_EQ(system->CountQueued(MT_DESTROYED_COMPONENT), 1u);
}

// A source that cannot seek, as a pipe.
class OneWayBuffer : public std::streambuf {
 public:
  explicit OneWayBuffer(std::string text) : mText(std::move(text)) {
    setg(mText.data(), mText.data(), mText.data() + mText.size());
  }

 private:
  std::string mText;
};

TEST_F(ObjectTextTest, ArchetypeBlocksFillTheArchetypesSilentlyAndLeaveWhatFollowsToTheCaller) {
  const std::string text =
      "Object\n{\n\tmName : Door\n}\n"
      "Object\n{\n\tmName : Hatch\n\tWidget\n\t{\n\t\tmCount : 8\n\t}\n\tMarker\n\t{\n\t}\n}\nthe rest";
  auto* system = new RecordingSystem();
  Engine::AddSystem(system);
  std::istringstream seekable(text);
  OneWayBuffer buffer(text);
  std::istream oneWay(&buffer);
  for (std::istream* in : {static_cast<std::istream*>(&seekable), &oneWay}) {
    const std::wstring pass = in == &oneWay ? L"one way" : L"seekable";
    auto door = Engine::mFactory.CreateGenericArchetype(L"Door " + pass).lock();
    auto hatch = Engine::mFactory.CreateGenericArchetype(L"Hatch " + pass).lock();
    Engine::mDeserializer(*door, *in);
    Engine::mDeserializer(*hatch, *in);
    EXPECT_EQ(door->GetName(), "Door");
    EXPECT_EQ(hatch->GetName(), "Hatch");
    auto widget = hatch->GetComponentAs<Widget>(CT_StatModifier);
    ASSERT_TRUE(widget);
    EXPECT_EQ(widget->mCount, 8);
    EXPECT_EQ(widget->initializeCount, 0);
    EXPECT_FALSE(hatch->GetComponent(CT_LifeTime).expired());
    const std::string rest{std::istreambuf_iterator<char>(*in), std::istreambuf_iterator<char>()};
    EXPECT_EQ(rest, "\nthe rest");
  }
  EXPECT_TRUE(Engine::mFactory.GetObjects().empty());
  Flush();
  EXPECT_TRUE(system->queued.empty());
}

}  // namespace
