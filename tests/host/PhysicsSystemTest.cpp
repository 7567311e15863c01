// The host's physics as the game uses it: bodies learned from the registry's
// notices, moved by velocity and position requests, stopped by walls, passed
// by ghosts, contacts reported when they begin and end, and bad values kept
// from hanging a match. The second half plays scenes on the sample level with
// the engine's own doors, pickups and guns.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/Match.h"
#include "components/Camera.h"
#include "components/Collider.h"
#include "components/Transform.h"
#include "core/GameFlowMessages.h"
#include "core/GameState.h"
#include "game/GameSystem.h"
#include "gameplay/Gun.h"
#include "gameplay/Owner.h"
#include "gameplay/RoomHandler.h"
#include "objects/Object.h"
#include "physics/PhysicsSystem.h"
#include "platform/FileSystem.h"
#include "support/EngineFixture.h"
#include "support/ScenarioPhysics.h"

using Vectormath::Aos::Vector3;

namespace {

constexpr float kStep = 0.0125f;

struct Contact {
  CollisionMessageType kind;
  ObjectID a;
  ObjectID b;
};

struct Box {
  Vector3 position{0.0f};
  Vector3 half{0.5f, 1.0f, 0.5f};
  bool ghost = false;
  bool dynamic = false;
  // Share of velocity kept per second: players keep none.
  float damping = 0.0f;
};

class PhysicsTest : public EngineFixture {
 protected:
  void SetUp() override {
    EngineFixture::SetUp();
    match = std::make_shared<Match>(HostOptions{}, nullptr);
    Engine::RegisterListener(MT_COLLISION, Callable(1, [this](const std::shared_ptr<Message>& message) {
                               const auto& contact = static_cast<const CollisionMessage&>(*message);
                               contacts.push_back({contact.mKind, contact.mObjectA, contact.mObjectB});
                             }));
  }
  void AddPhysics() {
    physics = new PhysicsSystem(match);
    Engine::AddSystem(physics);
    physics->Initialize();
  }

  static Vector3 PositionOf(ObjectID id) {
    return Engine::mFactory.GetObjectWithID(id).lock()->GetComponentAs<Transform>(CT_Transform)->GetPosition();
  }
  static void Request(PhysicsMessageType kind, ObjectID id, Vector3 vector) {
    Engine::RelayMessage(std::make_shared<PhysicsMessage>(L"Test", kind, id, vector));
  }
  // Walks as a stick held in one direction does: one request per frame.
  void Walk(ObjectID id, Vector3 velocity, float seconds) {
    for (float t = 0.0f; t < seconds; t += kStep) {
      Request(PMT_SET_VELOCITY, id, velocity);
      RunFrame(kStep, &mClock);
    }
  }
  int CountContacts(CollisionMessageType kind, ObjectID a, ObjectID b) const {
    return static_cast<int>(std::count_if(contacts.begin(), contacts.end(), [&](const Contact& contact) {
      return contact.kind == kind && ((contact.a == a && contact.b == b) || (contact.a == b && contact.b == a));
    }));
  }

  std::shared_ptr<Match> match;
  PhysicsSystem* physics = nullptr;
  std::vector<Contact> contacts;
};

// Boxes made from level text, as a level designer writes them.
class PhysicsSystemTest : public PhysicsTest {
 protected:
  void SetUp() override {
    PhysicsTest::SetUp();
    AddPhysics();
    Engine::mFactory.CreateGenericArchetype(L"Object");
  }

