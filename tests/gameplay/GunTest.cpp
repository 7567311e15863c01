// A player's gun as the host drives it: Update every frame, Fire_Gun while
// the trigger is held, the host's physics and input receiving the results.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "components/Camera.h"
#include "components/Transform.h"
#include "core/GameFlowMessages.h"
#include "core/InputMessages.h"
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
  // "Player1" at (1, 2, 3), turned 30 degrees, its camera looking along -x;
  // both projectiles are made with a Transform and an Owner.
  void SetUp() override {
    EngineFixture::SetUp();
    host = new RecordingSystem(L"Physics");
    Engine::AddSystem(host);
    // Stands in for the player's Controller: the vibration must name it.
    RegisterProbeFactories({CT_Controller});
    for (const wchar_t* name : {L"BulletArc", L"PelletArc"}) {
      const auto archetype = Engine::mFactory.CreateGenericArchetype(name).lock();
      for (const wchar_t* part : {L"Transform", L"Owner"}) Engine::mFactory.GiveArchetypeComponent(archetype, part);
    }
    player = Engine::mFactory.CreateGenericObject().lock();
    player->SetName("Player1");
    for (const wchar_t* part : {L"Transform", L"Camera", L"Gun"}) Engine::mFactory.GiveObjectComponent(player, part);
    controller = Engine::mFactory.GiveObjectComponent(player, ProbeName(CT_Controller)).lock();
    player->Initialize();
    const auto transform = player->GetComponentAs<Transform>(CT_Transform);
    transform->SetWorldPosition(Vector3(1.0f, 2.0f, 3.0f));
    transform->ModifyWorldRotationY(30.0f);
    player->GetComponentAs<Camera>(CT_Camera)->TurnFPCam(90.0f);
    gun = player->GetComponentAs<Gun>(CT_Gun);
    gun->SetMaxHeatLevel(10.0f);
    gun->Set_Muzzle_Vel(2.0f);
  }

  [[nodiscard]] Vector3 Look() const { return player->GetComponentAs<Camera>(CT_Camera)->GetLookAt(); }

  // The physics requests handed to the host at once since the last call.
  std::vector<std::shared_ptr<PhysicsMessage>> TakePhysics() {
    std::vector<std::shared_ptr<PhysicsMessage>> physics;
    for (const auto& message : host->immediate) {
      if (message->GetMessageId() == MT_PHYSICS) physics.push_back(std::static_pointer_cast<PhysicsMessage>(message));
    }
    host->immediate.clear();
    return physics;
  }

  // Holds the trigger for one frame; returns the launch velocities sent.
  std::vector<Vector3> Frame(float dt) {
    gun->Update(dt);
    gun->Fire_Gun();
    std::vector<Vector3> launches;
    for (const auto& message : TakePhysics()) {
      if (message->mKind == PMT_SET_VELOCITY) launches.push_back(message->mVector);
    }
    return launches;
  }

  [[nodiscard]] std::shared_ptr<const ControllerVibrateMessage> LastShake() const {
    for (auto it = host->queued.rbegin(); it != host->queued.rend(); ++it) {
      if ((*it)->GetMessageId() == MT_CONTROLLER_VIBRATE)
        return std::static_pointer_cast<const ControllerVibrateMessage>(*it);
    }
    return nullptr;
  }

  RecordingSystem* host = nullptr;
  std::shared_ptr<Object> player;
  std::shared_ptr<Component> controller;
  std::shared_ptr<Gun> gun;
};

TEST_F(GunTest, HeldTriggerFiresOnEveryThirdFrame) {
  gun->SetShotDelay(0.2f);
  // 0.1 + 0.1 is exactly the delay, which does not count: the third step passes it.
  std::vector<int> shots;
  for (int frame = 1; frame <= 9; ++frame) {
    if (!Frame(0.1f).empty()) shots.push_back(frame);
  }
  EXPECT_EQ(shots, (std::vector<int>{3, 6, 9}));
}

TEST_F(GunTest, AnOverheatedRifleStaysLockedUntilDrainedWhileTheSpreadGunStaysFree) {
  gun->SetMaxHeatLevel(1.0f);
  gun->SetHeatPerRifleShot(1.5f);
  gun->SetCoolDownRate(1.333f);  // the rifle sheds one unit per second
  gun->SetPelletsPerSGBlast(1);
  ASSERT_FALSE(Frame(0.1f).empty());
  for (int i = 0; i < 8; ++i) EXPECT_TRUE(Frame(0.1f).empty());
  EXPECT_TRUE(gun->IsRifleOverheated());
  EXPECT_LT(gun->GetRifleHeatLevel(), 1.0f) << "below the maximum yet still locked";

  gun->SetAmmoType(Gun::SPREAD_GUN);
  EXPECT_FALSE(Frame(0.1f).empty()) << "the other mode is usable at once";
  gun->SetAmmoType(Gun::RIFLE);

  // The lock lifts on the first update that starts with the heat drained.
  float heatBefore = gun->GetRifleHeatLevel();
  for (int frame = 0; Frame(0.1f).empty(); ++frame) {
    ASSERT_LT(frame, 100);
    EXPECT_GT(heatBefore, 0.0001f);
    heatBefore = gun->GetRifleHeatLevel();
  }
  EXPECT_EQ(heatBefore, 0.0f);
}

