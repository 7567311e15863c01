// The host's physics as the game uses it: bodies learned from the registry's
// notices, moved by velocity and position requests (also those relayed by
// components during a broadcast), stopped by walls, and contacts reported
// when they begin and end.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "physics/PhysicsSystem.h"
#include "components/Collider.h"
#include "components/Transform.h"
#include "core/GameFlowMessages.h"
#include "objects/Object.h"
#include "support/EngineFixture.h"

using Vectormath::Aos::Vector3;

namespace {

struct Contact {
  CollisionMessageType kind;
  ObjectID a;
  ObjectID b;
};

class PhysicsSystemTest : public EngineFixture {
 protected:
  void SetUp() override {
    EngineFixture::SetUp();
    physics = new PhysicsSystem();
    Engine::AddSystem(physics);
    physics->Initialize();
    Engine::mFactory.CreateGenericArchetype(L"Object");
    Engine::RegisterListener(MT_COLLISION, Callable(1, [this](const std::shared_ptr<Message>& message) {
                               const auto& contact = static_cast<const CollisionMessage&>(*message);
                               contacts.push_back({contact.mKind, contact.mObjectA, contact.mObjectB});
                             }));
  }

  // A box read from level text, as a level designer would write it.
  static ObjectID MakeBox(const std::string& name, Vector3 position, Vector3 half, bool ghost, bool dynamic) {
    std::ostringstream text;
    text << "Object\n{\n\tmName : " << name << "\n";
    text << "\tTransform\n\t{\n\t\ttransformData : TransformData\n\t\t{\n\t\t\tWorldPosition : MetaVec3\n\t\t\t{\n"
         << "\t\t\t\tx_ : " << position.getX() << "\n\t\t\t\ty_ : " << position.getY()
         << "\n\t\t\t\tz_ : " << position.getZ() << "\n\t\t\t}\n\t\t}\n\t}\n";
    text << "\tCollider\n\t{\n\t\tm_AabbHalfExtents : MetaVec3\n\t\t{\n\t\t\tx_ : " << half.getX()
         << "\n\t\t\ty_ : " << half.getY() << "\n\t\t\tz_ : " << half.getZ()
         << "\n\t\t}\n\t\tm_ghost : " << (ghost ? 1 : 0) << "\n\t}\n";
    text << "\tRigidBody\n\t{\n\t\tm_static : " << (dynamic ? 0 : 1) << "\n\t}\n}\n";
    std::istringstream stream(text.str());
    Engine::mDeserializer(stream);
    return Engine::mFactory.GetObjectByName(name).lock()->GetID();
  }

  static Vector3 PositionOf(ObjectID id) {
    return Engine::mFactory.GetObjectWithID(id).lock()->GetComponentAs<Transform>(CT_Transform)->GetPosition();
  }

  static void Request(PhysicsMessageType kind, ObjectID id, Vector3 vector) {
    Engine::RelayMessage(std::make_shared<PhysicsMessage>(L"Test", kind, id, vector));
  }

  // One frame as the engine runs it: systems first, then the broadcast.
  void Frame(float dt) {
    physics->Update(dt);
    Engine::BroadcastMessages();
  }

  int CountContacts(CollisionMessageType kind, ObjectID a, ObjectID b) const {
    return static_cast<int>(std::count_if(contacts.begin(), contacts.end(), [&](const Contact& contact) {
      return contact.kind == kind && ((contact.a == a && contact.b == b) || (contact.a == b && contact.b == a));
    }));
  }