  static ObjectID MakeBox(const std::string& name, const Box& box) {
    auto vec = [](const char* member, const Vector3& v) {
      std::ostringstream text;
      text << "\t\t" << member << " : MetaVec3\n\t\t{\n\t\t\tx_ : " << v.getX() << "\n\t\t\ty_ : " << v.getY()
           << "\n\t\t\tz_ : " << v.getZ() << "\n\t\t}\n";
      return text.str();
    };
    std::ostringstream text;
    text << "Object\n{\n\tmName : " << name << "\n\tTransform\n\t{\n\t\ttransformData : TransformData\n\t\t{\n"
         << vec("WorldPosition", box.position) << "\t\t}\n\t}\n\tCollider\n\t{\n"
         << vec("m_AabbHalfExtents", box.half) << "\t\tm_ghost : " << box.ghost << "\n\t}\n";
    if (box.dynamic) text << "\tRigidBody\n\t{\n\t\tm_damping : " << box.damping << "\n\t}\n";
    text << "}\n";
    std::istringstream stream(text.str());
    Engine::mDeserializer(stream);
    return Engine::mFactory.GetObjectByName(name).lock()->GetID();
  }
  static ObjectID MakeWalker(const std::string& name, Vector3 position) {
    return MakeBox(name, {position, Vector3(0.5f, 1.0f, 0.5f), false, true});
  }
};

TEST_F(PhysicsSystemTest, AWallStopsAWalkerFlushAndAWalkAlongItSlides) {
  const ObjectID walker = MakeWalker("Walker", Vector3(0, 1, 0));
  const ObjectID wall = MakeBox("Wall", {Vector3(3, 1, 0), Vector3(0.5f, 3, 5)});
  Flush();
  EXPECT_EQ(physics->BodyCount(), 2u);

  Walk(walker, Vector3(5, 0, 0), 2.0f);
  EXPECT_NEAR(PositionOf(walker).getX(), 2.0f, 0.02f);
  EXPECT_NEAR(PositionOf(walker).getY(), 1.0f, 1e-4f);
  EXPECT_EQ(CountContacts(CMT_CONTACT_BEGIN, walker, wall), 1);
  EXPECT_EQ(CountContacts(CMT_CONTACT_END, walker, wall), 0);

  // Diagonally into the wall: it slides along at the speed along the wall.
  Walk(walker, Vector3(5, 0, 5), 0.5f);
  EXPECT_NEAR(PositionOf(walker).getX(), 2.0f, 0.02f);
  EXPECT_NEAR(PositionOf(walker).getZ(), 2.5f, 0.1f);
  EXPECT_EQ(CountContacts(CMT_CONTACT_BEGIN, walker, wall), 1);

  Walk(walker, Vector3(-5, 0, 0), 0.2f);
  EXPECT_EQ(CountContacts(CMT_CONTACT_END, walker, wall), 1);
  // Once the stick is let go (the last request still counts), a player keeps no speed.
  RunFrame(kStep, &mClock);
  const Vector3 stopped = PositionOf(walker);
  for (int frame = 0; frame < 10; ++frame) RunFrame(kStep, &mClock);
  EXPECT_NEAR(PositionOf(walker).getX(), stopped.getX(), 1e-5f);
}

TEST_F(PhysicsSystemTest, RequestsAddUpWithinAFrameAndThoseRelayedDuringTheBroadcastCountOnce) {
  const ObjectID door = MakeBox("Door", {Vector3(0, 2, 0), Vector3(0.5f, 2, 2)});
  const ObjectID walker = MakeBox("Walker", {Vector3(0, 1, 10), Vector3(0.5f, 1, 0.5f), false, true, 1.0f});
  Flush();
  // A door lifts itself from its time-update listener, as the engine's doors do.
  Engine::RegisterListener(MT_TIME_UPDATE, Callable(2, [door](const std::shared_ptr<Message>&) {
                             Request(PMT_SET_POSITION, door, PositionOf(door) + Vector3(0, 1, 0));
                           }));
  // One stick message gives one request per axis.
  Request(PMT_SET_VELOCITY, walker, Vector3(1, 0, 0));
  Request(PMT_SET_VELOCITY, walker, Vector3(0, 0, 2));
  RunFrame(kStep, &mClock);
  EXPECT_NEAR(PositionOf(door).getY(), 3.0f, 1e-5f);
  for (int frame = 0; frame < 80; ++frame) RunFrame(kStep, &mClock);
  // A body that keeps its speed flies on: one second at (1, 0, 2).
  EXPECT_NEAR(PositionOf(walker).getX(), 1.0f, 0.02f);
  EXPECT_NEAR(PositionOf(walker).getZ(), 12.0f, 0.04f);
  EXPECT_NEAR(physics->GetVelocity(walker).getZ(), 2.0f, 1e-4f);
}

TEST_F(PhysicsSystemTest, AShotPassesItsOwnerAndOtherShotsButNotAnotherPlayer) {
  const ObjectID owner = MakeWalker("Player1", Vector3(0, 1, 0));
  const ObjectID target = MakeWalker("Player2", Vector3(0, 1, 0.5f));
  const ObjectID shot = MakeBox("rifleBullet", {Vector3(0, 1, 0.2f), Vector3(0.1f), true, true, 1.0f});
  const ObjectID sibling = MakeBox("rifleBullet2", {Vector3(0, 1, 0.2f), Vector3(0.1f), true, true, 1.0f});
  // The gun groups its shots at once, before their creation is announced.
  for (const ObjectID id : {shot, sibling}) {
    auto group = std::make_shared<PhysicsMessage>(L"Gun", PMT_SET_COLLISION_GROUP, id, Vector3(0.0f));
    group->mCollisionGroup = "Player1projectile";
    Engine::ImmediateMessage(group);
  }
  Flush();
  RunFrame(kStep, &mClock);
  EXPECT_EQ(CountContacts(CMT_CONTACT_BEGIN, shot, owner), 0);
  EXPECT_EQ(CountContacts(CMT_CONTACT_BEGIN, shot, sibling), 0);
  EXPECT_EQ(CountContacts(CMT_CONTACT_BEGIN, shot, target), 1);
  // Players overlap without pushing each other: doorways never jam.
  EXPECT_EQ(CountContacts(CMT_CONTACT_BEGIN, owner, target), 1);
  EXPECT_NEAR(PositionOf(owner).getZ(), 0.0f, 1e-5f);
}

TEST_F(PhysicsSystemTest, ABodyThatGoesEndsItsContacts) {
  const ObjectID walker = MakeWalker("Walker", Vector3(0, 1, 0));
  const ObjectID pickup = MakeBox("Pickup", {Vector3(0.9f, 1, 0), Vector3(0.5f)});
  Flush();
  RunFrame(kStep, &mClock);
  ASSERT_TRUE(physics->AreTouching(walker, pickup));
  Engine::mFactory.Destroy(pickup);
  Flush();
  EXPECT_FALSE(physics->IsTracked(pickup));
  EXPECT_EQ(CountContacts(CMT_CONTACT_END, walker, pickup), 1);
  RunFrame(kStep, &mClock);
  EXPECT_FALSE(physics->AreTouching(walker, pickup));
}

TEST_F(PhysicsSystemTest, AClosingDoorPushesAPlayerOutOfTheDoorwayNotThroughTheWalls) {
  // A doorway 5 wide in a wall along x, the door lifted above it.
  MakeBox("WallWest", {Vector3(-5, 3, 0), Vector3(2.5f, 3, 0.5f)});
  MakeBox("WallEast", {Vector3(5, 3, 0), Vector3(2.5f, 3, 0.5f)});
  const ObjectID door = MakeBox("Door", {Vector3(0, 7.5f, 0), Vector3(2.5f, 2.5f, 0.5f)});
  const ObjectID player = MakeWalker("Player1", Vector3(1.8f, 1, 0.2f));
  Flush();
  // Down at the engine's door speed, 2.5 per second, the way doors move.
  for (int frame = 0; frame < 200; ++frame) {
    const Vector3 at = PositionOf(door);
    Request(PMT_SET_POSITION, door, Vector3(at.getX(), std::max(2.5f, at.getY() - 2.5f * kStep), at.getZ()));
    RunFrame(kStep, &mClock);
  }
  const Vector3 where = PositionOf(player);
  EXPECT_GE(std::fabs(where.getZ()), 0.99f) << "still inside the door at z " << where.getZ();
  EXPECT_LT(std::fabs(where.getX()), 2.5f) << "pushed into a wall at x " << where.getX();
  EXPECT_NEAR(where.getY(), 1.0f, 1e-4f);
}

TEST_F(PhysicsSystemTest, APileOfEqualBoxesIsTouchedAsAWholeAndBlocksWhileOneOfThemIsSolid) {
  constexpr int kPile = 500;
  std::vector<ObjectID> pile;
  for (int i = 0; i < kPile; ++i)
    pile.push_back(MakeBox("Cell" + std::to_string(i), {Vector3(3, 1, 0), Vector3(0.5f)}));
  const ObjectID walker = MakeWalker("Walker", Vector3(0, 1, 0));
  Flush();
  auto ghost = [](ObjectID id) {
    Engine::mFactory.GetObjectWithID(id).lock()->GetComponentAs<Collider>(CT_Collider)->SetGhost(true);
  };
  for (int i = 1; i < kPile; ++i) ghost(pile[i]);
  Walk(walker, Vector3(5, 0, 0), 1.0f);
  EXPECT_NEAR(PositionOf(walker).getX(), 2.0f, 0.02f);
  for (const ObjectID id : pile) ASSERT_EQ(CountContacts(CMT_CONTACT_BEGIN, walker, id), 1);
  // The last solid one turns ghost without a word: the pile lets it through.
  ghost(pile[0]);
  Walk(walker, Vector3(5, 0, 0), 1.0f);
  EXPECT_GT(PositionOf(walker).getX(), 4.0f);
  for (const ObjectID id : pile) ASSERT_EQ(CountContacts(CMT_CONTACT_END, walker, id), 1);
}

TEST_F(PhysicsSystemTest, AbsurdValuesAreClampedOrRefusedWithOneWarningEach) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const ObjectID walker = MakeWalker("Walker", Vector3(0, 1, 0));
  const ObjectID lost = MakeBox("Lost", {Vector3(nan, 1, 1e30f), Vector3(nan, 1e9f, 1), false, true});
  Flush();
  EXPECT_TRUE(physics->IsTracked(lost));
  EXPECT_EQ(PositionOf(lost).getX(), 0.0f);
  EXPECT_EQ(PositionOf(lost).getZ(), ValueLimits::kPosition.high);

