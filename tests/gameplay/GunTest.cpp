// A player's gun as the host drives it: Update every frame, Fire_Gun while
// the trigger is held, the host's physics and input receiving the results.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "components/Camera.h"
#include "components/Transform.h"
#include "core/GameFlowMessages.h"
#include "core/InputMessages.h"
#include "core/ObjectMessages.h"
#include "gameplay/Gun.h"
#include "gameplay/Owner.h"
#include "objects/Object.h"
#include "support/EngineFixture.h"
#include "support/TestComponents.h"
#include "support/VectormathAsserts.h"

using tidewater_test::MatNear;
using tidewater_test::VecNear;
using Vectormath::Aos::Vector3;

namespace {

class GunTest : public EngineFixture {
 protected:
  void SetUp() override {
    EngineFixture::SetUp();
    host = new RecordingSystem(L"Physics");
    Engine::AddSystem(host);
    // Stands in for the player's Controller: the vibration must name it.
    RegisterProbeFactories({CT_Controller});
    MakeProjectileArchetypes(true);
  }

  // The two projectiles, each with a Transform; an Owner (of 99) if asked.
  static void MakeProjectileArchetypes(bool pelletOwner) {
    Engine::mFactory.DestroyAllArchetypes();
    MakeProjectileArchetype(L"BulletArc", true);
    MakeProjectileArchetype(L"PelletArc", pelletOwner);
  }

  static void MakeProjectileArchetype(const std::wstring& name, bool withOwner) {
    const auto archetype = Engine::mFactory.CreateGenericArchetype(name).lock();
    Engine::mFactory.GiveArchetypeComponent(archetype, L"Transform");
    if (!withOwner) return;
    const auto owner = Engine::mFactory.GiveArchetypeComponent(archetype, L"Owner").lock();
    std::static_pointer_cast<Owner>(owner)->Set_Owner(99);
  }

  // "Player1" at (1, 2, 3), turned 30 degrees, looking along -x.
  void MakePlayer() {
    player = Engine::mFactory.CreateGenericObject().lock();
    player->SetName("Player1");
    for (const wchar_t* part : {L"Transform", L"Camera", L"Gun"}) Engine::mFactory.GiveObjectComponent(player, part);
    controller = Engine::mFactory.GiveObjectComponent(player, ProbeName(CT_Controller)).lock();
    player->Initialize();
    const auto transform = player->GetComponentAs<Transform>(CT_Transform);
    transform->SetWorldPosition(Vector3(1.0f, 2.0f, 3.0f));
    transform->ModifyWorldRotationY(30.0f);
    transform->GetWoldRotation();
    player->GetComponentAs<Camera>(CT_Camera)->TurnFPCam(90.0f);
    gun = player->GetComponentAs<Gun>(CT_Gun);
    gun->SetMaxHeatLevel(10.0f);
    gun->Set_Muzzle_Vel(2.0f);
  }

  [[nodiscard]] Vector3 Look() const { return player->GetComponentAs<Camera>(CT_Camera)->GetLookAt(); }

  // The physics requests the host has been handed at once since the last call.
  std::vector<std::shared_ptr<PhysicsMessage>> TakePhysics() {
    std::vector<std::shared_ptr<PhysicsMessage>> physics;
    for (const auto& message : host->immediate) {
      if (message->GetMessageId() == MT_PHYSICS) physics.push_back(std::static_pointer_cast<PhysicsMessage>(message));
    }
    host->immediate.clear();
    return physics;
  }

  // Holds the trigger for one frame; true when something was launched.
  bool Frame(float dt) {
    gun->Update(dt);
    gun->Fire_Gun();
    const auto physics = TakePhysics();
    return std::any_of(physics.begin(), physics.end(),
                       [](const auto& message) { return message->mKind == PMT_SET_VELOCITY; });
  }

  // The launch velocities of one blast, in order.
  std::vector<Vector3> Blast() {
    gun->Update(0.1f);
    gun->Fire_Gun();
    std::vector<Vector3> velocities;
    for (const auto& message : TakePhysics()) {
      if (message->mKind == PMT_SET_VELOCITY) velocities.push_back(message->mVector);
    }
    return velocities;
  }

  std::vector<std::shared_ptr<const ControllerVibrateMessage>> Vibrations() const {
    std::vector<std::shared_ptr<const ControllerVibrateMessage>> found;
    for (const auto& message : host->queued) {
      if (message->GetMessageId() == MT_CONTROLLER_VIBRATE) {
        found.push_back(std::static_pointer_cast<const ControllerVibrateMessage>(message));
      }
    }
    return found;
  }

