// Groups placing their children around a parent through the host's physics,
// and the group data objects carry in level files.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "components/Transform.h"
#include "core/GameFlowMessages.h"
#include "objects/Group.h"
#include "objects/GroupComponent.h"
#include "objects/Object.h"
#include "support/EngineFixture.h"

namespace {

using Vectormath::Aos::Vector3;

class GroupTest : public EngineFixture {
 protected:
  void SetUp() override {
    EngineFixture::SetUp();
    physics = new RecordingSystem(L"Physics");
    Engine::AddSystem(physics);
    // A new group's parent id is 0; make sure no live object has that id,
    // whichever test runs first.
    Engine::mFactory.Destroy(Engine::mFactory.CreateGenericObject());
    Flush();
  }

  static ObjectID MakeParent(const Vector3& position) {
    auto parent = Engine::mFactory.CreateGenericObject().lock();
    auto transform =
        std::static_pointer_cast<Transform>(Engine::mFactory.GiveObjectComponent(parent, L"Transform").lock());
    parent->Initialize();
    transform->SetWorldPosition(position);
    return parent->GetID();
  }

  static ObjectID MakeChild(const Vector3& offset) {
    auto child = Engine::mFactory.CreateGenericObject().lock();
    auto member =
        std::static_pointer_cast<GroupComponent>(Engine::mFactory.GiveObjectComponent(child, L"GroupComponent").lock());
    member->GetOffset() = offset;
    child->Initialize();
    return child->GetID();
  }

  static ObjectID MakeLoner() { return Engine::mFactory.CreateGenericObject().lock()->GetID(); }

  // The position commands the physics system has been handed at once.
  [[nodiscard]] std::vector<std::shared_ptr<PhysicsMessage>> Commands() const {
    std::vector<std::shared_ptr<PhysicsMessage>> commands;
    for (const auto& message : physics->immediate) {
      if (message->GetMessageId() == MT_PHYSICS) commands.push_back(std::static_pointer_cast<PhysicsMessage>(message));
    }
    return commands;
  }

  static void ExpectPlacement(const PhysicsMessage& command, ObjectID child, const Vector3& at) {
    EXPECT_EQ(command.GetSender(), L"Group");
    EXPECT_EQ(command.mKind, PMT_SET_POSITION);
    EXPECT_EQ(command.mObjectID, child);
    EXPECT_EQ((std::vector<float>{command.mVector.getX(), command.mVector.getY(), command.mVector.getZ()}),
              (std::vector<float>{at.getX(), at.getY(), at.getZ()}));
  }