  // A speed of 1e30 every frame, as a broken Speed_ gives: the limit, and one line.
  Walk(walker, Vector3(1e30f, 0, 0), 0.1f);
  EXPECT_EQ(physics->GetVelocity(walker).getX(), 0.0f);
  EXPECT_GT(PositionOf(walker).getX(), 0.05f * ValueLimits::kSpeed.high);
  // Not a number: refused, the walker stays where it is.
  RunFrame(kStep, &mClock);
  const Vector3 before = PositionOf(walker);
  Walk(walker, Vector3(nan, 0, 0), 0.1f);
  Request(PMT_SET_POSITION, walker, Vector3(0, nan, 0));
  RunFrame(kStep, &mClock);
  EXPECT_EQ(PositionOf(walker).getX(), before.getX());
  EXPECT_EQ(PositionOf(walker).getY(), 1.0f);

  EXPECT_EQ(match->Log().Count("Walker       warning: speed 1e+30 is out of range"), 1u);
  EXPECT_EQ(match->Log().Count("Walker       warning: speed is not a number"), 1u);
  EXPECT_EQ(match->Log().Count("Walker       warning: position is not a number"), 1u);
  // Out of range and not a number are two lines, each once.
  EXPECT_EQ(match->Log().Count("Lost         warning: position"), 2u);
  EXPECT_EQ(match->Log().Count("Lost         warning: collider half extent"), 2u);
  EXPECT_EQ(match->Log().Count("warning"), 7u);
}