  RecordingSystem* host = nullptr;
  std::shared_ptr<Object> player;
  std::shared_ptr<Component> controller;
  std::shared_ptr<Gun> gun;
};

TEST_F(GunTest, HeldTriggerFiresOnEveryThirdFrameAndTheTimerStopsGrowing) {
  MakePlayer();
  gun->SetShotDelay(0.2f);
  gun->SetHeatPerRifleShot(1.0f);
  // 0.1 + 0.1 is exactly the delay, which does not count: the third step passes it.
  std::vector<int> shots;
  for (int frame = 1; frame <= 9; ++frame) {
    if (Frame(0.1f)) shots.push_back(frame);
  }
  EXPECT_EQ(shots, (std::vector<int>{3, 6, 9}));

  for (int i = 0; i < 3; ++i) gun->Update(500.0f);
  EXPECT_EQ(gun->GetTimer(), 1000.0f) << "it grows only while below 777.777";
}

TEST_F(GunTest, AnUnknownModeOrAGunOffAPlayerFiresNothing) {
  MakePlayer();
  gun->SetAmmoType(static_cast<Gun::AmmoType>(2));
  EXPECT_FALSE(Frame(1.0f));

  const auto loose = std::static_pointer_cast<Gun>(Engine::mFactory.CreateComponent(L"Gun"));
  loose->Initialize();
  loose->SetMaxHeatLevel(1.0f);
  loose->Update(1.0f);
  ASSERT_TRUE(loose->CanFire());
  loose->Fire_Gun();
  EXPECT_TRUE(TakePhysics().empty());
  EXPECT_FALSE(Engine::mFactory.GetObjectByName("rifleBullet").lock());
}

TEST_F(GunTest, AnOverheatedRifleStaysLockedUntilDrainedWhileTheSpreadGunStaysFree) {
  MakePlayer();
  gun->SetMaxHeatLevel(1.0f);
  gun->SetHeatPerRifleShot(1.5f);
  gun->SetCoolDownRate(1.333f);  // the rifle sheds about one unit per second
  gun->SetPelletsPerSGBlast(1);
  ASSERT_TRUE(Frame(0.1f));
  EXPECT_FALSE(gun->CanFire());

  for (int i = 0; i < 8; ++i) EXPECT_FALSE(Frame(0.1f));
  EXPECT_TRUE(gun->IsRifleOverheated());
  EXPECT_LT(gun->GetRifleHeatLevel(), 1.0f) << "below the maximum yet still locked";

  gun->SetAmmoType(Gun::SPREAD_GUN);
  EXPECT_TRUE(Frame(0.1f)) << "the other mode is usable at once";
  gun->SetAmmoType(Gun::RIFLE);

  // The lock lifts on the first update that starts with the heat drained.
  float heatBefore = gun->GetRifleHeatLevel();
  int frames = 0;
  while (!Frame(0.1f) && frames < 100) {
    ++frames;
    EXPECT_GT(heatBefore, 0.0001f);
    heatBefore = gun->GetRifleHeatLevel();
  }
  EXPECT_LT(frames, 100);
  EXPECT_EQ(heatBefore, 0.0f);
  EXPECT_FALSE(gun->IsRifleOverheated());
}

TEST_F(GunTest, ARifleShotIsNamedOwnedGroupedPlacedAndLaunchedAtOnceThenShakesThePad) {
  MakePlayer();
  gun->Update(0.1f);
  Flush();
  host->queued.clear();
  gun->Fire_Gun();

  const auto bullet = Engine::mFactory.GetObjectByName("rifleBullet").lock();
  ASSERT_TRUE(bullet);
  EXPECT_EQ(bullet->GetComponentAs<Owner>(CT_Owner)->Get_Owner(), player->GetID());
  EXPECT_TRUE(VecNear(gun->Get_Muzzle_Aim(), Look(), 1e-6f)) << "the aim follows the camera";
  const auto bulletTransform = bullet->GetComponentAs<Transform>(CT_Transform);
  EXPECT_EQ(bulletTransform->GetTransformData().WorldRotationAngleY, 30.0f);
  EXPECT_TRUE(MatNear(bulletTransform->GetTransformData().mWorldRotation,
                   player->GetComponentAs<Transform>(CT_Transform)->GetWoldRotation(), 1e-6f));

  const auto physics = TakePhysics();
  ASSERT_EQ(physics.size(), 3u) << "nothing else goes out at once";
  for (const auto& message : physics) {
    EXPECT_EQ(message->GetSender(), L"Gun");
    EXPECT_EQ(message->mObjectID, bullet->GetID());
  }
  EXPECT_EQ(physics[0]->mKind, PMT_SET_COLLISION_GROUP);
  EXPECT_EQ(physics[0]->mCollisionGroup, "Player1projectile");
  EXPECT_TRUE(VecNear(physics[0]->mVector, Vector3(0.0f), 0.0f));
  EXPECT_EQ(physics[1]->mKind, PMT_SET_POSITION);
  EXPECT_TRUE(VecNear(physics[1]->mVector, Vector3(1.0f, 2.0f, 3.0f) + Look(), 1e-6f));
  EXPECT_EQ(physics[2]->mKind, PMT_SET_VELOCITY);
  EXPECT_TRUE(VecNear(physics[2]->mVector, Look() * 2.0f, 1e-6f));

  EXPECT_TRUE(Vibrations().empty()) << "the shake waits for the broadcast";
  Flush();
  const auto shakes = Vibrations();
  ASSERT_EQ(shakes.size(), 1u);
  EXPECT_EQ(shakes[0]->GetSender(), L"GameLogic");
  EXPECT_EQ(shakes[0]->GetDurationInSeconds(), 0.25f);
  EXPECT_EQ(shakes[0]->GetNormalizedPower(), 0.5f);
  EXPECT_EQ(shakes[0]->GetControllerComponent().lock(), controller);
  EXPECT_EQ(host->queued.front()->GetMessageId(), MT_CREATED_OBJECT);
  EXPECT_EQ(host->queued.back(), shakes[0]) << "queued after the bullet's creation";
}

TEST_F(GunTest, ASpreadBlastPlacesEveryPelletBeforeLaunchingThemAllInOrder) {
  MakePlayer();
  gun->SetAmmoType(Gun::SPREAD_GUN);
  gun->SetPelletsPerSGBlast(3);
  gun->SetSpreadGunBlastRadius(1.0f);
  gun->SetHeatPerSpreadShot(1.0f);
  gun->Update(0.1f);
  gun->Fire_Gun();

  std::vector<ObjectID> pellets;
  for (const auto& [id, object] : Engine::mFactory.GetObjects()) {
    if (object->GetName() != "shotgunPellet") continue;
    pellets.push_back(id);
    EXPECT_EQ(object->GetComponentAs<Owner>(CT_Owner)->Get_Owner(), player->GetID());
  }
  ASSERT_EQ(pellets.size(), 3u);

  const auto physics = TakePhysics();
  ASSERT_EQ(physics.size(), 9u);
  const PhysicsMessageType kinds[] = {PMT_SET_COLLISION_GROUP, PMT_SET_POSITION};
  for (std::size_t i = 0; i < 6; ++i) {
    EXPECT_EQ(physics[i]->mKind, kinds[i % 2]);
    EXPECT_EQ(physics[i]->mObjectID, pellets[i / 2]);
  }
  // Offsets of up to radius / pi around the aim, scaled by the muzzle speed.
  const float bound = 1.0f / 3.14159265f;
  for (std::size_t i = 0; i < 3; ++i) {
    const auto& launch = physics[6 + i];
    EXPECT_EQ(launch->mKind, PMT_SET_VELOCITY);
    EXPECT_EQ(launch->mObjectID, pellets[i]);
    const Vector3 offset = launch->mVector / 2.0f - Look();
    for (int axis = 0; axis < 3; ++axis) {
      EXPECT_GE(offset[axis], -bound - 1e-6f);
      EXPECT_LE(offset[axis], bound + 1e-6f);
    }
  }
  // The pattern is MT19937 seeded with the calendar second, drawn x, y, z.
  std::mt19937 generator(static_cast<std::uint32_t>(mClock.CalendarSeconds()));
  const float firstX = static_cast<float>(generator()) * 2.3283064e-10f * (2.0f * bound) - bound;
  EXPECT_NEAR(physics[6]->mVector[0] / 2.0f - Look()[0], firstX, 1e-5f);

  EXPECT_EQ(gun->GetSpreadHeatLevel(), 1.0f);
  EXPECT_EQ(gun->GetTimer(), 0.0f);
  Flush();
  ASSERT_EQ(Vibrations().size(), 1u);
  EXPECT_EQ(Vibrations()[0]->GetDurationInSeconds(), 0.15f);
  EXPECT_EQ(Vibrations()[0]->GetNormalizedPower(), 0.75f);
}

TEST_F(GunTest, BlastsInOneCalendarSecondRepeatTheirPatternAndTheNextSecondChangesIt) {
  MakePlayer();
  gun->SetAmmoType(Gun::SPREAD_GUN);
  gun->SetPelletsPerSGBlast(4);
  gun->SetSpreadGunBlastRadius(2.0f);

  const auto first = Blast();
  ASSERT_EQ(first.size(), 4u);
  mClock.Advance(900);
  const auto sameSecond = Blast();
  mClock.Advance(100);
  const auto nextSecond = Blast();

  ASSERT_EQ(sameSecond.size(), 4u);
  ASSERT_EQ(nextSecond.size(), 4u);
  for (std::size_t i = 0; i < 4; ++i) EXPECT_TRUE(VecNear(sameSecond[i], first[i], 0.0f));
  EXPECT_NE(nextSecond[0][0], first[0][0]);
  EXPECT_NE(first[0][0], first[1][0]) << "pellets within one blast differ";
}

TEST_F(GunTest, ABlastOfNoPelletsStillHeatsResetsAndShakes) {
  MakePlayer();
  gun->SetAmmoType(Gun::SPREAD_GUN);
  gun->SetHeatPerSpreadShot(0.5f);
  const std::size_t objects = Engine::mFactory.GetObjects().size();
  gun->Update(0.1f);
  gun->Fire_Gun();
  EXPECT_EQ(Engine::mFactory.GetObjects().size(), objects);
  EXPECT_TRUE(TakePhysics().empty());
  EXPECT_EQ(gun->GetSpreadHeatLevel(), 0.5f);
  EXPECT_EQ(gun->GetTimer(), 0.0f);
  Flush();
  EXPECT_EQ(Vibrations().size(), 1u);
}

TEST_F(GunTest, PelletsWithoutAnOwnerPartKeepNoGroupAndFlyAlongTheStoredAim) {
  MakeProjectileArchetypes(false);
  MakePlayer();
  gun->SetAmmoType(Gun::SPREAD_GUN);
  gun->SetPelletsPerSGBlast(2);
  gun->Update(0.1f);
  gun->Fire_Gun();
  const auto physics = TakePhysics();
  ASSERT_EQ(physics.size(), 4u);
  EXPECT_EQ(physics[0]->mKind, PMT_SET_POSITION);
  EXPECT_EQ(physics[1]->mKind, PMT_SET_POSITION);
  EXPECT_TRUE(VecNear(physics[0]->mVector, Vector3(1.0f, 2.0f, 2.0f), 1e-6f)) << "the camera is not consulted";
  EXPECT_TRUE(VecNear(physics[2]->mVector, Vector3(0.0f, 0.0f, -2.0f), 0.0f)) << "radius 0: straight ahead";
}

TEST_F(GunTest, AGunReadFromALevelFileFiresWithItsTuningAndIsWrittenBack) {
  Engine::mFactory.CreateGenericArchetype(L"Object");
  std::istringstream level(
      "Object\n{\n\tmName : Player2\n"
      "\tGun\n\t{\n\t\tmAmmoType : 1\n\t\tmCDPerFrame : 2\n\t\tmHeatPerSpreadShot : 1\n"
      "\t\tmMaxHeatLevel : 3\n\t\tmMuzzleVel : 4\n\t\tmPelletsPerSGBlast : 2\n\t\tmSpreadDelay : 0.5\n\t}\n}\n");
  Engine::mDeserializer.Report().Clear();
  Engine::mDeserializer(level);
  EXPECT_TRUE(Engine::mDeserializer.Report().Empty());
  const auto read = Engine::mFactory.GetObjectByName("Player2").lock();
  ASSERT_TRUE(read);
  const auto readGun = read->GetComponentAs<Gun>(CT_Gun);
  ASSERT_TRUE(readGun);

  readGun->Update(0.5f);
  readGun->Fire_Gun();
  EXPECT_TRUE(TakePhysics().empty()) << "the spread delay must be passed strictly";
  readGun->Update(0.1f);
  readGun->Fire_Gun();
  const auto physics = TakePhysics();
  ASSERT_EQ(physics.size(), 4u) << "two pellets grouped and launched; no Transform to place them by";
  EXPECT_TRUE(VecNear(physics[3]->mVector, Vector3(0.0f, 0.0f, -4.0f), 0.0f));

  std::ostringstream out;
  Engine::mSerializer(*read, out);
  EXPECT_NE(out.str().find("\t\tmPelletsPerSGBlast : 2\n"), std::string::npos) << out.str();
  EXPECT_NE(out.str().find("\t\tmSpreadHeatLevel : 1\n"), std::string::npos) << out.str();
}

}  // namespace