  RecordingSystem* physics = nullptr;
};

TEST_F(GroupTest, ChildrenArePlacedAtOnceOnlyWhenThereIsAParentPositionAndTheyJoinOrItChanges) {
  const ObjectID dock = MakeParent({10.0f, 0.0f, 5.0f});
  const ObjectID shuttle = MakeParent({100.0f, 50.0f, 0.0f});
  const ObjectID child = MakeChild({1.0f, 2.0f, 3.0f});
  Group group("turret");
  // A parent that is gone (its id is kept) or has no position: nothing to place against.
  const ObjectID gone = MakeParent({1.0f, 0.0f, 0.0f});
  Engine::mFactory.Destroy(gone);
  group.SetParentObject(gone);
  group.AddToGroup(child);
  EXPECT_EQ(group.GetParentID(), gone);
  group.SetParentObject(MakeLoner());
  EXPECT_TRUE(Commands().empty());

  group.SetParentObject(dock);
  ASSERT_EQ(Commands().size(), 1u);
  ExpectPlacement(*Commands()[0], child, {11.0f, 2.0f, 8.0f});
  // Immediate only: nothing waits for the next broadcast.
  Flush();
  EXPECT_EQ(physics->CountQueued(MT_PHYSICS), 0u);

  // The same parent again, the same child again, a moving parent: no news.
  group.SetParentObject(dock);
  group.AddToGroup(child);
  Engine::mFactory.GetObjectWithID(dock)
      .lock()
      ->GetComponentAs<Transform>(CT_Transform)
      ->SetWorldPosition({7.0f, 7.0f, 7.0f});
  EXPECT_EQ(Commands().size(), 1u);
  EXPECT_EQ(group.GetChildren().size(), 1u);

  group.SetParentObject(shuttle);
  ASSERT_EQ(Commands().size(), 2u);
  ExpectPlacement(*Commands()[1], child, {101.0f, 52.0f, 3.0f});
  EXPECT_EQ(group.GetParentID(), shuttle);
}

TEST_F(GroupTest, ANewParentPlacesEveryLiveGroupedChildInOrderAndSkipsTheOthers) {
  const ObjectID parent = MakeParent({-4.0f, 1.0f, 0.5f});
  const ObjectID first = MakeChild({1.0f, 0.0f, 0.0f});
  const ObjectID loner = MakeLoner();
  const ObjectID last = MakeChild({0.0f, 0.0f, -2.0f});
  const ObjectID doomed = MakeChild({0.0f, 0.0f, 0.0f});

  Group group;
  for (ObjectID id : {first, loner, last, doomed}) group.AddToGroup(id);
  EXPECT_TRUE(Commands().empty()) << "no parent yet";
  // A child that died since it joined is passed over.
  Engine::mFactory.Destroy(doomed);
  Flush();

  group.SetParentObject(parent);
  const auto commands = Commands();
  ASSERT_EQ(commands.size(), 2u);
  ExpectPlacement(*commands[0], first, {-3.0f, 1.0f, 0.5f});
  ExpectPlacement(*commands[1], last, {-4.0f, 1.0f, -1.5f});
}

TEST_F(GroupTest, CommandsGoOutOnlyAfterEveryChildHasBeenVisited) {
  const ObjectID parent = MakeParent({0.0f, 0.0f, 0.0f});
  const ObjectID first = MakeChild({1.0f, 0.0f, 0.0f});
  const ObjectID loner = MakeLoner();
  const ObjectID last = MakeChild({3.0f, 0.0f, 0.0f});
  const ObjectID latecomer = MakeChild({4.0f, 0.0f, 0.0f});
  Group group;
  for (ObjectID id : {first, loner, last}) group.AddToGroup(id);

  // Something on the bus reacts to the first placement: it makes the loner a
  // group member and adds another child to the very group being placed.
  bool reacted = false;
  Engine::RegisterListener(MT_PHYSICS, Callable(3, [&](const std::shared_ptr<Message>&) {
                             if (reacted) return;
                             reacted = true;
                             auto object = Engine::mFactory.GetObjectWithID(loner).lock();
                             Engine::mFactory.GiveObjectComponent(object, L"GroupComponent");
                             group.AddToGroup(latecomer);
                           }));
  group.SetParentObject(parent);

  std::vector<ObjectID> placed;
  for (const auto& command : Commands()) placed.push_back(command->mObjectID);
  // The loner was passed over before anything was sent; the latecomer was
  // placed by its own joining, once.
  EXPECT_EQ(placed, (std::vector<ObjectID>{first, latecomer, last}));
  EXPECT_EQ(group.GetChildren(), (std::vector<ObjectID>{first, loner, last, latecomer}));
}

TEST_F(GroupTest, GroupMembershipComesFromTheLevelFileAndSurvivesCloning) {
  Engine::mFactory.CreateGenericArchetype(L"Object");
  std::istringstream level(
      "Object\n{\n\tmName : Gunner\n"
      "\tGroupComponent\n\t{\n\t\tm_GroupName : gun deck\n\t\tm_IsParent : 1\n"
      "\t\tm_Offset : MetaVec3\n\t\t{\n\t\t\tx_ : 1.5\n\t\t\ty_ : -2\n\t\t\tz_ : 0.25\n\t\t}\n\t}\n}\n");
  Engine::mDeserializer(level);
  const auto gunner = Engine::mFactory.GetObjectByName("Gunner").lock();
  ASSERT_TRUE(gunner);
  const auto clone = gunner->CloneObject().lock();
  ASSERT_TRUE(clone);
  const auto member = clone->GetComponentAs<GroupComponent>(CT_GroupComponent);
  ASSERT_TRUE(member);
  EXPECT_EQ(member->GetGroupName(), "gun deck");
  EXPECT_TRUE(member->IsParent());

  Group group("gun deck");
  group.SetParentObject(MakeParent({10.0f, 10.0f, 10.0f}));
  group.AddToGroup(clone->GetID());
  ASSERT_EQ(Commands().size(), 1u);
  ExpectPlacement(*Commands()[0], clone->GetID(), {11.5f, 8.0f, 10.25f});
}

}  // namespace