// Scenes on the sample level, with the host's game rules running.
class PhysicsOnShipTest : public PhysicsTest {
 protected:
  void SetUp() override {
    PhysicsTest::SetUp();
    Platform::SetResourceRoot(std::string(TIDEWATER_SOURCE_DIR) + "/Resources");
    game = new GameSystem(match);
    Engine::AddSystem(game);
    game->Initialize();
    AddPhysics();
    Engine::mFactory.LoadLevel(std::string("Ship"));
    game->BeginMatch();
    GameState::SetState(STATE_PLAY);
    RunFrame(0.0f, &mClock);
    player = Engine::mFactory.GetObjectByName("Player1").lock()->GetID();
  }
  void TearDown() override {
    RoomHandler::ResetRooms();
    Platform::SetResourceRoot("");
    PhysicsTest::TearDown();
  }
  void Place(ObjectID id, const Vector3& where) {
    Engine::ImmediateMessage(std::make_shared<PhysicsMessage>(L"Test", PMT_SET_POSITION, id, where));
    RunFrame(kStep, &mClock);
  }
  static Vector3 Along(int axis, float distance) {
    Vector3 v(0.0f);
    v.setElem(axis, distance);
    return v;
  }

  GameSystem* game = nullptr;
  ObjectID player = 0;
};