TEST_F(GunTest, ARifleShotIsNamedOwnedGroupedPlacedAndLaunchedAtOnceThenShakesThePad) {
  gun->Update(0.1f);
  Flush();
  host->queued.clear();
  gun->Fire_Gun();

  const auto bullet = Engine::mFactory.GetObjectByName("rifleBullet").lock();
  ASSERT_TRUE(bullet);
  EXPECT_EQ(bullet->GetComponentAs<Owner>(CT_Owner)->Get_Owner(), player->GetID());
  // The player's turn is not built into its matrix yet: the bullet takes the
  // angles and the matrix as they stand.
  const TransformData& aim = bullet->GetComponentAs<Transform>(CT_Transform)->GetTransformData();
  const TransformData& playerData = player->GetComponentAs<Transform>(CT_Transform)->GetTransformData();
  EXPECT_EQ(aim.WorldRotationAngleY, 30.0f);
  EXPECT_TRUE(MatNear(aim.mWorldRotation, playerData.mWorldRotation));
  EXPECT_TRUE(playerData.mWorldRotationDirty);

  const auto physics = TakePhysics();
  ASSERT_EQ(physics.size(), 3u);
  for (const auto& message : physics) {
    EXPECT_EQ(message->GetSender(), L"Gun");
    EXPECT_EQ(message->mObjectID, bullet->GetID());
  }
  EXPECT_EQ(physics[0]->mKind, PMT_SET_COLLISION_GROUP);
  EXPECT_EQ(physics[0]->mCollisionGroup, "Player1projectile");
  EXPECT_EQ(physics[1]->mKind, PMT_SET_POSITION);
  EXPECT_TRUE(VecNear(physics[1]->mVector, Vector3(1.0f, 2.0f, 3.0f) + Look()));
  EXPECT_EQ(physics[2]->mKind, PMT_SET_VELOCITY);
  EXPECT_TRUE(VecNear(physics[2]->mVector, Look() * 2.0f)) << "aimed where the camera looks";

  EXPECT_FALSE(LastShake()) << "the shake waits for the broadcast";
  Flush();
  const auto shake = LastShake();
  ASSERT_TRUE(shake);
  EXPECT_EQ(shake->GetSender(), L"GameLogic");
  EXPECT_EQ(shake->GetDurationInSeconds(), 0.25f);
  EXPECT_EQ(shake->GetNormalizedPower(), 0.5f);
  EXPECT_EQ(shake->GetControllerComponent().lock(), controller);
  EXPECT_EQ(host->queued.back(), shake) << "queued after the bullet's creation";
}

TEST_F(GunTest, ASpreadBlastPlacesEveryPelletBeforeLaunchingThemAndRepeatsItsPatternWithinACalendarSecond) {
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
  EXPECT_TRUE(VecNear(physics[1]->mVector, Vector3(1.0f, 2.0f, 3.0f) + Look()));
  // Offsets of up to radius / pi around the aim, drawn from the calendar
  // second; scaled by the muzzle speed.
  const float bound = 1.0f / 3.14159265f;
  std::vector<Vector3> first;
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(physics[6 + i]->mKind, PMT_SET_VELOCITY);
    EXPECT_EQ(physics[6 + i]->mObjectID, pellets[i]);
    EXPECT_TRUE(VecNear(physics[6 + i]->mVector / 2.0f - Look(), Vector3(0.0f), bound + 1e-6f)) << i;
    first.push_back(physics[6 + i]->mVector);
  }
  EXPECT_NE(first[0][0], first[1][0]) << "pellets within one blast differ";

  EXPECT_EQ(gun->GetSpreadHeatLevel(), 1.0f);
  Flush();
  ASSERT_TRUE(LastShake());
  EXPECT_EQ(LastShake()->GetDurationInSeconds(), 0.15f);
  EXPECT_EQ(LastShake()->GetNormalizedPower(), 0.75f);

  mClock.Advance(900);
  const auto sameSecond = Frame(0.1f);
  mClock.Advance(100);
  const auto nextSecond = Frame(0.1f);
  ASSERT_EQ(sameSecond.size(), 3u);
  ASSERT_EQ(nextSecond.size(), 3u);
  for (std::size_t i = 0; i < 3; ++i) EXPECT_TRUE(VecNear(sameSecond[i], first[i], 0.0f)) << i;
  EXPECT_NE(nextSecond[0][0], first[0][0]);
}

}  // namespace