  PhysicsSystem* physics = nullptr;
  std::vector<Contact> contacts;
};

TEST_F(PhysicsSystemTest, AWallStopsARunnerFlushAgainstItAndTheTouchIsReportedOnce) {
  const ObjectID runner = MakeBox("Runner", Vector3(0, 1, 0), Vector3(0.5f, 1, 0.5f), false, true);
  const ObjectID wall = MakeBox("Wall", Vector3(3, 1, 0), Vector3(0.5f, 3, 5), false, false);
  Flush();
  EXPECT_EQ(physics->BodyCount(), 2u);

  Request(PMT_SET_VELOCITY, runner, Vector3(5, 0, 0));
  Flush();
  for (int frame = 0; frame < 20; ++frame) Frame(0.1f);

  EXPECT_NEAR(PositionOf(runner).getX(), 2.0f, 1e-4f);
  EXPECT_EQ(CountContacts(CMT_CONTACT_BEGIN, runner, wall), 1);
  EXPECT_EQ(CountContacts(CMT_CONTACT_END, runner, wall), 0);

  // Walking away ends the contact, and along the wall nothing stops it.
  Request(PMT_SET_VELOCITY, runner, Vector3(-5, 0, 2));
  Flush();
  Frame(0.1f);
  Frame(0.1f);
  EXPECT_EQ(CountContacts(CMT_CONTACT_END, runner, wall), 1);
  EXPECT_NEAR(PositionOf(runner).getZ(), 0.4f, 1e-4f);
}

TEST_F(PhysicsSystemTest, GhostsAndOtherMoversAreTouchedButNeverBlock) {
  const ObjectID runner = MakeBox("Runner", Vector3(0, 1, 0), Vector3(0.5f, 1, 0.5f), false, true);
  const ObjectID trigger = MakeBox("Trigger", Vector3(3, 1, 0), Vector3(1, 1, 1), true, false);
  const ObjectID other = MakeBox("Other", Vector3(6, 1, 0), Vector3(0.5f, 1, 0.5f), false, true);
  Flush();
  Request(PMT_SET_VELOCITY, runner, Vector3(10, 0, 0));
  Flush();
  for (int frame = 0; frame < 10; ++frame) Frame(0.1f);

  EXPECT_NEAR(PositionOf(runner).getX(), 10.0f, 1e-3f);
  EXPECT_EQ(CountContacts(CMT_CONTACT_BEGIN, runner, trigger), 1);
  EXPECT_EQ(CountContacts(CMT_CONTACT_END, runner, trigger), 1);
  EXPECT_EQ(CountContacts(CMT_CONTACT_BEGIN, runner, other), 1);
  EXPECT_EQ(CountContacts(CMT_CONTACT_END, runner, other), 1);
  // Two bodies that never move never report each other.
  EXPECT_EQ(CountContacts(CMT_CONTACT_BEGIN, trigger, other), 0);
}

TEST_F(PhysicsSystemTest, RequestsFromListenersDuringTheBroadcastAreHandledOnce) {
  const ObjectID door = MakeBox("Door", Vector3(0, 2, 0), Vector3(0.5f, 2, 2), false, false);
  const ObjectID runner = MakeBox("Runner", Vector3(0, 1, 10), Vector3(0.5f, 1, 0.5f), false, true);
  Flush();
  // A door lifts itself from its time-update listener, as the engine's doors do.
  Engine::RegisterListener(MT_TIME_UPDATE, Callable(2, [door](const std::shared_ptr<Message>&) {
                             Request(PMT_SET_POSITION, door, PositionOf(door) + Vector3(0, 1, 0));
                           }));
  Engine::RelayMessage(std::make_shared<TimeUpdateMessage>(L"Test", 0.1f));
  // Two requests queued before the broadcast add up, once each.
  Request(PMT_SET_VELOCITY, runner, Vector3(1, 0, 0));
  Request(PMT_SET_VELOCITY, runner, Vector3(0, 0, 2));
  Frame(0.0f);

  EXPECT_NEAR(PositionOf(door).getY(), 3.0f, 1e-5f);
  Frame(1.0f);
  EXPECT_NEAR(PositionOf(runner).getX(), 1.0f, 1e-5f);
  EXPECT_NEAR(PositionOf(runner).getZ(), 12.0f, 1e-5f);
}

TEST_F(PhysicsSystemTest, AShotNeverHitsItsOwnerOrItsSiblings) {
  const ObjectID owner = MakeBox("Player1", Vector3(0, 1, 0), Vector3(0.5f, 1, 0.5f), false, true);
  const ObjectID target = MakeBox("Player2", Vector3(0, 1, 0.5f), Vector3(0.5f, 1, 0.5f), false, true);
  const ObjectID shot = MakeBox("rifleBullet", Vector3(0, 1, 0.2f), Vector3(0.1f, 0.1f, 0.1f), true, true);
  const ObjectID sibling = MakeBox("rifleBullet2", Vector3(0, 1, 0.2f), Vector3(0.1f, 0.1f, 0.1f), true, true);
  // The gun groups its shots at once, before their creation is announced.
  for (const ObjectID id : {shot, sibling}) {
    auto group = std::make_shared<PhysicsMessage>(L"Gun", PMT_SET_COLLISION_GROUP, id, Vector3(0.0f));
    group->mCollisionGroup = "Player1projectile";
    Engine::ImmediateMessage(group);
  }
  Flush();
  Frame(0.0f);
  EXPECT_EQ(CountContacts(CMT_CONTACT_BEGIN, shot, owner), 0);
  EXPECT_EQ(CountContacts(CMT_CONTACT_BEGIN, shot, sibling), 0);
  EXPECT_EQ(CountContacts(CMT_CONTACT_BEGIN, shot, target), 1);
  EXPECT_EQ(CountContacts(CMT_CONTACT_BEGIN, owner, target), 1);
}

TEST_F(PhysicsSystemTest, ADestroyedBodyIsForgottenWithoutAWord) {
  const ObjectID runner = MakeBox("Runner", Vector3(0, 1, 0), Vector3(0.5f, 1, 0.5f), false, true);
  const ObjectID pickup = MakeBox("Pickup", Vector3(0.5f, 1, 0), Vector3(0.5f, 0.5f, 0.5f), false, false);
  Flush();
  Frame(0.0f);
  ASSERT_EQ(CountContacts(CMT_CONTACT_BEGIN, runner, pickup), 1);
  Engine::mFactory.Destroy(pickup);
  Flush();
  EXPECT_FALSE(physics->IsTracked(pickup));
  Frame(0.1f);
  EXPECT_EQ(CountContacts(CMT_CONTACT_END, runner, pickup), 0);
  EXPECT_FALSE(physics->AreTouching(runner, pickup));
}

}  // namespace