TEST_F(PhysicsOnShipTest, AClosedDoorStopsAPlayerAndAnOpenOneLetsHimThrough) {
  const ShipMap::Door& door = match->Map().Doors().front();
  const Vector3 front = door.closedPosition + Vector3(0, -1.5f, 0) + Along(door.axis, -3.0f);
  Place(player, front);
  Walk(player, Along(door.axis, 10.0f), 1.0f);
  EXPECT_NEAR(PositionOf(player).getElem(door.axis), door.closedPosition.getElem(door.axis) - 1.0f, 0.05f);

  Engine::RelayMessage(std::make_shared<GameEventMessage>(L"Test", "open door", door.object));
  for (int frame = 0; frame < 240; ++frame) RunFrame(kStep, &mClock);
  EXPECT_TRUE(match->Map().IsDoorPassable(0));
  Walk(player, Along(door.axis, 10.0f), 1.0f);
  EXPECT_GT(PositionOf(player).getElem(door.axis), door.closedPosition.getElem(door.axis) + 3.0f);
}

TEST_F(PhysicsOnShipTest, APickupBlocksUntilTouchedThenIsTakenOnceAndLetsThePlayerThrough) {
  const ShipMap::Pickup& pickup = match->Map().Pickups().front();
  Place(player, pickup.position + Vector3(-3, 0, 0));
  Walk(player, Vector3(10, 0, 0), 1.0f);
  EXPECT_GT(PositionOf(player).getX(), pickup.position.getX() + 1.0f);
  EXPECT_EQ(CountContacts(CMT_CONTACT_BEGIN, player, pickup.object), 1);
  EXPECT_EQ(CountContacts(CMT_CONTACT_END, player, pickup.object), 1);
  EXPECT_TRUE(pickup.collider->IsGhost());
  EXPECT_EQ(match->Log().Count("Player1      picks up a"), 1u);
}

TEST_F(PhysicsOnShipTest, AShotLeavesTheMuzzleAtItsSpeedPassesItsOwnerAndHitsAnotherPlayer) {
  const auto shooter = Engine::mFactory.GetObjectWithID(player).lock();
  const ObjectID target = Engine::mFactory.GetObjectByName("Player2").lock()->GetID();
  const ShipMap::Room& room = match->Map().Rooms().front();
  const Vector3 at(room.center.getX(), 1.0f, room.center.getZ());
  const Vector3 aim = shooter->GetComponentAs<Camera>(CT_Camera)->GetLookAt();
  Place(player, at);
  Place(target, at + aim * 6.0f);
  const auto gun = shooter->GetComponentAs<Gun>(CT_Gun);
  gun->Update(1.0f);
  gun->Fire_Gun();

  std::shared_ptr<Object> shot;
  for (const auto& [id, object] : Engine::mFactory.GetObjects()) {
    const auto owner = object->GetComponentAs<Owner>(CT_Owner);
    if (owner && owner->Get_Owner() == player) shot = object;
  }
  ASSERT_TRUE(shot);
  const ObjectID shotID = shot->GetID();
  EXPECT_NEAR(Vectormath::Aos::length(PositionOf(shotID) - (at + aim)), 0.0f, 1e-4f);
  RunFrame(kStep, &mClock);
  EXPECT_NEAR(Vectormath::Aos::length(physics->GetVelocity(shotID) - aim * 40.0f), 0.0f, 1e-3f);
  for (int frame = 0; frame < 40; ++frame) RunFrame(kStep, &mClock);
  EXPECT_EQ(CountContacts(CMT_CONTACT_BEGIN, shotID, player), 0);
  EXPECT_EQ(CountContacts(CMT_CONTACT_BEGIN, shotID, target), 1);
  EXPECT_EQ(match->Log().Count("Player1      hits Player2"), 1u);
}

}  // namespace
